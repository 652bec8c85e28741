// Stations from and to playlists: the floating window's import and export, and the
// starter stations of a first start.
#include <gtest/gtest.h>

#include "app/radiotoolbar.h"
#include "app/radiowin.h"
#include "app/stationstore.h"
#include "gui/fileutil.h"
#include "platform/paths.h"
#include "support/app_fixture.h"

namespace {

class Playlists : public AppTest {
  protected:
    void StartQuietly() {
        WriteSettings("[MainForm]\r\nShowWinAtStartCB=0\r\n");
        Start();
        RadioForm->AboutShown = true;
    }
    std::string Write(const std::string& name, const std::string& text) {
        const std::string path = plat::JoinPath(dir(), name);
        WriteText(path, text);
        return path;
    }
    void Import(const std::string& path) {
        harness().openDialogAnswers.push_back(path);
        RadioFloatWin->ImportStations1->UserChoose();
    }
    void Import(const std::string& name, const std::string& text) { Import(Write(name, text)); }
    std::vector<std::string> Names() { return RadioForm->StationLB->Items()->Items(); }
    std::string URL(const std::string& name) {
        return TStationStore(SettingsDir()).ReadURL(name).value_or("(none)");
    }
    std::string LastMessage() {
        return harness().messageBoxes.empty() ? "" : harness().messageBoxes.back().text;
    }
};

TEST_F(Playlists, ImportAddsByAddsRulesAndOneBoxNamesWhatWasSkipped) {
    SeedStations({{"Jazz", "http://jazz.invalid/"}});
    StartQuietly();
    RadioForm->StationLB->SetItemIndex(0);
    RadioFloatWin->CopyStationList(true);
    const std::string list =
        Write("list.m3u8",
              "#EXTM3U\n#EXTINF:-1,Locked\nhttp://locked.invalid/\n#EXTINF:-1,JAZZ\n"
              "http://other.invalid/\n#EXTINF:-1,Rock FM\nhttp://rock.invalid/\n"
              "#EXTINF:-1,Nul\nhttp://nul.invalid/\nfile.txt\n#EXTINF:-1,News: \"Live\" | Why?\n"
              "http://news.invalid/\nhttp://radio.example.net:8000/live\n"
              "#EXTINF:-1,Tab\nhttp://tab.invalid/\t--script=x.lua\n");
    harness().FailNext("MoveFileExA", plat::ERROR_ACCESS_DENIED);  // the first station file
    Import(list);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Jazz", "Rock FM", "News: \"Live\" | Why?",
                                                 "radio.example.net:8000/live"}));
    EXPECT_EQ(URL("Jazz"), "http://jazz.invalid/") << "a station already listed changes not";
    EXPECT_EQ(URL("Rock FM"), "http://rock.invalid/");
    EXPECT_EQ(URL("News: \"Live\" | Why?"), "http://news.invalid/");
    EXPECT_TRUE(FileExists(plat::JoinPath(SettingsDir(), "radio_example_net_8000_live")));
    EXPECT_EQ(RadioFloatWin->StationCB->Items()->Items(), Names());
    EXPECT_EQ(RadioFloatWin->StationCB->ItemIndex(), 0);
    ASSERT_EQ(harness().messageBoxes.size(), 1u);
    EXPECT_EQ(harness().messageBoxes[0].type, plat::MB_OK | plat::MB_ICONWARNING);
    EXPECT_EQ(LastMessage(),
              "3 stations were added from list.m3u8.\n\n"
              "Not added, because the name is already in the list: \"JAZZ\".\n\n"
              "Not added, because no station file can have that name: \"Nul\".\n\n"
              "Not added, because the station file could not be written (File access denied): "
              "\"Locked\".\n\n"
              "Not added, because the address holds control characters: \"Tab\".\n\n"
              "Not added, because the address is neither a stream (http, https, mms, mmsh, rtsp, "
              "rtmp, pnm) "
              "nor a file: \"file.txt\".");
}

// A disk that fills up part-way: each station after it fails alike, and the box names
// the first twenty.
TEST_F(Playlists, TheBoxNamesTheFirstTwentyLeftOutAndHowManyMore) {
    StartQuietly();
    std::string text;
    for (int i = 1; i <= 25; ++i)
        text += "#EXTINF:-1,S" + std::to_string(i) + "\nhttp://s.invalid/\n";
    const std::string list = Write("many.m3u", text);
    for (int i = 0; i < 25; ++i) harness().FailNext("MoveFileExA", kDiskFull);
    Import(list);
    std::string names;
    for (int i = 1; i <= 20; ++i) names += (i > 1 ? ", \"S" : "\"S") + std::to_string(i) + "\"";
    EXPECT_EQ(LastMessage(),
              "No station was added from many.m3u.\n\nNot added, because the station file could "
              "not be written (Disk full): " +
                  names + " and 5 more.");
}

TEST_F(Playlists, ABinaryOrTruncatedFileSaysSoAndAddsOnlyWhatWasReadCleanly) {
    StartQuietly();
    Import("song.mp3", std::string("ID3\x03\x00\x00\x00http://x.invalid/\n", 24));
    EXPECT_TRUE(Names().empty());
    EXPECT_EQ(LastMessage(),
              "No station was added from song.mp3.\n\nThe file is no playlist: it "
              "holds binary data, so nothing was read from it.");
    Import("cut.pls", "[playlist]\nFile1=http://one.invalid/\nTitle1=One\nTitle2=Two\n");
    EXPECT_EQ(Names(), std::vector<std::string>{"One"});
    EXPECT_EQ(LastMessage(),
              "1 station was added from cut.pls.\n\nThe file ends in the middle "
              "of a station: the stations before it were read.");

    Import(plat::JoinPath(dir(), "gone.m3u"));
    EXPECT_EQ(LastMessage(), "File not found.") << "the error report, with the file's error";
    EXPECT_EQ(Names(), std::vector<std::string>{"One"});
}

TEST_F(Playlists, ExportWritesTheListInOrderAsExtendedM3UInUtf8) {
    harness().systemCodePage = 1252;
    SeedStations({{"Rock FM", "http://rock.invalid/"},
                  {"Caf\xE9", "http://cafe.invalid/"},
                  {"Lost", "http://lost.invalid/"}});
    platform().DeleteFileA(plat::JoinPath(SettingsDir(), "Lost"));
    StartQuietly();
    const std::string out = plat::JoinPath(dir(), "mine.m3u8");
    harness().saveDialogAnswers.push_back(out);
    RadioFloatWin->ExportStations1->UserChoose();
    EXPECT_EQ(ReadText(out),
              "#EXTM3U\r\n#EXTINF:-1,Rock FM\r\nhttp://rock.invalid/\r\n"
              "#EXTINF:-1,Caf\xC3\xA9\r\nhttp://cafe.invalid/\r\n");
    EXPECT_EQ(LastMessage(), "2 stations were written to " + out +
                                 ".\n\nLeft out, because they have no address: \"Lost\".");
    EXPECT_EQ(harness().saveDialogs.back().defaultExt, "m3u8");

    // An export that cannot be written keeps the file that was there.
    platform().SetFileAttributesA(out, plat::FILE_ATTRIBUTE_READONLY);
    harness().saveDialogAnswers.push_back(out);
    RadioFloatWin->ExportStations1->UserChoose();
    EXPECT_EQ(LastMessage(), "File access denied.");
    EXPECT_NE(ReadText(out).find("Rock FM"), std::string::npos);

    // What was exported imports again, nothing new being added to the same list.
    Import(out);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Rock FM", "Caf\xE9", "Lost"}));
    EXPECT_NE(LastMessage().find("\"Rock FM\", \"Caf\xE9\""), std::string::npos);
}

// Every name and address Add takes comes back, in the same order, when an export is
// imported into an empty list.
TEST_F(Playlists, AnExportImportedIntoAnEmptyListGivesBackTheSameList) {
    StartQuietly();
    for (auto [name, url] : std::vector<std::pair<std::string, std::string>>{
             {"  Blues  Radio ", "http://blues.invalid/live set"},
             {"   ", "https://blank.invalid/"},
             {"Jazz, live", "http://a.invalid/a,b?x=1&y=\"2\"#top"},
             {"#1 Hits", "HTTP://UPPER.invalid/"},
             {"-1,Say \"hi\"", "rtsp://a.invalid/#hash"},
             {"News: Live | Why? 100%", "mms://a.invalid/x"},
             {"\tTab\there", "C:\\Music\\Live set.mp3"},
             {"Line\r\nbreak\x01", "\\\\nas\\radio\\a b.m3u"},
             {"Caf\xC3\xA9 del Mar", "/home/me/My Radio/caf\xC3\xA9.pls"},
             {"http://radio.example.net:8000/live", "http://radio.example.net:8000/live"},
             {"x zelvora-name=\"y\",z", "http://trick.invalid/"}})
        ASSERT_EQ(RadioForm->AddStation(name, url), TAddResult::Added) << name;
    const std::vector<std::string> names = Names();
    std::vector<std::string> urls;
    for (const auto& name : names) urls.push_back(URL(name));
    const std::string out = plat::JoinPath(dir(), "all.m3u8");
    harness().saveDialogAnswers.push_back(out);
    RadioFloatWin->ExportStations1->UserChoose();

    for (const auto& name : names) RadioForm->Stations().Delete(name);
    RadioForm->StationLB->Items()->Clear();
    Import(out);
    EXPECT_EQ(LastMessage(), "11 stations were added from all.m3u8.");
    EXPECT_EQ(Names(), names);
    for (std::size_t i = 0; i < names.size(); ++i) EXPECT_EQ(URL(names[i]), urls[i]) << names[i];
}

TEST_F(Playlists, AFirstStartFillsTheListFromTheStarterFileAndNoOtherStartDoes) {
    const std::string starter = plat::JoinPath(ProgramDir(), kStarterStationsFile);
    WriteText(starter,
              "#EXTM3U\n#EXTINF:-1,Groove Salad\nhttps://somafm.com/groovesalad.pls\n"
              "#EXTINF:-1,FIP\nhttps://stream.radiofrance.fr/fip/fip.m3u8\n");
    Start();
    EXPECT_EQ(Names(), (std::vector<std::string>{"Groove Salad", "FIP"}));
    EXPECT_EQ(URL("FIP"), "https://stream.radiofrance.fr/fip/fip.m3u8");
    EXPECT_TRUE(harness().messageBoxes.empty());

    // The user's own list stays theirs: emptied and saved, it stays empty.
    RadioForm->StationLB->SetItemIndex(0);
    RadioForm->DeleteButton->Click();
    RadioForm->StationLB->SetItemIndex(0);
    RadioForm->DeleteButton->Click();
    ASSERT_TRUE(Exit());
    Restart();
    EXPECT_TRUE(Names().empty());

    // Station files without an order file are no first start either: they are the list.
    platform().DeleteFileA(OrderFile());
    WriteText(plat::JoinPath(SettingsDir(), "Mine"), "http://mine.invalid/\r\n");
    Restart();
    EXPECT_EQ(Names(), std::vector<std::string>{"Mine"});
}

TEST_F(Playlists, AMissingOrDamagedStarterFileLeavesTheFirstListEmpty) {
    const std::string starter = plat::JoinPath(ProgramDir(), kStarterStationsFile);
    WriteText(starter, "#EXTINF:-1,One\nhttp://one.invalid/\n#EXTINF:-1,Two\n");
    Start();
    EXPECT_TRUE(Names().empty());
    EXPECT_TRUE(harness().messageBoxes.empty());
}

}  // namespace
