// Playlist files as Import reads them, with the system's code page UTF-8 and 1252:
// never more than the limit of entries, every entry a station's address, every
// address through the check Add and Import make (and the input itself as one) and
// handed to a player as exactly one argument, and the stations read are exported and
// read back as the same stations (on a UTF-8 system, when the file was UTF-8 too).
#include <algorithm>
#include <string>
#include <vector>

#include "app/playlist.h"
#include "app/stationaddress.h"
#include "harness.h"
#include "platform/command_line.h"
#include "platform/headless/headless.h"

namespace {

bool SameEntries(const std::vector<TPlaylistEntry>& a, const std::vector<TPlaylistEntry>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](auto& x, auto& y) { return x.name == y.name && x.address == y.address; });
}

// What the address check promises for any address: none it takes holds a control
// character, nor a URL a blank, and an address it took it takes again unchanged.
void CheckAddress(std::string_view address) {
    const TCheckedAddress checked = CheckStationAddress(address);
    if (checked.fault != TAddressFault::None) return;
    const std::string& a = checked.address;
    fuzz::Check(
        std::none_of(a.begin(), a.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }),
        "no control character in a checked address");
    fuzz::Check(!IsURL(a) || a.find(' ') == std::string::npos, "no blank in a checked URL");
    fuzz::Check(IsStationAddress(a), "a checked address is a station's");
    const TCheckedAddress again = CheckStationAddress(a);
    fuzz::Check(again.fault == TAddressFault::None && again.address == a,
                "a checked address checks the same");
    // As a player gets it on Windows: the command line read back by the C runtime's
    // rules gives the address as one argument, after the end of the options.
    const plat::CommandLine line{"C:\\Program Files\\mpv\\mpv.exe",
                                 {"--force-window=yes", "--", a}};
    const plat::CommandLine back = plat::SplitCommandLine(plat::JoinCommandLine(line), nullptr);
    fuzz::Check(back.program == line.program && back.arguments == line.arguments,
                "an address reaches the player as one argument");
}

void Read(std::string_view bytes, plat::UINT codePage) {
    fuzz::FreshPlatform platform;
    static_cast<plat::headless::HeadlessPlatform&>(plat::Current()).systemCodePage = codePage;
    const TPlaylist list = ParsePlaylist(bytes);
    fuzz::Check(
        list.entries.size() + list.refused.size() + list.unshowable.size() <= kMaxPlaylistEntries,
        "at most the limit of entries");
    for (const auto& e : list.entries) {
        fuzz::Check(IsStationAddress(e.address), "every entry is a station's address");
        CheckAddress(e.address);
    }
    for (const auto& address : list.refused) CheckAddress(address);
    // A file that is not UTF-8 on a system whose code page is: its texts stay bytes the
    // system cannot show, and an export cannot give them back.
    if (codePage == plat::CP_UTF8 && !bytes.empty() &&
        plat::Current().MultiByteToWideChar(plat::CP_UTF8, plat::MB_ERR_INVALID_CHARS, bytes.data(),
                                            static_cast<int>(bytes.size()), nullptr, 0) == 0)
        return;
    const TPlaylist again = ParsePlaylist(WritePlaylist(list.entries));
    fuzz::Check(SameEntries(again.entries, list.entries) && again.refused.empty() &&
                    again.unshowable.empty(),
                "exported stations read back the same");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CheckAddress(fuzz::AsText(data, size));  // any bytes at all, typed into Add
    Read(fuzz::AsText(data, size), plat::CP_UTF8);
    Read(fuzz::AsText(data, size), 1252);
    return 0;
}
