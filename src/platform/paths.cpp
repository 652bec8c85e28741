#include "platform/paths.h"

#include <cstdint>

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

// FNV-1a: the same folder gives the same name in every build and on every run.
std::string InstanceName(const std::string& folder, bool ignoreCase) {
    std::uint64_t hash = 14695981039346656037ull;
    for (char c : folder) {
        if (ignoreCase && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    static const char digits[] = "0123456789abcdef";
    std::string name = "Zelvora-";
    for (int shift = 60; shift >= 0; shift -= 4) name += digits[(hash >> shift) & 0xF];
    return name;
}

}  // namespace plat
