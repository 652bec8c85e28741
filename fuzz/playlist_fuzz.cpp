// Playlist files as Import reads them, with the system's code page UTF-8 and 1252:
// never more than the limit of entries, every entry a station's address, and the
// stations read are exported and read back as the same stations (on a UTF-8 system,
// when the file was UTF-8 too).
#include <string>
#include <vector>

#include "app/playlist.h"
#include "harness.h"
#include "platform/headless/headless.h"

namespace {

bool SameEntries(const std::vector<TPlaylistEntry>& a, const std::vector<TPlaylistEntry>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](auto& x, auto& y) { return x.name == y.name && x.address == y.address; });
}

void Read(std::string_view bytes, plat::UINT codePage) {
    fuzz::FreshPlatform platform;
    static_cast<plat::headless::HeadlessPlatform&>(plat::Current()).systemCodePage = codePage;
    const TPlaylist list = ParsePlaylist(bytes);
    fuzz::Check(
        list.entries.size() + list.refused.size() + list.unshowable.size() <= kMaxPlaylistEntries,
        "at most the limit of entries");
    for (const auto& e : list.entries)
        fuzz::Check(IsStationAddress(e.address), "every entry is a station's address");
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
    Read(fuzz::AsText(data, size), plat::CP_UTF8);
    Read(fuzz::AsText(data, size), 1252);
    return 0;
}
