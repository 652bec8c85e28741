// The tray as a person meets it: the icon present from the start, the menu rebuilt
// from the station list at every right click, a station played from it, and Exit.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/radiotoolbar.h"
#include "app/radiowin.h"
#include "components/PGTray95.h"
#include "gui/application.h"
#include "gui/fileutil.h"
#include "support/app_fixture.h"

namespace {

using Captions = std::vector<std::string>;

class TrayMenu : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        harness().iconResources.insert("ZELVORA");
    }
    void Seed(int count) {
        std::vector<std::pair<std::string, std::string>> stations;
        for (int i = 0; i < count; ++i)
            stations.push_back({"S" + std::to_string(i), "http://s" + std::to_string(i) + "/"});
        SeedStations(stations);
    }
    // A right click on the icon, and the menu it showed.
    Captions RightClick() {
        auto& p = platform();
        const plat::HWND icon = RadioForm->PGTrayIcon951->MsgWindow()->Handle();
        p.SendMessageA(icon, WM_TRAYNOTIFY, 0, plat::WM_RBUTTONDOWN);
        p.SendMessageA(icon, WM_TRAYNOTIFY, 0, plat::WM_RBUTTONUP);
        const auto before = harness().popups.size();
        harness().Advance(harness().doubleClickTime);
        EXPECT_EQ(harness().popups.size(), before + 1);
        Captions captions;
        if (harness().popups.size() == before) return captions;
        for (const auto& item : harness().popups.back().items) captions.push_back(item.caption);
        return captions;
    }
    static Captions Shape(Captions stations, bool more = false) {
        Captions c{"Zelvora...", "-", "Song Notifications", "Copy Song Title", "Sleep", "-"};
        c.insert(c.end(), stations.begin(), stations.end());
        if (more) c.push_back("More Stations!");
        if (!stations.empty()) c.push_back("-");
        c.push_back("Exit");
        return c;
    }
    static Captions Names(int count) {
        Captions names;
        for (int i = 0; i < count; ++i) names.push_back("S" + std::to_string(i));
        return names;
    }
};

TEST_F(TrayMenu, TheIconEntersTheShellOnceAtStartWithTheProgramsIcon) {
    Start();
    ASSERT_EQ(harness().notifications.size(), 1u);
    const auto& add = harness().notifications[0];
    EXPECT_EQ(add.message, plat::NIM_ADD);
    EXPECT_NE(add.data.hIcon, 0u);
    EXPECT_STREQ(add.data.szTip, "");
    EXPECT_EQ(add.data.hWnd, harness().WindowsOfClass("TPGTrayIconMsgWindow").at(0));
    EXPECT_TRUE(RadioForm->PGTrayIcon951->AutoPopup());
    EXPECT_EQ(RadioForm->PGTrayIcon951->PopupMenu(), RadioForm->TrayMenu);
}

TEST_F(TrayMenu, ShapesFollowTheNumberOfStations) {
    for (int count : {0, 3, 20, 21, 25}) {
        SCOPED_TRACE(count);
        Seed(count);
        Restart();
        Captions shown = Names(std::min(count, 20));
        EXPECT_EQ(RightClick(), Shape(shown, count > 20));
    }
}

TEST_F(TrayMenu, ReopeningNeverDuplicatesAndShowsEditsMadeInBetween) {
    Seed(3);
    Start();
    const Captions first = RightClick();
    EXPECT_EQ(RightClick(), first);
    EXPECT_EQ(RightClick(), first);
    EXPECT_EQ(RadioForm->TrayMenu->Items()->Count(), static_cast<int>(first.size()));

    auto* list = RadioForm->StationLB->Items();
    list->Add("Added");
    list->Delete(0);
    list->SetStrings(0, "Renamed");
    EXPECT_EQ(RightClick(), Shape({"Renamed", "S2", "Added"}));
    list->Clear();
    EXPECT_EQ(RightClick(), Shape({}));
}

TEST_F(TrayMenu, ChoosingAStationPlaysItEvenWithAnAmpersandInItsName) {
    SeedStations({{"Jazz", "http://jazz/"}, {"Rock & Roll", "http://rock/"}});
    Start();
    harness().popupChoices = {"Rock & Roll"};
    EXPECT_EQ(RightClick(), Shape({"Jazz", "Rock & Roll"}));
    ASSERT_EQ(harness().winExecs.size(), 1u);
    EXPECT_EQ(harness().winExecs[0].commandLine, "C:\\raplayer\\raplayer.exe http://rock/");
}

TEST_F(TrayMenu, AStationIsFoundByItsCaptionIgnoringCase) {
    SeedStations({{"Jazz", "http://jazz/"}, {"JAZZ2", "http://other/"}});
    Start();
    TMenuItem item(nullptr);
    item.SetCaption("jAZZ");
    RadioForm->DesktopMenuClick(&item);
    ASSERT_EQ(harness().winExecs.size(), 1u);
    EXPECT_EQ(harness().winExecs[0].commandLine, "C:\\raplayer\\raplayer.exe http://jazz/");

    // A station renamed since the menu was built: its old item does nothing.
    RadioForm->StationLB->Items()->SetStrings(0, "Blues");
    RadioForm->DesktopMenuClick(&item);
    EXPECT_EQ(harness().winExecs.size(), 1u);
    EXPECT_TRUE(harness().messageBoxes.empty());
}

TEST_F(TrayMenu, ExitFromTheMenuSavesRemovesTheIconAndEnds) {
    Seed(2);
    Start();
    RadioForm->StationLB->Items()->Add("Late");
    harness().popupChoices = {"Exit"};
    bool ended = false;
    try {
        RightClick();
    } catch (const plat::headless::ProcessEnded&) {
        ended = true;
    }
    ASSERT_TRUE(ended);
    EXPECT_NE(ReadText(OrderFile()).find("Late"), std::string::npos);
    EXPECT_NE(ReadText(SettingsFile()).find("StationLBItemIndex=-1"), std::string::npos);
    ASSERT_FALSE(harness().notifications.empty());
    EXPECT_EQ(harness().notifications.back().message, plat::NIM_DELETE);
    auto& log = harness().log;
    auto exit = std::find(log.begin(), log.end(), "ExitProcess(0)");
    auto removed = std::find_if(log.begin(), log.end(),
                                [](auto& l) { return l.rfind("Shell_NotifyIconA(2,", 0) == 0; });
    EXPECT_LT(removed, exit);
    EXPECT_NE(exit, log.end());
}

TEST_F(TrayMenu, AClickOrDoubleClickBringsTheFloatingWindowForwardARightClickOnlyTheMenu) {
    WriteSettings("[MainForm]\r\nShowWinAtStartCB=0\r\n");
    Start();
    ASSERT_NE(RadioFloatWin, nullptr);
    ASSERT_FALSE(RadioFloatWin->Visible());
    const plat::HWND icon = RadioForm->PGTrayIcon951->MsgWindow()->Handle();
    auto notify = [&](plat::UINT mouse) { platform().SendMessageA(icon, WM_TRAYNOTIFY, 0, mouse); };

    RightClick();
    EXPECT_FALSE(RadioFloatWin->Visible());

    notify(plat::WM_LBUTTONDOWN);
    notify(plat::WM_LBUTTONUP);
    harness().Advance(harness().doubleClickTime);
    EXPECT_TRUE(RadioFloatWin->Visible());
    EXPECT_EQ(harness().foregroundCalls.back(), RadioFloatWin->Handle());

    RadioFloatWin->Hide();
    harness().foregroundCalls.clear();
    notify(plat::WM_LBUTTONDOWN);
    notify(plat::WM_LBUTTONDBLCLK);
    harness().Advance(harness().doubleClickTime);
    EXPECT_TRUE(RadioFloatWin->Visible());
    EXPECT_EQ(harness().foregroundCalls, std::vector<plat::HWND>{RadioFloatWin->Handle()});

    // "Zelvora..." shows it and leaves the foreground where the menu put it.
    RadioFloatWin->Hide();
    harness().popupChoices = {"Zelvora..."};
    RightClick();
    EXPECT_TRUE(RadioFloatWin->Visible());
    EXPECT_EQ(harness().foregroundCalls.back(), icon);
}

TEST_F(TrayMenu, ASecondCopyShowsItsOwnIconToo) {
    harness().AddForeignWindow("TRadioForm", "Configure Zelvora");
    Start();
    ASSERT_EQ(harness().notifications.size(), 1u);
    EXPECT_EQ(harness().notifications[0].message, plat::NIM_ADD);
}

}  // namespace
