#include "platform/help_page.h"

#include <cctype>
#include <cstring>

namespace plat {

namespace {

std::string Escaped(const std::string& text, const char* keep) {
    static const char* const hex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        if (std::isalnum(c) || std::strchr(keep, c)) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

}  // namespace

std::string HelpPageFor(const std::string& helpFile, const std::string& dir) {
    const auto slash = helpFile.find_last_of("\\/:");
    const auto dot = helpFile.find_last_of('.');
    std::string page = helpFile;
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) page.resize(dot);
    page += ".html";
    return slash == std::string::npos ? dir + page : page;
}

std::string HelpPageUrl(const std::string& page, const std::string& topic) {
    std::string path = page;
    for (char& c : path)
        if (c == '\\') c = '/';
    // A share ("//host/...") keeps its host; an absolute path of this host its root.
    const char* scheme = path.starts_with("//")  ? "file:"
                         : path.starts_with("/") ? "file://"
                                                 : "file:///";
    std::string url = scheme + Escaped(path, "/:._-~");
    return topic.empty() ? url : url + "#" + Escaped(topic, "._-~");
}

std::optional<std::string> JumpTopic(const std::string& macro) {
    if (macro.rfind("JumpID(", 0) != 0) return std::nullopt;
    const auto comma = macro.find("\",\"");
    if (comma == std::string::npos) return std::nullopt;
    const auto start = comma + 3;
    const auto end = macro.find('"', start);
    // A macro cut short loses its closing quote: the topic is what is left.
    return macro.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

}  // namespace plat
