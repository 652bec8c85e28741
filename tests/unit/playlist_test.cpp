// Reading and writing playlists: the three forms, their texts, and files that are
// not what they claim to be.
#include <gtest/gtest.h>

#include "app/playlist.h"
#include "gui/exceptions.h"
#include "support/gui_fixture.h"

namespace {

using Playlist = GuiTest;

std::vector<std::pair<std::string, std::string>> Pairs(const TPlaylist& list) {
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const auto& e : list.entries) pairs.emplace_back(e.name, e.address);
    return pairs;
}

TEST_F(Playlist, M3UPLSAndPlainLinesGiveNamesAndAddresses) {
    auto m3u = ParsePlaylist(
        "\xEF\xBB\xBF#EXTM3U\r\n#EXTINF:-1 tvg-name=\"a,b\",Groove Salad\r\n"
        "#EXTVLCOPT:network-caching=1000\r\nhttps://somafm.com/groovesalad.pls\r\n"
        "\r\n  http://kexp.invalid/kexp128.mp3?ref=x  \nC:\\Music\\Live set.mp3\r");
    EXPECT_EQ(Pairs(m3u), (std::vector<std::pair<std::string, std::string>>{
                              {"Groove Salad", "https://somafm.com/groovesalad.pls"},
                              {"kexp.invalid/kexp128.mp3", "http://kexp.invalid/kexp128.mp3?ref=x"},
                              {"Live set.mp3", "C:\\Music\\Live set.mp3"}}));
    EXPECT_EQ(m3u.trouble, TPlaylistTrouble::None);

    auto pls = ParsePlaylist(
        "[Playlist]\nNumberOfEntries=3\nFile2=mms://two.invalid/\nTitle1=One\n"
        "File1=rtsp://one.invalid/\nFile3=HTTP://three.invalid/live/\nVersion=2\n");
    EXPECT_EQ(Pairs(pls), (std::vector<std::pair<std::string, std::string>>{
                              {"One", "rtsp://one.invalid/"},
                              {"two.invalid", "mms://two.invalid/"},
                              {"three.invalid/live", "HTTP://three.invalid/live/"}}));
    EXPECT_EQ(pls.trouble, TPlaylistTrouble::None);
}

TEST_F(Playlist, NamesMadeFromAddressesReadBackFromAnExport) {
    auto list = ParsePlaylist("http:// Zone\nC:\\Music\\ live.mp3 \n");
    EXPECT_EQ(Pairs(list), (std::vector<std::pair<std::string, std::string>>{
                               {"Zone", "http:// Zone"}, {"live.mp3", "C:\\Music\\ live.mp3"}}));
    EXPECT_EQ(Pairs(ParsePlaylist(WritePlaylist(list.entries))), Pairs(list));
}

// Other players show the title; this program reads the name back from its attribute.
TEST_F(Playlist, NamesATitleCannotHoldAreWrittenIntoAnAttributeAsWell) {
    EXPECT_EQ(WritePlaylist({{" Jazz\t\"FM\" 100%", "http://j.invalid/"}}),
              "#EXTM3U\r\n#EXTINF:-1 zelvora-name=\"%20Jazz%09%22FM%22%20100%25\","
              "Jazz \"FM\" 100%\r\nhttp://j.invalid/\r\n");
    auto list = ParsePlaylist(
        "#EXTINF:-1 zelvora-name=\" a%zz%4\",Shown\nhttp://a.invalid/\n"
        "#EXTINF:-1 xzelvora-name=\"b\",Shown\nhttp://b.invalid/\n");
    EXPECT_EQ(Pairs(list), (std::vector<std::pair<std::string, std::string>>{
                               {" a%zz%4", "http://a.invalid/"}, {"Shown", "http://b.invalid/"}}));
}

TEST_F(Playlist, AddressesThatAreNoStreamOrFileAreRefused) {
    auto list = ParsePlaylist(
        "javascript:alert(1)\nftp://files.invalid/a.mp3\nrelative/song.mp3\nhttp://\n"
        "\\\\server\\share\\radio.m3u\nhttp://ok.invalid/\n");
    EXPECT_EQ(list.refused,
              (std::vector<std::string>{"javascript:alert(1)", "ftp://files.invalid/a.mp3",
                                        "relative/song.mp3", "http://"}));
    ASSERT_EQ(list.entries.size(), 2u);
    EXPECT_EQ(list.entries[0].name, "radio.m3u");
}

TEST_F(Playlist, UTF8TextsReachTheSystemCodePageOrAreNamedWhenItCannotHoldThem) {
    harness().systemCodePage = 1252;
    auto list = ParsePlaylist(
        "#EXTINF:-1,Caf\xC3\xA9 \xE2\x82\xAC\nhttp://cafe.invalid/\n"
        "#EXTINF:-1,\xD0\x9C\xD0\xB8\xD1\x80 FM\nhttp://mir.invalid/\n");
    ASSERT_EQ(list.entries.size(), 1u);
    EXPECT_EQ(list.entries[0].name, "Caf\xE9 \x80");
    EXPECT_EQ(list.unshowable, std::vector<std::string>{"??? FM"});

    // An old M3U written in the system's code page is not UTF-8: its bytes are kept.
    auto old = ParsePlaylist("#EXTINF:-1,Caf\xE9\nhttp://cafe.invalid/\n");
    ASSERT_EQ(old.entries.size(), 1u);
    EXPECT_EQ(old.entries[0].name, "Caf\xE9");

    EXPECT_EQ(WritePlaylist({{"Caf\xE9", "http://cafe.invalid/"}, {"Jazz, live", "C:\\j.mp3"}}),
              "#EXTM3U\r\n#EXTINF:-1,Caf\xC3\xA9\r\nhttp://cafe.invalid/\r\n"
              "#EXTINF:-1,Jazz, live\r\nC:\\j.mp3\r\n");
}

TEST_F(Playlist, BinaryTruncatedHugeAndOverlongFilesSayWhatWasRead) {
    auto binary = ParsePlaylist(std::string("http://a.invalid/\n\x00\x01\x02ID3", 24));
    EXPECT_EQ(binary.trouble, TPlaylistTrouble::Binary);
    EXPECT_TRUE(binary.entries.empty());

    auto cut = ParsePlaylist("#EXTINF:-1,One\nhttp://one.invalid/\n#EXTINF:-1,Two\n");
    EXPECT_EQ(cut.trouble, TPlaylistTrouble::Truncated);
    EXPECT_EQ(cut.entries.size(), 1u);
    // A PLS that announces more than it holds, with a number meant to be allocated.
    auto short_pls = ParsePlaylist(
        "[playlist]\nNumberOfEntries=3\nFile1=http://one.invalid/\n"
        "File99999999999=http://x.invalid/\n");
    EXPECT_EQ(short_pls.trouble, TPlaylistTrouble::Truncated);
    EXPECT_EQ(short_pls.entries.size(), 1u);

    std::string many;
    for (int i = 0; i < 100000; ++i) many += "http://s" + std::to_string(i) + ".invalid/\n";
    auto full = ParsePlaylist(many);
    EXPECT_EQ(full.trouble, TPlaylistTrouble::TooMany);
    EXPECT_EQ(full.entries.size(), kMaxPlaylistEntries);

    // Past the limit nothing is read, and the line the limit cuts through is dropped.
    std::string huge = "#EXTINF:-1,First\nhttp://first.invalid/\n" +
                       std::string(kMaxPlaylistBytes, '#') + "\nhttp://late.invalid/\n";
    const std::string path =
        WriteFile("huge.m3u", std::vector<unsigned char>(huge.begin(), huge.end()));
    auto large = ReadPlaylist(path);
    EXPECT_EQ(large.trouble, TPlaylistTrouble::TooLarge);
    ASSERT_EQ(large.entries.size(), 1u);
    EXPECT_EQ(large.entries[0].name, "First");

    EXPECT_THROW(ReadPlaylist(dir() + "/missing.m3u"), EInOutError);
}

}  // namespace
