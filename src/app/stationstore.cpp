#include "app/stationstore.h"

#include <cctype>
#include <cstring>
#include <string_view>

#include "gui/exceptions.h"
#include "gui/fileutil.h"
#include "platform/paths.h"
#include "platform/platform.h"

namespace {

bool RefusedInFileNames(char c) {
    return static_cast<unsigned char>(c) < 32 || (c && std::strchr("<>:\"|?*", c));
}

// A table, as the name test of an import makes a million station file names.
struct Underscored {
    constexpr Underscored() {
        for (int c = 0; c < 32; ++c) table[c] = true;
        for (char c : std::string_view(" ./\\<>:\"|?*"))
            table[static_cast<unsigned char>(c)] = true;
    }
    bool table[256] = {};
};
constexpr Underscored kUnderscored;

}  // namespace

std::string StationFileName(const std::string& name) {
    std::string file = name;
    for (char& c : file)
        if (kUnderscored.table[static_cast<unsigned char>(c)]) c = '_';
    return file;
}

namespace {

bool SameLetters(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != b[i]) return false;
    return i == a.size() && !b[i];
}

bool DeviceName(const std::string& file) {
    for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
        if (SameLetters(file, device)) return true;
    // COM1 to COM9, LPT1 to LPT9
    return file.size() == 4 && file[3] >= '1' && file[3] <= '9' &&
           (SameLetters(file.substr(0, 3), "COM") || SameLetters(file.substr(0, 3), "LPT"));
}

}  // namespace

bool UsableFileName(const std::string& file) {
    for (char c : file)
        if (RefusedInFileNames(c)) return false;
    return !DeviceName(file);
}

std::string TStationStore::PathOf(const std::string& name) const {
    return plat::JoinPath(settingsDir_, StationFileName(name));
}

bool TStationStore::Exists(const std::string& name) const {
    return FileExists(PathOf(name));
}

bool TStationStore::Empty() const {
    return plat::Current().FindFilesA(settingsDir_).empty();
}

std::optional<std::string> TStationStore::ReadURL(const std::string& name) const {
    if (!Exists(name)) return std::nullopt;
    std::string line;
    plat::DWORD error = ReadFileChunks(PathOf(name), [&](std::string_view chunk) {
        auto end = chunk.find_first_of("\r\x1A");
        line.append(chunk.substr(0, end));
        return end == std::string_view::npos;  // read on until the line has ended
    });
    if (error) throw EInOutError(static_cast<int>(error));
    return plat::Current().SystemText(line);
}

void TStationStore::Write(const std::string& name, const std::string& url) const {
    if (!UsableFileName(StationFileName(name))) throw EInOutError(plat::ERROR_INVALID_NAME);
    plat::DWORD error = WriteFileReplacing(PathOf(name), url + "\r\n");
    if (error) throw EInOutError(static_cast<int>(error));
}

void TStationStore::Delete(const std::string& name) const {
    if (Exists(name)) plat::Current().DeleteFileA(PathOf(name));
}
