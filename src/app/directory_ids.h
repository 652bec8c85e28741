// The directory ids (stationuuid) of the stations that came from the station
// directory, so that Check Stations can ask about them later. They live in a file of
// their own, zelvora.ids beside the order file: the station files and the order file
// keep their formats. One station a line, "<id> TAB <name>", UTF-8 on Linux and the
// system's code page on Windows, as the names are.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

inline constexpr const char* kDirectoryIdsFile = "zelvora.ids";
// A file larger than this is not ours: it is read as far as this.
inline constexpr std::size_t kMaxIdsFileBytes = 1024 * 1024;

class TDirectoryIds {
  public:
    explicit TDirectoryIds(std::string path) : path_(std::move(path)) {}

    // Reads the file; a missing one holds no ids, lines that are not "<id> TAB <name>"
    // are left out. EInOutError when it exists but cannot be read.
    void Load();
    // Writes the ids of the stations still listed, replacing the file (removing it
    // when none is left); EInOutError when it cannot be written, the old file kept.
    void Save(const std::vector<std::string>& listed);

    // The id of the station of that name (case ignored, as station names are); empty
    // for none.
    std::string IdOf(const std::string& name) const;
    void Set(const std::string& name, const std::string& uuid);
    const std::vector<std::pair<std::string, std::string>>& Entries() const { return entries_; }

  private:
    std::string path_;
    std::vector<std::pair<std::string, std::string>> entries_;  // name, id
};
