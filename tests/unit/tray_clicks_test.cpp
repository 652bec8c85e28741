// How the shell's mouse reports become events: a click one double-click time after
// its button went down, a double click of either button as one event, the menu for
// a right click, and mouse moves only while no click is being timed.
#include <string>
#include <tuple>

#include "unit/tray_fixture.h"

namespace {

class TrayClicks : public TrayTest {
  protected:
    void SetUp() override {
        TrayTest::SetUp();
        tray->OnClick = [this](TObject* s) { events += s == tray ? "click;" : "click(?);"; };
        tray->OnDblClick = [this](TObject* s) { events += s == tray ? "dbl;" : "dbl(?);"; };
        menu = new TPopupMenu(form);
        menu->OnPopup = [this](TObject*) { events += "menu;"; };
        tray->Activate();
    }
    void Click(plat::UINT down, plat::UINT up) {
        Mouse(down);
        Mouse(up);
    }
    std::string events;
    TPopupMenu* menu = nullptr;
};

TEST_F(TrayClicks, AClickIsReportedOneDoubleClickTimeAfterItsButtonWentDown) {
    harness().doubleClickTime = 300;
    Click(plat::WM_LBUTTONDOWN, plat::WM_LBUTTONUP);
    Advance(299);
    EXPECT_EQ(events, "");
    EXPECT_TRUE(tray->MsgWindow()->Timing());
    Advance(1);
    EXPECT_EQ(events, "click;");
    EXPECT_FALSE(tray->MsgWindow()->Timing());

    // Two clicks further apart than that are two clicks.
    Advance(50);
    Click(plat::WM_LBUTTONDOWN, plat::WM_LBUTTONUP);
    Advance(1000);
    EXPECT_EQ(events, "click;click;");
}

TEST_F(TrayClicks, ADoubleClickOfEitherButtonIsOneDoubleClickAndNeverAMenu) {
    tray->SetAutoPopup(true);
    tray->SetPopupMenu(menu);
    for (auto [down, up, dbl] :
         {std::tuple{plat::WM_LBUTTONDOWN, plat::WM_LBUTTONUP, plat::WM_LBUTTONDBLCLK},
          std::tuple{plat::WM_RBUTTONDOWN, plat::WM_RBUTTONUP, plat::WM_RBUTTONDBLCLK}}) {
        events.clear();
        Click(down, up);
        Advance(200);
        Click(dbl, up);
        Advance(299);
        EXPECT_EQ(events, "");
        Advance(1);  // one double-click time after the first button-down
        EXPECT_EQ(events, "dbl;");
    }
    EXPECT_TRUE(harness().popups.empty());
}

TEST_F(TrayClicks, AButtonDownWhileTimingStartsOverAndForgetsTheDoubleClick) {
    Mouse(plat::WM_LBUTTONDOWN);
    Mouse(plat::WM_LBUTTONDBLCLK);
    Advance(400);
    Mouse(plat::WM_LBUTTONDOWN);
    Advance(499);
    EXPECT_EQ(events, "");
    Advance(1);
    EXPECT_EQ(events, "click;");
}

TEST_F(TrayClicks, ARightClickOpensTheMenuOnlyWithAutoPopupAndAMenu) {
    Click(plat::WM_RBUTTONDOWN, plat::WM_RBUTTONUP);
    Advance(500);
    tray->SetAutoPopup(true);
    Click(plat::WM_RBUTTONDOWN, plat::WM_RBUTTONUP);
    Advance(500);
    tray->SetAutoPopup(false);
    tray->SetPopupMenu(menu);
    Click(plat::WM_RBUTTONDOWN, plat::WM_RBUTTONUP);
    Advance(500);
    EXPECT_EQ(events, "click;click;click;");
    EXPECT_TRUE(harness().popups.empty());
}

TEST_F(TrayClicks, TheMenuOpensWhereTheCursorIsAtExpiryWithTheWindowInFront) {
    tray->SetAutoPopup(true);
    tray->SetPopupMenu(menu);
    harness().cursor = {10, 20};
    Click(plat::WM_RBUTTONDOWN, plat::WM_RBUTTONUP);
    harness().cursor = {900, 700};
    Advance(500);
    EXPECT_EQ(events, "menu;");
    ASSERT_EQ(harness().popups.size(), 1u);
    EXPECT_EQ(harness().popups[0].at.x, 900);
    EXPECT_EQ(harness().popups[0].at.y, 700);
    EXPECT_EQ(harness().popups[0].owner, Window());
    EXPECT_EQ(harness().foregroundCalls, std::vector<plat::HWND>{Window()});

    // In front before the menu, and a WM_USER to the window after it has closed.
    auto& log = harness().log;
    const std::string w = std::to_string(Window());
    auto front = std::find(log.begin(), log.end(), "SetForegroundWindow(" + w + ")");
    auto shown = std::find_if(log.begin(), log.end(),
                              [](auto& l) { return l.rfind("TrackPopupMenu(", 0) == 0; });
    auto posted = std::find(log.begin(), log.end(), "PostMessageA(" + w + ", 1024, 0, 0)");
    EXPECT_LT(front, shown);
    EXPECT_LT(shown, posted);
    EXPECT_NE(posted, log.end());
}

TEST_F(TrayClicks, MouseMovesAreReportedOnlyWhileNoClickIsTimed) {
    std::vector<std::string> moves;
    tray->OnMouseMove = [&](TObject* sender, TShiftState shift, int x, int y) {
        EXPECT_EQ(sender, tray->MsgWindow());
        moves.push_back(std::to_string(x) + "," + std::to_string(y) +
                        (shift == TShiftState{ssShift, ssRight} ? " shift+right" : ""));
    };
    harness().cursor = {5, 6};
    Mouse(plat::WM_MOUSEMOVE);
    Mouse(plat::WM_LBUTTONDOWN);
    Mouse(plat::WM_MOUSEMOVE);
    Advance(499);
    Mouse(plat::WM_MOUSEMOVE);
    Advance(1);
    harness().keyStates = {{plat::VK_SHIFT, static_cast<std::int16_t>(0x8000)},
                           {plat::VK_RBUTTON, -127},
                           {plat::VK_CONTROL, 1}};  // toggled, not down
    harness().cursor = {7, 8};
    Mouse(plat::WM_MOUSEMOVE);
    EXPECT_EQ(moves, (std::vector<std::string>{"5,6", "7,8 shift+right"}));
    EXPECT_EQ(events, "click;");
}

// A click timer the system refuses is reported; the icon does not wait for it, so
// mouse moves go on and the next click, with a timer, is a click.
TEST_F(TrayClicks, ARefusedClickTimerIsReportedAndTheNextClickWorks) {
    int moves = 0;
    tray->OnMouseMove = [&](TObject*, TShiftState, int, int) { ++moves; };
    harness().refuseTimers = true;
    Click(plat::WM_LBUTTONDOWN, plat::WM_LBUTTONUP);
    ASSERT_EQ(harness().messageBoxes.size(), 1u);
    EXPECT_EQ(harness().messageBoxes[0].text, "Not enough timers available.");
    EXPECT_FALSE(tray->MsgWindow()->Timing());
    Mouse(plat::WM_MOUSEMOVE);
    EXPECT_EQ(moves, 1);

    harness().refuseTimers = false;
    Click(plat::WM_LBUTTONDOWN, plat::WM_LBUTTONUP);
    Advance(500);
    EXPECT_EQ(events, "click;");
}

TEST_F(TrayClicks, ButtonUpsAndTheMiddleButtonAreIgnored) {
    for (plat::UINT m :
         {plat::WM_LBUTTONUP, plat::WM_RBUTTONUP, plat::WM_MBUTTONDOWN, 0x208u, 0x209u, 0x1234u})
        Mouse(m);
    Advance(5000);
    EXPECT_EQ(events, "");
    EXPECT_FALSE(tray->MsgWindow()->Timing());
}

}  // namespace
