// The station directory's answers as the client reads them (a search's list, byuuid's
// list), then on their way into the program, on a UTF-8 and a 1252 system: whatever
// the bytes, a list is read or refused as a whole, every station kept has an id and an
// address that is one line of ASCII, and what becomes of it (its row, the name it is
// added under, a check against it) holds for any station.
#include <string>

#include "app/directory_stations.h"
#include "app/foundstations.h"
#include "app/stationstore.h"
#include "harness.h"
#include "platform/headless/headless.h"

namespace {

bool OneAsciiLine(const std::string& s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) <= ' ' || static_cast<unsigned char>(c) >= 127)
            return false;
    return true;
}

void Read(std::string_view bytes, plat::UINT codePage) {
    fuzz::FreshPlatform platform;
    static_cast<plat::headless::HeadlessPlatform&>(plat::Current()).systemCodePage = codePage;
    const TStationList list = ParseStations(bytes);
    if (list.trouble != TStationsTrouble::None) {
        fuzz::Check(list.stations.empty() && list.skipped == 0, "a refused answer keeps nothing");
        return;
    }
    std::vector<TKeptStation> kept;
    for (const auto& s : list.stations) {
        fuzz::Check(!s.uuid.empty() && !s.PlayAddress().empty(), "a station has an id and address");
        fuzz::Check(OneAsciiLine(s.url) && OneAsciiLine(s.urlResolved),
                    "an address is one line of ASCII");
        fuzz::Check(s.name.size() <= kMaxStationField && s.tags.size() <= kMaxStationField,
                    "texts are bounded");
        const std::string name = AcceptableStationName(s.name);
        fuzz::Check(!name.empty() && name.size() <= kMaxFoundName + 6 &&
                        UsableFileName(StationFileName(name)),
                    "a found station's name is one a station file can hold");
        fuzz::Check(ResultRow(s).find('\n') == std::string::npos, "a row is one line");
        kept.push_back({name, s.uuid, s.PlayAddress()});
    }
    const auto findings = CheckAgainst(kept, list);
    fuzz::Check(findings.size() == kept.size(), "one finding for each kept station");
    for (const auto& f : findings)
        fuzz::Check(f.result != TCheckResult::Gone, "a station in the answer is not gone");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Read(fuzz::AsText(data, size), plat::CP_UTF8);
    Read(fuzz::AsText(data, size), 1252);
    return 0;
}
