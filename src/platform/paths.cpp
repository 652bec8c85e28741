#include "platform/paths.h"

#include "platform/platform.h"

namespace plat {

bool IsPathDelimiter(char c) { return c == '\\' || c == '/' || c == ':'; }

static std::string::size_type LastDelimiter(const std::string& path) {
    for (auto i = path.size(); i > 0; --i)
        if (IsPathDelimiter(path[i - 1])) return i - 1;
    return std::string::npos;
}

std::string JoinPath(const std::string& dir, const std::string& name) {
    if (dir.empty()) return name;
    if (dir.back() == '\\' || dir.back() == '/') return dir + name;
    return dir + Current().PathDelimiter() + name;
}

std::string ExtractFilePath(const std::string& path) {
    auto i = LastDelimiter(path);
    return i == std::string::npos ? std::string() : path.substr(0, i + 1);
}

std::string ExtractFileDir(const std::string& path) {
    auto i = LastDelimiter(path);
    if (i == std::string::npos) return {};
    // Keep the delimiter of a root: "C:\" and "/".
    if (i == 0 || (i > 0 && path[i - 1] == ':' && path[i] != ':')) return path.substr(0, i + 1);
    return path.substr(0, i);
}

std::string ExtractFileName(const std::string& path) {
    auto i = LastDelimiter(path);
    return i == std::string::npos ? path : path.substr(i + 1);
}

std::string ExtractFileExt(const std::string& path) {
    auto name = ExtractFileName(path);
    auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

}  // namespace plat
