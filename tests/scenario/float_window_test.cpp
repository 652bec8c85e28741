// The floating window as a person meets it: its first showing after the about box,
// stations, play and stop, the player's own window and the menu entries.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/AboutUNIT.h"
#include "app/radiotoolbar.h"
#include "app/radiowin.h"
#include "gui/application.h"
#include "platform/paths.h"
#include "support/app_fixture.h"

namespace {

using plat::headless::ProcessEnded;

class FloatWindow : public AppTest {
  protected:
    void SeedThree() {
        SeedStations({{"Jazz", "http://jazz.invalid/"},
                      {"News", "http://news.invalid/"},
                      {"Rock FM", "http://rock.invalid/"}});
    }
    // Starts with the floating window hidden and the about box already seen.
    void StartQuietly() {
        WriteSettings("[MainForm]\r\nShowWinAtStartCB=0\r\n");
        Start();
        RadioForm->AboutShown = true;
    }
    // The scripted user closes the about box with its button whenever it comes up
    // modally, and hands any other modal window to then.
    void CloseAboutBoxes(std::function<void(plat::HWND)> then = nullptr) {
        harness().onModal = [this, then](plat::HWND modal) {
            if (modal == AboutBox->Handle()) {
                ++aboutModals;
                floatVisibleDuringAbout = RadioFloatWin->Visible();
                AboutBox->Button1->UserClick();
            } else if (then) {
                then(modal);
            }
        };
    }
    int LogIndex(const std::string& prefix) {
        auto& log = harness().log;
        auto it = std::find_if(log.begin(), log.end(),
                               [&](const std::string& s) { return s.starts_with(prefix); });
        return it == log.end() ? -1 : static_cast<int>(it - log.begin());
    }

    int aboutModals = 0;
    bool floatVisibleDuringAbout = false;
};

TEST_F(FloatWindow, FreshStartShowsTheAboutBoxFirstThenTheWindowWhereItWasWithTheSavedStation) {
    SeedThree();
    WriteSettings("[MainForm]\r\nStatus=1\r\nTop=120\r\nLeft=240\r\nStationLBItemIndex=1\r\n");
    CloseAboutBoxes();
    Start();
    EXPECT_EQ(aboutModals, 1);
    EXPECT_FALSE(floatVisibleDuringAbout);
    EXPECT_EQ(harness().modalsClosedByHarness, 0);
    EXPECT_TRUE(RadioForm->AboutShown);
    EXPECT_FALSE(AboutBox->Visible());
    ASSERT_TRUE(RadioFloatWin->Visible());
    EXPECT_TRUE(RadioFloatWin->Enabled());
    EXPECT_EQ(RadioFloatWin->Left(), 240);
    EXPECT_EQ(RadioFloatWin->Top(), 120);
    EXPECT_EQ(RadioFloatWin->StationCB->Items()->Items(),
              (std::vector<std::string>{"Jazz", "News", "Rock FM"}));
    EXPECT_EQ(RadioFloatWin->StationCB->ItemIndex(), 1);
    EXPECT_EQ(RadioFloatWin->ClientWidth(), 340);
    EXPECT_EQ(RadioFloatWin->ClientHeight(), 84);

    // Later showings, from the tray or the configuration entry, bring no about box.
    RadioFloatWin->HideItem->UserChoose();
    EXPECT_FALSE(RadioFloatWin->Visible());
    RadioForm->ShowFloatingWindow(true);
    EXPECT_TRUE(RadioFloatWin->Visible());
    EXPECT_EQ(harness().foregroundCalls.back(), RadioFloatWin->Handle());
    RadioFloatWin->N1->UserChoose();
    EXPECT_EQ(aboutModals, 1);
}

TEST_F(FloatWindow, WithoutTheStartOptionNothingShowsUntilTheTrayAsksOnceForTheAboutBox) {
    WriteSettings("[MainForm]\r\nShowWinAtStartCB=0\r\n");
    CloseAboutBoxes();
    Start();
    EXPECT_FALSE(RadioFloatWin->Visible());
    EXPECT_EQ(aboutModals, 0);
    EXPECT_FALSE(RadioForm->AboutShown);

    RadioForm->ShowFloatingWindow(false);
    EXPECT_EQ(aboutModals, 1);
    EXPECT_TRUE(RadioFloatWin->Visible());
    EXPECT_TRUE(harness().foregroundCalls.empty());
    RadioFloatWin->UserClose();  // the close box only hides it
    EXPECT_FALSE(RadioFloatWin->Visible());
    RadioForm->ShowFloatingWindow(true);
    EXPECT_EQ(aboutModals, 1);
}

// A desktop without a notification area would leave the program out of reach.
TEST_F(FloatWindow, WithoutANotificationAreaTheWindowShowsAtStartWhateverTheOption) {
    WriteSettings("[MainForm]\r\nShowWinAtStartCB=0\r\n");
    harness().notificationArea = false;
    CloseAboutBoxes();
    Start();
    EXPECT_TRUE(RadioFloatWin->Visible());
    EXPECT_EQ(aboutModals, 1);
    EXPECT_FALSE(RadioForm->ShowWinAtStartCB->Checked());

    // Closed, it would leave nothing to reach the program by: the close asks first.
    harness().messageBoxAnswers = {plat::IDNO};
    RadioFloatWin->UserClose();
    EXPECT_TRUE(RadioFloatWin->Visible());
    ASSERT_EQ(harness().messageBoxes.size(), 1u);
    EXPECT_EQ(harness().messageBoxes[0].type, plat::MB_YESNO | plat::MB_ICONQUESTION);
    harness().messageBoxAnswers = {plat::IDYES};
    EXPECT_THROW(RadioFloatWin->UserClose(), ProcessEnded);
}

TEST_F(FloatWindow, ATrayShowingDuringTheFirstAboutBoxShowsTheWindowWithoutASecondModal) {
    WriteSettings("[MainForm]\r\nShowWinAtStartCB=0\r\n");
    Start();
    harness().onModal = [](plat::HWND) { RadioForm->ShowFloatingWindow(true); };
    RadioForm->ShowFloatingWindow(true);
    EXPECT_TRUE(harness().messageBoxes.empty());
    EXPECT_TRUE(RadioFloatWin->Visible());
    EXPECT_EQ(harness().modalsClosedByHarness, 1);
}

TEST_F(FloatWindow, ChoosingAStationSelectsItWithoutPlayingAndPlayStartsIt) {
    SeedThree();
    StartQuietly();
    RadioFloatWin->SpeedButton3->UserClick();  // nothing chosen yet
    RadioFloatWin->StationCB->UserSelect(2);
    EXPECT_EQ(RadioForm->StationLB->ItemIndex(), 2);
    EXPECT_TRUE(harness().winExecs.empty());

    RadioFloatWin->SpeedButton3->UserClick();
    ASSERT_EQ(harness().winExecs.size(), 1u);
    EXPECT_EQ(harness().winExecs[0].commandLine, "C:\\raplayer\\raplayer.exe http://rock.invalid/");
    EXPECT_TRUE(harness().messageBoxes.empty());
}

TEST_F(FloatWindow, StopClosesTheRunningPlayerAndOtherwiseDoesNothing) {
    StartQuietly();
    const size_t logBefore = harness().log.size();
    RadioFloatWin->SpeedButton1->UserClick();
    EXPECT_EQ(LogIndex("SendMessageA"), -1);
    EXPECT_TRUE(harness().messageBoxes.empty());
    EXPECT_EQ(harness().log.size(), logBefore + 1);  // only the search for the player

    plat::HWND player = harness().AddForeignWindow(kPlayerWindowClass, "RealPlayer: jazz");
    RadioFloatWin->SpeedButton1->UserClick();
    // Posted, not sent: a player that hangs cannot hang the tray.
    EXPECT_EQ(LogIndex("SendMessageA"), -1);
    harness().DispatchPosted();
    const auto& got = harness().Window(player)->received;
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].msg, plat::WM_CLOSE);
    EXPECT_EQ(got[0].wParam, 0u);
    EXPECT_EQ(got[0].lParam, 0);
    EXPECT_EQ(platform().FindWindowA(kPlayerWindowClass, nullptr), 0u);
}

TEST_F(FloatWindow, OpenRealAudioWindowRaisesARunningPlayerOrStartsOne) {
    StartQuietly();
    plat::HWND player = harness().AddForeignWindow(kPlayerWindowClass, "");
    RadioFloatWin->OpenRealAudioWindow1->UserChoose();
    EXPECT_EQ(harness().foregroundCalls, std::vector<plat::HWND>{player});
    EXPECT_TRUE(harness().winExecs.empty());

    platform().SendMessageA(player, plat::WM_CLOSE, 0, 0);
    RadioForm->RealAudioLoc = "D:\\ra\\raplayer.exe";
    RadioFloatWin->OpenRealAudioWindow1->UserChoose();
    ASSERT_EQ(harness().winExecs.size(), 1u);
    EXPECT_EQ(harness().winExecs[0].commandLine, "D:\\ra\\raplayer.exe");
    EXPECT_EQ(harness().winExecs[0].showCmd, plat::SW_SHOWNORMAL);
    EXPECT_TRUE(harness().messageBoxes.empty());

    harness().processes.back().running = false;  // the player started above has ended
    harness().winExecResults.push_back(2);
    RadioFloatWin->OpenRealAudioWindow1->UserChoose();
    ASSERT_EQ(harness().messageBoxes.size(), 1u);
    EXPECT_EQ(harness().messageBoxes[0].caption, "Error");
    EXPECT_EQ(harness().messageBoxes[0].type, plat::MB_OK | plat::MB_ICONSTOP);
    EXPECT_TRUE(harness().messageBoxes[0].text.starts_with("Failed to open RealAudio. Choose"));
}

TEST_F(FloatWindow, APlayerPathWithABlankIsQuotedWhenItNamesAProgram) {
    StartQuietly();
    const std::string program = plat::JoinPath(ProgramDir(), "Real Player.exe");
    WriteText(program, "MZ");
    RadioForm->RealAudioLoc = program;
    RadioFloatWin->OpenRealAudioWindow1->UserChoose();
    ASSERT_EQ(harness().winExecs.size(), 1u);
    EXPECT_EQ(harness().winExecs[0].commandLine, "\"" + program + "\"");
}

TEST_F(FloatWindow, PlayerLocationAsksEachTimeAfterItsMessageAndCancellingKeepsIt) {
    StartQuietly();
    RadioFloatWin->ConfigureRealAudioLocation1->UserChoose();
    EXPECT_LT(LogIndex("MessageBoxA"), LogIndex("GetOpenFileNameA"));
    ASSERT_EQ(harness().openDialogs.size(), 1u);
    const auto& dialog = harness().openDialogs[0];
    EXPECT_EQ(dialog.initialDir, "C:\\raplayer");
    EXPECT_EQ(dialog.title, "Choose RealAudio application.");
    EXPECT_EQ(dialog.filter, "Applications|*.exe|All Files|*.*");
    EXPECT_EQ(RadioForm->RealAudioLoc, "C:\\raplayer\\raplayer.exe");

    harness().openDialogAnswers.push_back("E:\\Media\\ra.exe");
    RadioFloatWin->ConfigureRealAudioLocation1->UserChoose();
    EXPECT_EQ(RadioForm->RealAudioLoc, "E:\\Media\\ra.exe");
    harness().openDialogAnswers.push_back(std::nullopt);
    RadioFloatWin->ConfigureRealAudioLocation1->UserChoose();
    EXPECT_EQ(harness().openDialogs[2].initialDir, "E:\\Media");
    EXPECT_EQ(RadioForm->RealAudioLoc, "E:\\Media\\ra.exe");
    EXPECT_EQ(MessageTexts(), std::vector<std::string>(3, MessageTexts()[0]));
    EXPECT_TRUE(MessageTexts()[0].starts_with("Click OK to find the RealAudio Player"));
}

TEST_F(FloatWindow, ConfigurationEditsReachTheListAtOnceAndTheSelectionWhenItCloses) {
    SeedThree();
    WriteSettings("[MainForm]\r\nShowWinAtStartCB=0\r\n");
    Start();
    std::vector<std::string> duringEdit;
    int indexDuringEdit = 99;
    CloseAboutBoxes([&](plat::HWND) {
        RadioForm->NameEdit->UserType("Blues");
        RadioForm->URLEdit->UserType("http://blues.invalid/");
        RadioForm->AddButton->UserClick();
        duringEdit = RadioFloatWin->StationCB->Items()->Items();
        indexDuringEdit = RadioFloatWin->StationCB->ItemIndex();
        RadioForm->StationLB->UserSelect(3);
        RadioForm->OKButton->UserClick();
    });
    RadioForm->ShowFloatingWindow(false);
    RadioFloatWin->StationCB->UserSelect(0);
    RadioFloatWin->N1->UserChoose();

    EXPECT_EQ(duringEdit, (std::vector<std::string>{"Jazz", "News", "Rock FM", "Blues"}));
    EXPECT_EQ(indexDuringEdit, -1);
    EXPECT_EQ(RadioFloatWin->StationCB->Items()->Items(), duringEdit);
    EXPECT_EQ(RadioFloatWin->StationCB->ItemIndex(), 3);
    EXPECT_EQ(harness().modalsClosedByHarness, 0);
}

// Change and Delete leave the configuration window's list without a selection; the
// station the box showed stays shown, and played, while it is listed.
TEST_F(FloatWindow, TheStationBoxKeepsItsStationThroughTheConfigurationAndAnImport) {
    SeedThree();
    StartQuietly();
    std::function<void()> edit;
    CloseAboutBoxes([&](plat::HWND) {
        edit();
        RadioForm->OKButton->UserClick();
    });
    RadioForm->ShowFloatingWindow(false);
    RadioFloatWin->StationCB->UserSelect(1);
    edit = [] {
        RadioForm->StationLB->UserSelect(0);
        RadioForm->NameEdit->UserType("Blues");
        RadioForm->ChangeSubject->UserClick();
    };
    RadioFloatWin->N1->UserChoose();
    EXPECT_EQ(RadioFloatWin->StationCB->ItemIndex(), 1);
    EXPECT_EQ(RadioForm->StationLB->ItemIndex(), 1) << "the station saved as selected";
    RadioFloatWin->SpeedButton3->UserClick();
    ASSERT_EQ(harness().winExecs.size(), 1u);
    EXPECT_NE(harness().winExecs[0].commandLine.find("news.invalid"), std::string::npos);

    const std::string list = plat::JoinPath(dir(), "more.m3u");
    WriteText(list, "#EXTINF:-1,Pop\nhttp://pop.invalid/\n");
    harness().openDialogAnswers.push_back(list);
    RadioFloatWin->ImportStations1->UserChoose();
    EXPECT_EQ(RadioFloatWin->StationCB->ItemIndex(), 1);

    edit = [] {
        RadioForm->StationLB->UserSelect(1);
        RadioForm->DeleteButton->UserClick();
    };
    RadioFloatWin->N1->UserChoose();
    EXPECT_EQ(RadioFloatWin->StationCB->ItemIndex(), -1) << "News is gone";
}

TEST_F(FloatWindow, ExitFromTheWindowSavesAndEnds) {
    SeedThree();
    StartQuietly();
    RadioFloatWin->StationCB->UserSelect(1);
    EXPECT_THROW(RadioFloatWin->Exit2->UserChoose(), ProcessEnded);
    EXPECT_NE(ReadText(SettingsFile()).find("StationLBItemIndex=1"), std::string::npos);
}

TEST_F(FloatWindow, PublisherHomePageOpensInTheBrowserOrSaysWhereToGo) {
    StartQuietly();
    RadioFloatWin->PublisherHomePage1->UserChoose();
    ASSERT_EQ(harness().shellExecutes.size(), 1u);
    EXPECT_EQ(harness().shellExecutes[0].operation, "open");
    EXPECT_EQ(harness().shellExecutes[0].file, kPublisherAddress);
    EXPECT_TRUE(harness().messageBoxes.empty());

    harness().shellExecuteResult = 2;
    RadioFloatWin->PublisherHomePage1->UserChoose();
    EXPECT_EQ(MessageTexts(),
              (std::vector<std::string>{"Could not open web browser.",
                                        std::string("Go to ") + kPublisherAddress +
                                            " to view the Zelvora Project Home Page."}));
    EXPECT_EQ(harness().messageBoxes[1].caption, "Zelvora");
}

}  // namespace
