// What becomes of a station found in the directory on its way into the program: its
// row in the result list, the name it is added under, and what Check Stations makes
// of the directory's later answer about it.
#pragma once

#include <string>
#include <vector>

#include "app/directory_stations.h"

// The row of the result list: name, country, codec, bitrate, tags and votes, joined
// by tabs, in the system's code page.
std::string ResultRow(const TFoundStation& station);

// The name a found station is added under: its directory name in the system's code
// page with control characters and runs of blanks made one blank, what no file name
// may hold (< > : " | ? *) made a dash, cut to kMaxFoundName bytes; "Station" when
// nothing is left, and never a name the system keeps for a device.
inline constexpr std::size_t kMaxFoundName = 80;
std::string AcceptableStationName(const std::string& directoryName);

// A station of the list that came from the directory, as it is now.
struct TKeptStation {
    std::string name;
    std::string uuid;
    std::string address;  // its station file's, in the system's code page
};

enum class TCheckResult {
    Same,    // the directory still has it at this address
    Moved,   // the directory has a new address for it: newAddress
    Broken,  // the directory's own check finds it silent
    Gone,    // the directory no longer lists it
};

struct TCheckFinding {
    std::string name;
    TCheckResult result = TCheckResult::Same;
    std::string newAddress;
};

// One finding for each kept station, in their order, from the directory's answer.
std::vector<TCheckFinding> CheckAgainst(const std::vector<TKeptStation>& kept,
                                        const TStationList& answer);
