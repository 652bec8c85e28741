// The requests the station directory is asked, as its clients are asked to make
// them: the program named in User-Agent, broken stations hidden, an explicit limit
// and order on every search (the directory's own defaults are 100000 stations,
// broken ones included, by name).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/network.h"

// How the result list is ordered; each shows the most of it first.
enum class TStationOrder { Votes, Clicks, Trend, Name, Bitrate };

struct TStationQuery {
    // What the user typed, in the system's code page; empty ones are left out.
    std::string name, tag, country, language, codec;
    TStationOrder order = TStationOrder::Votes;
    int offset = 0;
    int limit = 50;
};

// A page of the result list holds this many stations.
inline constexpr int kDirectoryPage = 50;
// Check Stations asks about at most this many stations in one request.
inline constexpr int kMaxCheckedStations = 500;

// "Zelvora/<version>", the version the program file carries.
std::string DirectoryUserAgent();
// Every byte but the unreserved ones (letters, digits, - . _ ~) as %XX.
std::string PercentEncode(std::string_view utf8);

// base is "https://host" or "http://127.0.0.1:8000/prefix", without a trailing slash.
plat::HttpRequest SearchRequest(const std::string& base, const TStationQuery& query);
// The current records of the stations with these ids, in one POST.
plat::HttpRequest StationsByUuidRequest(const std::string& base,
                                        const std::vector<std::string>& uuids);
// Counts a play of the station, as the directory asks of every client that plays one.
plat::HttpRequest ClickRequest(const std::string& base, const std::string& uuid);
