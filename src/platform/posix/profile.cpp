#include "platform/posix/profile.h"

#include <cstring>

#include "platform/posix/inifile.h"

namespace plat::posix {

namespace {

// Copies like lstrcpynA: at most size - 1 bytes and a NUL.
void CopyCut(char* buffer, std::string_view text, DWORD size) {
    auto n = std::min<std::size_t>(text.size(), size - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

// Copies a value or a default: one pair of matching surrounding quotes is dropped,
// unless the cut leaves the closing quote out anyway. A NUL byte in the file ends
// the value, as it ends the string the caller gets.
void CopyEntry(char* buffer, std::string_view value, DWORD size) {
    value = value.substr(0, value.find('\0'));
    char quote = 0;
    if (value.size() > 1 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]) {
        quote = value[0];
        value.remove_prefix(1);
    }
    CopyCut(buffer, value, size);
    auto n = std::strlen(buffer);
    if (quote && size >= value.size() && n > 0) buffer[n - 1] = '\0';
}

// Only trailing blanks go, and never the first character.
std::string TrimDefault(const char* defaultValue) {
    std::string d = defaultValue ? defaultValue : "";
    auto keep = d.find_last_not_of(' ');
    return d.empty() ? d : d.substr(0, keep == std::string::npos ? 1 : keep + 1);
}

// Section names as a list of NUL-ended strings closed by one more NUL; when it does not
// fit, the last name is cut and the answer is size - 2.
DWORD CopySectionNames(const IniFile& ini, char* buffer, DWORD size) {
    if (size == 1) return buffer[0] = '\0', 0;
    char* p = buffer;
    DWORD room = size - 1;
    for (const auto& name : ini.SectionNames()) {
        DWORD need = static_cast<DWORD>(name.size()) + 1;
        if (need >= room) {
            std::memcpy(p, name.data(), room - 1);
            p += room - 1;
            *p++ = '\0';
            *p = '\0';
            return size - 2;
        }
        std::memcpy(p, name.c_str(), need);
        p += need;
        room -= need;
    }
    *p = '\0';
    return static_cast<DWORD>(p - buffer);
}

// The key names of the first section of the name, as the Windows function lists them:
// comments, lines without "=" and empty names left out.
DWORD CopyKeyNames(const IniSection* section, char* buffer, DWORD size) {
    if (!section) {
        buffer[0] = '\0';
        if (size > 1) buffer[1] = '\0';
        return 0;
    }
    char* p = buffer;
    DWORD left = size;
    for (const auto& entry : section->entries) {
        if (left <= 2) break;
        if (entry.name.empty() || entry.name[0] == ';' || !entry.value) continue;
        CopyCut(p, entry.name, left - 1);  // names keep their quotes
        auto n = static_cast<DWORD>(std::strlen(p));
        left -= n + 1;
        p += n + 1;
        if (left < 2) break;
    }
    *p = '\0';
    if (left <= 1) {
        if (p > buffer) p[-1] = '\0';
        return size - 2;
    }
    return size - left;
}

}  // namespace

// A bare file name lives in the Windows directory, as the Windows functions place it.
static std::string ProfilePath(const std::string& windowsDir, const char* fileName) {
    std::string name = fileName ? fileName : "win.ini";
    if (name.find_first_of("/\\") != std::string::npos) return name;
    return windowsDir + '/' + name;
}

DWORD GetProfileString(Files& files, const std::string& windowsDir, const char* section,
                       const char* key, const char* defaultValue, char* buffer, DWORD size,
                       const char* fileName) {
    if (!buffer || size == 0) return 0;
    buffer[0] = '\0';
    std::string fallback = TrimDefault(defaultValue);
    auto path = ProfilePath(windowsDir, fileName);
    std::string bytes;
    DWORD error = fileops::ReadAll(path, bytes);
    if (error && error != ERROR_FILE_NOT_FOUND) {
        // A file that cannot be opened at all answers the default as given.
        files.LastError() = error;
        CopyCut(buffer, fallback, size);
        return static_cast<DWORD>(std::strlen(buffer));
    }
    auto ini = error ? IniFile() : IniFile::Parse(bytes);
    if (!section) return CopySectionNames(ini, buffer, size);
    if (!key) {
        DWORD n = CopyKeyNames(ini.FindSection(section), buffer, size);
        if (buffer[0]) return n;
    } else {
        // An empty name is looked up like any other: it finds an "=value" line.
        const auto* entry = ini.FindKey(section, key);
        if (entry && entry->value) fallback = *entry->value;
    }
    CopyEntry(buffer, fallback, size);
    return static_cast<DWORD>(std::strlen(buffer));
}

BOOL WriteProfileString(Files& files, const std::string& windowsDir, const char* section,
                        const char* key, const char* value, const char* fileName) {
    DWORD& lastError = files.LastError();
    // No section: only the "flush the cache" call, which has nothing to do here.
    if (!section) return lastError = ERROR_FILE_NOT_FOUND, 0;
    auto path = ProfilePath(windowsDir, fileName);
    if (fileops::IsReadOnly(files.ReadOnly(), path)) return lastError = ERROR_ACCESS_DENIED, 0;
    std::string bytes;
    DWORD error = fileops::ReadAll(path, bytes);
    if (error && error != ERROR_FILE_NOT_FOUND) return lastError = error, 0;
    auto ini = error ? IniFile() : IniFile::Parse(bytes);
    bool changed = !key     ? ini.DeleteSection(section)
                   : !value ? ini.DeleteKey(section, key)
                            : ini.Set(section, key, value);
    if (!changed) return 1;
    if (DWORD failed = fileops::ReplaceWith(files.ReadOnly(), path, ini.Serialize()))
        return lastError = failed, 0;
    return 1;
}

}  // namespace plat::posix
