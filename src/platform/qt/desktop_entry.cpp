#include "platform/qt/desktop_entry.h"

#include <cstring>

namespace qtb {

namespace {

std::string EscapeValue(const std::string& value) {
    std::string out;
    for (char c : value) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// One argument of an Exec line: quoted when it holds a reserved character, with the
// characters that quotes do not protect escaped; a literal percent doubled.
std::string ExecArgument(const std::string& arg) {
    static const char* const reserved = " \t\n\"'\\><~|&;$*?#()`";
    std::string percent;
    for (char c : arg) percent += c == '%' ? std::string("%%") : std::string(1, c);
    const bool quote = arg.empty() || arg.find_first_of(reserved) != std::string::npos;
    if (!quote) return percent;
    std::string out = "\"";
    for (char c : percent) {
        if (std::strchr("\"`$\\", c)) out += '\\';
        out += c;
    }
    return out + "\"";
}

}  // namespace

std::string DesktopEntryText(const DesktopEntry& e) {
    std::string exec = ExecArgument(e.program);
    for (const auto& a : e.arguments) exec += " " + ExecArgument(a);
    std::string text = "[Desktop Entry]\n";
    text += "Type=Application\n";
    text += "Version=1.4\n";
    text += "Name=" + EscapeValue(e.name) + "\n";
    text += "Exec=" + EscapeValue(exec) + "\n";
    if (!e.workingDir.empty()) text += "Path=" + EscapeValue(e.workingDir) + "\n";
    if (!e.icon.empty()) text += "Icon=" + EscapeValue(e.icon) + "\n";
    text += "Terminal=false\n";
    text += "Categories=AudioVideo;Audio;Player;\n";
    return text;
}

std::string UnescapeValue(const std::string& value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        switch (value[++i]) {
            case 's':
                out += ' ';
                break;
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case 'r':
                out += '\r';
                break;
            default:
                out += value[i];  // \\ and anything else the spec does not name
        }
    }
    return out;
}

std::vector<std::string> SplitExec(const std::string& exec) {
    std::vector<std::string> args;
    std::string arg;
    bool quoted = false, any = false;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        const char c = exec[i];
        if (quoted && c == '\\' && i + 1 < exec.size()) {
            arg += exec[++i];
        } else if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (!quoted && (c == ' ' || c == '\t')) {
            if (any || !arg.empty()) args.push_back(arg);
            arg.clear();
            any = false;
        } else {
            arg += c;
        }
    }
    if (any || !arg.empty()) args.push_back(arg);
    return args;
}

}  // namespace qtb
