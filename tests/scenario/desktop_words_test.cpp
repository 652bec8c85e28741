// The words of the desktop the program runs on: the Windows texts on Windows, which
// the headless platform answers unless told otherwise, and a Linux desktop's words in
// the same places when the platform says it runs on one.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "app/radiotoolbar.h"
#include "app/radiowin.h"
#include "app/words.h"
#include "gui/application.h"
#include "support/app_fixture.h"

namespace {

using Texts = std::vector<std::string>;

class DesktopWordsTest : public AppTest {
  protected:
    void StartOn(plat::DesktopKind desktop) {
        harness().desktop = desktop;
        if (desktop == plat::DesktopKind::Linux) harness().pathListSeparator = ':';
        SeedStations({{"Jazz", "http://jazz.invalid/"}});
        WriteSettings("[MainForm]\r\nShowWinAtStartCB=0\r\nStationLBItemIndex=0\r\n");
        Start();
        RadioForm->AboutShown = true;
    }
    Texts Captions(TMenuItem* menu) {
        Texts captions;
        for (int i = 0; i < menu->Count(); ++i) captions.push_back(menu->Items(i)->Caption());
        return captions;
    }
    // What the user is told and asked when choosing the player, and when it fails.
    Texts ChoosingAndFailing() {
        RadioFloatWin->ConfigureRealAudioLocation1->UserChoose();
        harness().winExecResults = {2};
        RadioForm->LaunchStation("Jazz");
        Texts seen = MessageTexts();
        if (!harness().openDialogs.empty()) seen.push_back(harness().openDialogs[0].title);
        return seen;
    }
};

TEST_F(DesktopWordsTest, WindowsKeepsItsOwnTexts) {
    StartOn(plat::DesktopKind::Windows);
    EXPECT_EQ(RadioFloatWin->OpenRealAudioWindow1->Caption(), "&Open RealAudio Window");
    EXPECT_EQ(RadioFloatWin->ConfigureRealAudioLocation1->Caption(),
              "Configure RealAudio Location");
    EXPECT_EQ(RadioForm->StartMenuCB->Caption(), "Start Menu");
    EXPECT_EQ(RadioForm->DesktopCB->Caption(), "Desktop");
    EXPECT_EQ(RadioForm->LaunchAtStartCB->Caption(), "Startup Items Folder");
    for (auto [box, left, width] : {std::tuple{RadioForm->StartMenuCB, 32, 100},
                                    std::tuple{RadioForm->DesktopCB, 140, 90},
                                    std::tuple{RadioForm->LaunchAtStartCB, 240, 140}}) {
        EXPECT_EQ(box->Left(), left) << box->Caption();
        EXPECT_EQ(box->Width(), width) << box->Caption();
    }
    EXPECT_EQ(ChoosingAndFailing(),
              (Texts{"Click OK to find the RealAudio Player application. It is usually called "
                     "raplayer.exe in the raplayer directory or the windows directory.",
                     "Failed to open RealAudio. Choose Configure RealAudio Location from the "
                     "Configure menu to tell Zelvora where RealAudio is, or if you do not have "
                     "RealAudio, go to https://player.example.org/ to download and install "
                     "RealAudio.",
                     "Choose RealAudio application."}));
}

TEST_F(DesktopWordsTest, ALinuxDesktopHasItsOwnWordsInTheSamePlaces) {
    StartOn(plat::DesktopKind::Linux);
    EXPECT_EQ(Captions(RadioFloatWin->File1)[2], "&Open Player Window");
    EXPECT_EQ(Captions(RadioFloatWin->Configure1)[1], "Choose Player...");
    EXPECT_EQ(RadioForm->StartMenuCB->Caption(), "Applications Menu");
    EXPECT_EQ(RadioForm->DesktopCB->Caption(), "Desktop");
    EXPECT_EQ(RadioForm->LaunchAtStartCB->Caption(), "Start at Login");
    // The longer words have more room, the boxes still in one row before the OK button.
    EXPECT_EQ(RadioForm->StartMenuCB->Width(), 140);
    EXPECT_LE(RadioForm->StartMenuCB->Left() + RadioForm->StartMenuCB->Width(),
              RadioForm->DesktopCB->Left());
    EXPECT_LE(RadioForm->DesktopCB->Left() + RadioForm->DesktopCB->Width(),
              RadioForm->LaunchAtStartCB->Left());
    EXPECT_LE(RadioForm->LaunchAtStartCB->Left() + RadioForm->LaunchAtStartCB->Width(),
              RadioForm->OKButton->Left() + RadioForm->OKButton->Width());
    const Texts seen = ChoosingAndFailing();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_NE(seen[0].find("mpv, VLC or Audacious"), std::string::npos) << seen[0];
    EXPECT_NE(seen[1].find("\"Choose Player...\" from the Configure menu"), std::string::npos)
        << seen[1];
    EXPECT_EQ(seen[2], "Choose Player");
    // The file dialog still offers the programs first.
    EXPECT_EQ(harness().openDialogs[0].filter, "Applications|*.exe|All Files|*.*");

    // Not one of the Windows words is left in any of them.
    Texts all = seen;
    for (TMenuItem* menu : {RadioFloatWin->File1, RadioFloatWin->Configure1})
        for (const std::string& caption : Captions(menu)) all.push_back(caption);
    all.push_back(RadioForm->StartMenuCB->Caption());
    all.push_back(RadioForm->LaunchAtStartCB->Caption());
    for (const std::string& text : all)
        for (const char* windows :
             {"RealAudio", "raplayer", ".exe", "windows directory", "Start Menu", "Startup"})
            EXPECT_EQ(text.find(windows), std::string::npos) << windows << " in: " << text;
}

TEST_F(DesktopWordsTest, TheWordsFollowThePlatformInstalled) {
    EXPECT_EQ(DesktopWords().startMenu, "Start Menu");
    harness().desktop = plat::DesktopKind::Linux;
    EXPECT_EQ(DesktopWords().startMenu, "Applications Menu");
    EXPECT_EQ(DesktopWords().startupItems, "Start at Login");
}

}  // namespace
