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
    bool categories = false;
    for (const auto& [key, value] : e.fields) {
        text += key + "=" + value + "\n";
        categories = categories || key == "Categories";
    }
    text += "Exec=" + EscapeValue(exec) + "\n";
    if (!e.workingDir.empty()) text += "Path=" + EscapeValue(e.workingDir) + "\n";
    if (!e.icon.empty()) text += "Icon=" + EscapeValue(e.icon) + "\n";
    text += "Terminal=false\n";
    if (!categories) text += "Categories=AudioVideo;Audio;Player;\n";
    return text;
}

std::vector<std::pair<std::string, std::string>> DescriptionFields(const std::string& entryText) {
    static const char* const kDescribing[] = {"GenericName", "Comment", "Keywords", "Categories"};
    std::vector<std::pair<std::string, std::string>> fields;
    bool main = false;
    std::size_t start = 0;
    while (start < entryText.size()) {
        std::size_t end = entryText.find('\n', start);
        if (end == std::string::npos) end = entryText.size();
        std::string line = entryText.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.starts_with('[')) {
            main = line == "[Desktop Entry]";
            continue;
        }
        const auto equals = line.find('=');
        if (!main || line.starts_with('#') || equals == std::string::npos) continue;
        std::string key = line.substr(0, equals);
        while (!key.empty() && key.back() == ' ') key.pop_back();
        const std::string base = key.substr(0, key.find('['));
        std::string value = line.substr(equals + 1);
        value.erase(0, value.find_first_not_of(' '));
        for (const char* describing : kDescribing)
            if (base == describing) fields.emplace_back(key, value);
    }
    return fields;
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
