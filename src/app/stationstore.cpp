#include "app/stationstore.h"

#include "gui/exceptions.h"
#include "gui/fileutil.h"
#include "platform/paths.h"
#include "platform/platform.h"

std::string StationFileName(const std::string& name) {
    std::string file = name;
    for (char& c : file)
        if (c == ' ' || c == '.' || c == '/' || c == '\\') c = '_';
    return file;
}

std::string TStationStore::PathOf(const std::string& name) const {
    return plat::JoinPath(settingsDir_, StationFileName(name));
}

bool TStationStore::Exists(const std::string& name) const { return FileExists(PathOf(name)); }

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
    plat::DWORD error = WriteFileReplacing(PathOf(name), url + "\r\n");
    if (error) throw EInOutError(static_cast<int>(error));
}

void TStationStore::Delete(const std::string& name) const {
    if (Exists(name)) plat::Current().DeleteFileA(PathOf(name));
}
