#include "platform/command_line.h"

namespace plat {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

std::vector<std::string> SplitArguments(const std::string& text) {
    std::vector<std::string> args;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        while (i < n && IsBlank(text[i])) ++i;
        if (i >= n) break;
        std::string arg;
        bool quoted = false;
        for (; i < n && (quoted || !IsBlank(text[i])); ++i) {
            if (text[i] == '\\') {
                std::size_t slashes = 0;
                while (i < n && text[i] == '\\') ++slashes, ++i;
                if (i < n && text[i] == '"') {
                    arg.append(slashes / 2, '\\');
                    if (slashes % 2) {
                        arg += '"';
                        continue;
                    }
                    --i;  // the quote is read again below
                } else {
                    arg.append(slashes, '\\');
                    --i;
                }
                continue;
            }
            if (text[i] != '"') {
                arg += text[i];
            } else if (quoted && i + 1 < n && text[i + 1] == '"') {
                arg += '"';
                ++i;
            } else {
                quoted = !quoted;
            }
        }
        args.push_back(std::move(arg));
    }
    return args;
}

std::string QuoteArgument(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string::npos)
        return argument;
    std::string quoted = "\"";
    for (std::size_t i = 0;; ++i) {
        std::size_t slashes = 0;
        while (i < argument.size() && argument[i] == '\\') ++slashes, ++i;
        if (i == argument.size()) {
            quoted.append(slashes * 2, '\\');  // before the closing quote
            break;
        }
        if (argument[i] == '"')
            quoted.append(slashes * 2 + 1, '\\');
        else
            quoted.append(slashes, '\\');
        quoted += argument[i];
    }
    return quoted + '"';
}

std::string JoinCommandLine(const CommandLine& line) {
    // A program path holds no quote; a blank in it needs the quotes around it. (Built
    // piece by piece: GCC 12 warns, wrongly, of "\"" + text.)
    const bool quoted = line.program.find_first_of(" \t") != std::string::npos;
    std::string text = quoted ? "\"" : "";
    text += line.program;
    if (quoted) text += '"';
    for (const auto& argument : line.arguments) {
        text += ' ';
        text += QuoteArgument(argument);
    }
    return text;
}

CommandLine SplitCommandLine(const std::string& line,
                             const std::function<bool(const std::string&)>& isProgram) {
    std::size_t start = 0;
    while (start < line.size() && IsBlank(line[start])) ++start;
    CommandLine result;
    std::size_t rest = line.size();
    if (start < line.size() && line[start] == '"') {
        const auto close = line.find('"', start + 1);
        result.program = line.substr(
            start + 1, close == std::string::npos ? std::string::npos : close - start - 1);
        rest = close == std::string::npos ? line.size() : close + 1;
    } else {
        constexpr auto npos = std::string::npos;
        const auto first = line.find_first_of(" \t", start);
        auto end = first;
        // Windows tries each blank in turn, so that an unquoted path with blanks still
        // names its program; without such a prefix the first word is the program.
        if (isProgram && first != npos && !isProgram(line.substr(start, first - start))) {
            for (auto at = line.find_first_of(" \t", first + 1);;
                 at = line.find_first_of(" \t", at + 1)) {
                if (isProgram(line.substr(start, at == npos ? npos : at - start))) {
                    end = at;
                    break;
                }
                if (at == npos) break;
            }
        }
        result.program =
            line.substr(start, end == std::string::npos ? std::string::npos : end - start);
        rest = end == std::string::npos ? line.size() : end;
    }
    result.arguments = SplitArguments(line.substr(rest));
    return result;
}

// ---- The Linux program's own command line ----------------------------------------------

namespace {

// The toolkit's option that the argument names, "-style" for "--style" or "-style=x";
// empty when it names none. takesValue tells whether it is followed by its value.
std::string ToolkitOption(const std::string& argument, const std::vector<std::string>& options,
                          bool& takesValue) {
    std::string name = argument.starts_with("--") ? argument.substr(1) : argument;
    const auto equals = name.find('=');
    const bool inline_ = equals != std::string::npos;
    if (inline_) name.resize(equals);
    for (const std::string& option : options) {
        const bool valued = option.ends_with('=');
        if (name != (valued ? option.substr(0, option.size() - 1) : option)) continue;
        if (inline_ && !valued) return {};  // "-reverse=x" is none of the toolkit's
        takesValue = valued && !inline_;
        return name;
    }
    return {};
}

}  // namespace

ProgramRequest ReadProgramArguments(const std::vector<std::string>& arguments,
                                    const std::vector<std::string>& toolkitOptions) {
    ProgramRequest request;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--help" || a == "-h") return {ProgramRequest::Help, {}};
        if (a == "--version") {
            request.kind = ProgramRequest::Version;
            continue;
        }
        if (!a.starts_with('-') || request.kind != ProgramRequest::Run) continue;
        bool takesValue = false;
        if (!ToolkitOption(a, toolkitOptions, takesValue).empty()) {
            if (takesValue) ++i;
            continue;
        }
        request = {ProgramRequest::Unknown, a};
    }
    return request;
}

std::string ProgramUsageLine(const std::string& name) {
    return "Usage: " + name + " [--help] [--version]\n";
}

std::string ProgramUsage(const std::string& name, const std::string& version) {
    return ProgramUsageLine(name) + "Zelvora " + version +
           ", a tray launcher for internet radio stations. Started without\n"
           "an option, it puts its icon into the desktop's tray; started again, it\n"
           "brings the running copy's window forward.\n"
           "\n"
           "  -h, --help     show this help and exit\n"
           "      --version  show the version and exit\n"
           "\n"
           "Qt's own options (such as -platform NAME or -style NAME) are passed to Qt.\n";
}

}  // namespace plat
