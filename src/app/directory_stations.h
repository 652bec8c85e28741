// The station records the directory answers with, as the program keeps them: read
// from its JSON with a reader that holds only what it keeps, so that an answer of
// any shape costs no more than the stations in it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// One station of the directory. Texts are UTF-8, as the directory sends them.
struct TFoundStation {
    std::string uuid;  // stationuuid: the id that stays the same on every server
    std::string name;
    // Addresses are ASCII: blanks and bytes beyond ASCII come percent-encoded, so an
    // address reads the same in every code page; one with control characters is none.
    std::string url;          // as entered: may be a playlist
    std::string urlResolved;  // playlists and redirects already followed
    std::string country, countryCode, language, codec, tags;
    long long bitrate = 0, votes = 0, clicks = 0;
    bool lastCheckOk = true;  // false: the directory's last check found it silent

    // What a player is given: the resolved address where the directory has one.
    const std::string& PlayAddress() const { return urlResolved.empty() ? url : urlResolved; }
};

// More than this is refused before it is read, whatever the server says.
inline constexpr std::size_t kMaxDirectoryAnswer = 8 * 1024 * 1024;
// A text longer than this is no real name or address: its station is skipped.
inline constexpr std::size_t kMaxStationField = 4096;

enum class TStationsTrouble {
    None,
    TooLarge,   // over kMaxDirectoryAnswer: nothing was read
    Malformed,  // not JSON, or nested deeper than any answer is
    NotAList,   // JSON, but not a list of stations
};

struct TStationList {
    std::vector<TFoundStation> stations;  // in the answer's order
    // Entries that were not stations the program can use: a field of the wrong type,
    // no id, no address, a text too long. The others of the page are kept.
    int skipped = 0;
    TStationsTrouble trouble = TStationsTrouble::None;
};

// Reads a list of stations (a search's or byuuid's answer). Numbers that come as
// strings, as older servers send them, count as numbers; null counts as missing.
TStationList ParseStations(std::string_view json);
