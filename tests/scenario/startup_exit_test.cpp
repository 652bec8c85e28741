// The program's start from what is on disk, and its exit, as a person meets them.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/radiotoolbar.h"
#include "app/radiowin.h"
#include "gui/application.h"
#include "gui/fileutil.h"
#include "platform/paths.h"
#include "support/app_fixture.h"

namespace {

using Scenario = AppTest;

TEST_F(Scenario, FirstStartWithNothingOnDiskUsesTheDefaultsAndExitWritesThemAll) {
    Start();
    EXPECT_TRUE(DirectoryExists(SettingsDir()));
    EXPECT_EQ(RadioForm->StationLB->Items()->Count(), 0);
    EXPECT_EQ(RadioForm->StationLB->ItemIndex(), -1);
    EXPECT_TRUE(RadioForm->ShowWinAtStartCB->Checked());
    EXPECT_FALSE(RadioForm->PlayAtStartCB->Checked());
    EXPECT_FALSE(RadioForm->LaunchAtStartCB->Checked());
    EXPECT_EQ(RadioForm->RealAudioLoc, "C:\\raplayer\\raplayer.exe");
    EXPECT_EQ(RadioForm->FloatTop, 0);
    EXPECT_EQ(RadioForm->FloatLeft, 0);
    EXPECT_EQ(Application->Title(), "Zelvora");
    EXPECT_EQ(Application->HelpFile(), plat::JoinPath(ProgramDir(), "zelvora.HLP"));
    EXPECT_TRUE(harness().messageBoxes.empty());

    ASSERT_TRUE(Exit());
    // The outer size of the 497 x 328 client area in the harness's dialog frame,
    // which is 6 pixels across and 25 down.
    EXPECT_EQ(ReadText(SettingsFile()),
              "[MainForm]\r\nStatus=1\r\nTop=15\r\nLeft=15\r\nWidth=503\r\nHeight=353"
              "\r\nLaunchAtStartCB=0\r\nPlayAtStartCB=0\r\nShowWinAtStartCB=1\r\n"
              "StationLBItemIndex=-1\r\nRealAudioLoc=C:\\raplayer\\raplayer.exe\r\n");
    EXPECT_EQ(ReadText(OrderFile()).find("Items.Strings"), std::string::npos);

    Restart();
    EXPECT_EQ(RadioForm->FloatTop, 15);
    EXPECT_EQ(RadioForm->FloatLeft, 15);
    EXPECT_EQ(RadioForm->StationLB->Items()->Count(), 0);
}

// The order file holds the list as the window lays it out, whether the list came
// from no file, from a whole one, or from one that ended before its last record.
TEST_F(Scenario, TheOrderFileIsTheListAsLaidOutAtFirstStartRoundTripAndAfterDamage) {
    auto bytes = [](std::initializer_list<int> b) { return std::string(b.begin(), b.end()); };
    const std::string items = bytes({0x0D}) + "Items.Strings" + bytes({1, 6, 4}) + "Jazz" +
                              bytes({6, 4}) + "News" + bytes({0});
    const std::string expected = "TPF0" + bytes({8}) + "TListBox" + bytes({9}) + "StationLB" +
                                 bytes({4}) + "Left" + bytes({2, 0x10, 3}) + "Top" +
                                 bytes({2, 0x20, 5}) + "Width" + bytes({3, 0xB9, 0, 6}) + "Height" +
                                 bytes({2, 0x79, 8}) + "DragMode" + bytes({7, 0x0B}) +
                                 "dmAutomatic" + bytes({0x0A}) + "ItemHeight" + bytes({2, 0x0D}) +
                                 items + bytes({8}) + "TabOrder" + bytes({2, 0, 0, 0});
    Start();
    for (const char* name : {"Jazz", "News"}) RadioForm->StationLB->Items()->Add(name);
    ASSERT_TRUE(Exit());
    EXPECT_EQ(ReadText(OrderFile()), expected);

    Restart();
    ASSERT_TRUE(Exit());
    EXPECT_EQ(ReadText(OrderFile()), expected);

    WriteText(OrderFile(), expected.substr(0, expected.find(items) + items.size()));
    Restart();
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Stream read error."});
    ASSERT_TRUE(Exit());
    EXPECT_EQ(ReadText(OrderFile()), expected);
}

TEST_F(Scenario, ARunEndedByExitIsRestoredAtTheNextStart) {
    Start();
    auto* list = RadioForm->StationLB->Items();
    for (const char* name : {"Jazz", "News", "Rock FM"}) list->Add(name);
    RadioForm->StationLB->SetItemIndex(2);
    RadioForm->PlayAtStartCB->SetChecked(true);
    RadioForm->ShowWinAtStartCB->SetChecked(false);
    RadioForm->RealAudioLoc = "D:\\players\\player.exe";
    ASSERT_TRUE(Exit());

    Restart();
    EXPECT_EQ(RadioForm->StationLB->Items()->Items(),
              (std::vector<std::string>{"Jazz", "News", "Rock FM"}));
    EXPECT_EQ(RadioForm->StationLB->ItemIndex(), 2);
    EXPECT_TRUE(RadioForm->PlayAtStartCB->Checked());
    EXPECT_FALSE(RadioForm->ShowWinAtStartCB->Checked());
    EXPECT_EQ(RadioForm->RealAudioLoc, "D:\\players\\player.exe");
}

// Each handler's changes reach the order file once, when it has returned; a run that
// then ends without a word (a crash, kill -9) loses only what Exit alone writes.
TEST_F(Scenario, TheListIsSavedOnceAfterEachChangeSoAKillLosesOnlyTheWindowPlaces) {
    SeedStations({{"Jazz", "http://jazz.invalid/"}});
    const auto saves = [this, seeded = harness().log.size()] {
        return std::count_if(harness().log.begin() + seeded, harness().log.end(), [this](auto& c) {
            return c.starts_with("MoveFileExA(") && c.find(OrderFile() + "\",") != c.npos;
        });
    };
    Start();
    harness().DispatchPosted();
    EXPECT_EQ(saves(), 0);  // the start wrote nothing
    RadioForm->NameEdit->SetText("News");
    RadioForm->URLEdit->SetText("http://news.invalid/");
    RadioForm->AddButton->Click();
    harness().DispatchPosted();
    RadioForm->StationLB->SetItemIndex(1);
    RadioForm->SpeedButton1->Click();  // News up: a delete and an insert
    harness().DispatchPosted();
    EXPECT_EQ(saves(), 2);
    RadioForm->RealAudioLoc = "D:\\p.exe";
    Restart();
    EXPECT_EQ(RadioForm->StationLB->Items()->Items(), (std::vector<std::string>{"News", "Jazz"}));
    EXPECT_NE(RadioForm->RealAudioLoc, "D:\\p.exe");
}

// At the end of the session, or told to end (SIGTERM), the program saves what Exit
// saves; only when told does it end itself. No box waits for a person who has left.
TEST_F(Scenario, TheEndOfTheSessionSavesWhatExitSavesAndEndsOnlyWhenTold) {
    SeedStations({{"Jazz", "http://jazz.invalid/"}});
    Start();
    RadioForm->StationLB->Items()->Add("News");
    RadioForm->StationLB->SetItemIndex(1);
    RadioForm->RealAudioLoc = "D:\\p.exe";
    harness().EndSession(false);
    EXPECT_NE(ReadText(OrderFile()).find("News"), std::string::npos);
    EXPECT_NE(ReadText(SettingsFile()).find("RealAudioLoc=D:\\p.exe"), std::string::npos);
    EXPECT_NE(harness().notifications.back().message, plat::NIM_DELETE);

    // A list that cannot be written leaves the settings to be written all the same.
    platform().SetFileAttributesA(OrderFile(), plat::FILE_ATTRIBUTE_READONLY);
    RadioForm->PlayAtStartCB->SetChecked(true);
    EXPECT_THROW(harness().EndSession(true), plat::headless::ProcessEnded);
    EXPECT_EQ(harness().notifications.back().message, plat::NIM_DELETE);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{});
    platform().SetFileAttributesA(OrderFile(), plat::FILE_ATTRIBUTE_NORMAL);
    Restart();
    EXPECT_EQ(RadioForm->StationLB->Items()->Items(), (std::vector<std::string>{"Jazz", "News"}));
    EXPECT_EQ(RadioForm->StationLB->ItemIndex(), 1);
    EXPECT_TRUE(RadioForm->PlayAtStartCB->Checked());
}

// A second start while a copy runs ends before it makes a window or touches a file;
// the copy that runs is told, and brings its floating window forward.
TEST_F(Scenario, ASecondStartEndsAtOnceAndTheRunningCopyComesForward) {
    SeedStations({{"Jazz", "http://jazz.invalid/"}});
    WriteSettings(
        "[MainForm]\r\nShowWinAtStartCB=0\r\nPlayAtStartCB=1\r\n"
        "[Mainform]\r\nStationLBItemIndex=0\r\n");
    const std::string list = ReadText(OrderFile()), settings = ReadText(SettingsFile());
    harness().anotherCopyRuns = true;
    EXPECT_THROW(Start(), plat::headless::ProcessEnded);
    EXPECT_EQ(harness().laterStartsTold, 1);
    EXPECT_TRUE(harness().WindowsOfClass("TRadioForm").empty());
    EXPECT_TRUE(harness().notifications.empty());
    EXPECT_TRUE(harness().winExecs.empty());
    EXPECT_EQ(ReadText(OrderFile()), list);
    EXPECT_EQ(ReadText(SettingsFile()), settings);

    harness().anotherCopyRuns = false;
    Restart();
    ASSERT_FALSE(RadioFloatWin->Visible());
    harness().StartLaterCopy();
    harness().DispatchPosted();
    EXPECT_TRUE(RadioFloatWin->Visible());
    EXPECT_EQ(harness().foregroundCalls.back(), RadioFloatWin->Handle());
}

// An order file that is there but cannot be read now (a backup program holds it) is
// never written over, nor is the selection made in the empty list; the next start
// reads it again.
TEST_F(Scenario, AnOrderFileThatCannotBeReadIsKeptAndReadAgainAtTheNextStart) {
    SeedStations({{"Jazz", "j"}, {"News", "n"}});
    WriteSettings("[Mainform]\r\nStationLBItemIndex=1\r\n");
    const std::string list = ReadText(OrderFile());
    harness().FailNext("CreateFileA", 32);  // held by another program
    Start();
    ASSERT_EQ(MessageTexts().size(), 1u);
    EXPECT_EQ(MessageTexts()[0].find("Cannot open file " + OrderFile() + ".\n\n"), 0u);
    EXPECT_NE(MessageTexts()[0].find("the next start reads the file again."), std::string::npos);
    EXPECT_EQ(RadioForm->StationLB->Items()->Count(), 0);
    RadioForm->NameEdit->SetText("Rock");
    RadioForm->URLEdit->SetText("r");
    RadioForm->AddButton->Click();
    harness().DispatchPosted();
    harness().EndSession(false);
    ASSERT_TRUE(Exit());
    EXPECT_EQ(ReadText(OrderFile()), list);
    EXPECT_NE(ReadText(SettingsFile()).find("StationLBItemIndex=1"), std::string::npos);
    Restart();
    EXPECT_EQ(RadioForm->StationLB->Items()->Items(), (std::vector<std::string>{"Jazz", "News"}));
}

// Station files without an order file (what a kill left before the list was saved on
// each change) make the list, by name, and are saved as one; other files stay out.
TEST_F(Scenario, StationFilesWithoutAnOrderFileAreListedInNameOrder) {
    platform().CreateDirectoryA(SettingsDir());
    for (const char* file : {"Rock_FM", "jazz", "Blues", "News.tmp", "zelvora.set.bak"})
        WriteText(plat::JoinPath(SettingsDir(), file), "http://x.invalid/\r\n");
    WriteText(plat::JoinPath(ProgramDir(), kStarterStationsFile),
              "#EXTINF:-1,Starter\nhttp://starter.invalid/\n");
    Start();
    const std::vector<std::string> listed{"Blues", "jazz", "Rock_FM"};
    EXPECT_EQ(RadioForm->StationLB->Items()->Items(), listed);
    EXPECT_EQ(RadioForm->Stations().ReadURL("Rock_FM"), "http://x.invalid/");
    harness().DispatchPosted();
    Restart();
    EXPECT_EQ(RadioForm->StationLB->Items()->Items(), listed);
}

TEST_F(Scenario, SelectedIndexIsReadAsAnIntegerAndOutOfRangeSelectsNothing) {
    SeedStations({{"A", "a"}, {"B", "b"}, {"C", "c"}});
    struct Case {
        const char* value;
        int selected;
    };
    for (Case c : {Case{"0x2", 2}, Case{"two", -1}, Case{"7", -1}, Case{"$1", 1}, Case{"-1", -1},
                   Case{"\"1\"", 1}}) {
        WriteSettings(std::string("[Mainform]\r\nStationLBItemIndex=") + c.value +
                      "\r\nPlayAtStartCB=1\r\n");
        Restart();
        EXPECT_EQ(RadioForm->StationLB->ItemIndex(), c.selected) << c.value;
    }
    // Only the selected ones were played at start: "0x2", "$1" and the quoted 1.
    EXPECT_EQ(harness().winExecs.size(), 3u);
}

TEST_F(Scenario, BooleansAreIntegersWhoseDefaultDecidesWhatTextMeans) {
    WriteSettings("[MainForm]\r\nPlayAtStartCB=5\r\nShowWinAtStartCB=yes\r\n");
    Start();
    EXPECT_TRUE(RadioForm->PlayAtStartCB->Checked());
    EXPECT_TRUE(RadioForm->ShowWinAtStartCB->Checked());
    WriteSettings("[MainForm]\r\nPlayAtStartCB=yes\r\nShowWinAtStartCB=0\r\n");
    Restart();
    EXPECT_FALSE(RadioForm->PlayAtStartCB->Checked());
    EXPECT_FALSE(RadioForm->ShowWinAtStartCB->Checked());
}

TEST_F(Scenario, StatusDecidesWhetherTheWindowPositionIsRead) {
    WriteSettings("[MainForm]\r\nStatus=1\r\nLeft=200\r\n");
    Start();
    EXPECT_EQ(RadioForm->FloatTop, 50);
    EXPECT_EQ(RadioForm->FloatLeft, 200);
    WriteSettings("[MainForm]\r\nStatus=0\r\nTop=10\r\nLeft=200\r\n");
    Restart();
    EXPECT_EQ(RadioForm->FloatTop, 0);
    EXPECT_EQ(RadioForm->FloatLeft, 0);
}

// Edits meet it first: one report, however many edits, until a save works again.
TEST_F(Scenario, AWriteProtectedOrderFileIsReportedAndTheProgramRunsOn) {
    SeedStations({{"Jazz", "http://jazz.invalid/"}});
    Start();
    const std::string before = ReadText(OrderFile());
    platform().SetFileAttributesA(OrderFile(), plat::FILE_ATTRIBUTE_READONLY);
    for (const char* name : {"News", "Rock"}) {
        RadioForm->StationLB->Items()->Add(name);
        harness().DispatchPosted();
    }
    const std::string report = "Cannot create file " + OrderFile() + ".";
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{report});
    EXPECT_FALSE(Exit());
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{report, report}));
    EXPECT_EQ(harness().messageBoxes[0].caption, "Zelvora");
    EXPECT_EQ(harness().messageBoxes[0].type, plat::MB_OK | plat::MB_ICONSTOP);
    EXPECT_EQ(ReadText(OrderFile()), before);
    EXPECT_FALSE(FileExists(OrderFile() + ".tmp"));

    platform().SetFileAttributesA(OrderFile(), plat::FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(Exit());
    Restart();
    EXPECT_EQ(RadioForm->StationLB->Items()->Count(), 3);
}

TEST_F(Scenario, ADamagedOrderFileIsReportedKeptAsBackupAndStartUpGoesOn) {
    SeedStations({{"Jazz", "j"}, {"News", "n"}, {"Rock", "r"}});
    std::string bytes = ReadText(OrderFile());
    WriteText(OrderFile(), bytes.substr(0, bytes.find("Rock") + 2));
    WriteSettings("[Mainform]\r\nStationLBItemIndex=1\r\nRealAudioLoc=D:\\p.exe\r\n");
    Start();
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Stream read error."});
    EXPECT_EQ(RadioForm->StationLB->Items()->Items(), (std::vector<std::string>{"Jazz", "News"}));
    EXPECT_EQ(RadioForm->StationLB->ItemIndex(), 1);
    EXPECT_EQ(RadioForm->RealAudioLoc, "D:\\p.exe");
    EXPECT_EQ(ReadText(OrderFile() + ".bak"), bytes.substr(0, bytes.find("Rock") + 2));

    WriteText(OrderFile(), "PK\x03\x04 not an order file");
    Restart();
    EXPECT_EQ(MessageTexts().back(), "Invalid stream format.");
    EXPECT_EQ(RadioForm->StationLB->Items()->Count(), 0);
}

}  // namespace
