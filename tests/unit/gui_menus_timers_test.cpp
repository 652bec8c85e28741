// Popup and main menus, shortcuts, and timers on the virtual clock.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/application.h"
#include "gui/exceptions.h"
#include "gui/forms.h"
#include "gui/menus.h"
#include "gui/timer.h"
#include "support/gui_fixture.h"

namespace {

class GuiMenus : public GuiTest {
  protected:
    TMenuItem* Item(TMenuItem* parent, const std::string& caption) {
        auto* item = new TMenuItem(Application);
        item->SetCaption(caption);
        item->OnClick = [this, caption](TObject*) { events.push_back("click " + caption); };
        parent->Add(item);
        return item;
    }
    std::vector<std::string> events;
};

TEST_F(GuiMenus, PopupRunsOnPopupThenShowsTheMenuThenTheChosenItemsClick) {
    auto* menu = new TPopupMenu(Application);
    Item(menu->Items(), "Zelvora...");
    Item(menu->Items(), "-");
    menu->OnPopup = [&](TObject* sender) {
        EXPECT_EQ(sender, menu);
        events.push_back("popup, shown " + std::to_string(harness().popups.size()));
        Item(menu->Items(), "Jazz FM");  // rebuilt while popping up
    };
    harness().popupChoices.push_back("Jazz FM");
    menu->Popup(300, 200);
    EXPECT_EQ(events, (std::vector<std::string>{"popup, shown 0", "click Jazz FM"}));
    ASSERT_EQ(harness().popups.size(), 1u);
    const auto& shown = harness().popups[0];
    EXPECT_EQ(shown.at.x, 300);
    EXPECT_EQ(shown.at.y, 200);
    EXPECT_EQ(shown.owner, Application->Handle());
    ASSERT_EQ(shown.items.size(), 3u);
    EXPECT_EQ(shown.items[1].caption, "-");
    EXPECT_EQ(shown.items[2].caption, "Jazz FM");
}

TEST_F(GuiMenus, DismissedPopupClicksNothingAndAFailingClickIsReported) {
    auto* menu = new TPopupMenu(Application);
    auto* exit = Item(menu->Items(), "Exit");
    menu->Popup(0, 0);
    EXPECT_TRUE(events.empty());
    exit->OnClick = [](TObject*) { throw Exception("Cannot create file x"); };
    harness().popupChoices.push_back("Exit");
    menu->Popup(0, 0);
    ASSERT_EQ(harness().messageBoxes.size(), 1u);
    EXPECT_EQ(harness().messageBoxes[0].text, "Cannot create file x.");
}

TEST_F(GuiMenus, MainMenuReachesTheFormAndItsCommandsRunTheItems) {
    auto* form = new TForm(Application);
    auto* menu = new TMainMenu(form);
    auto* file = Item(menu->Items(), "&File");
    auto* hide = Item(file, "&Hide");
    Item(file, "-");
    auto* help = Item(Item(menu->Items(), "&Help"), "Help...");
    help->SetShortCut(ShortCut(plat::VK_F1));
    form->SetMenu(menu);
    const auto& bar = harness().Window(form->Handle())->menuBar;
    ASSERT_EQ(bar.size(), 2u);
    ASSERT_EQ(bar[0].items.size(), 2u);
    EXPECT_EQ(bar[1].items[0].shortCut, 0x70);
    EXPECT_EQ(ShortCutToText(bar[1].items[0].shortCut), "F1");

    harness().SendMessageA(form->Handle(), plat::ZM_COMMAND, bar[0].items[0].id, 0);
    EXPECT_EQ(events, (std::vector<std::string>{"click &Hide"}));

    hide->SetEnabled(false);  // reaches the window at once
    EXPECT_FALSE(harness().Window(form->Handle())->menuBar[0].items[0].enabled);
    hide->UserChoose();
    EXPECT_EQ(events.size(), 1u);
}

TEST_F(GuiMenus, ItemsFormATreeThatTheirParentsFree) {
    auto* root = new TMenuItem(nullptr);
    auto* a = Item(root, "a");
    auto* b = Item(root, "b");
    EXPECT_EQ(root->IndexOf(b), 1);
    EXPECT_THROW(root->Add(a), EMenuError);
    root->Remove(a);  // taken out, not freed
    EXPECT_EQ(a->Parent(), nullptr);
    EXPECT_EQ(root->Count(), 1);
    int owned = Application->ComponentCount();
    delete root;  // frees b, which leaves its owner
    EXPECT_EQ(Application->ComponentCount(), owned - 1);
}

TEST(GuiShortCut, ModifiersAreBitsAboveTheKey) {
    EXPECT_EQ(ShortCut('S', {ssCtrl}), 0x4053);
    EXPECT_EQ(ShortCut(plat::VK_F5, {ssShift, ssAlt}), 0xA074);
    EXPECT_EQ(ShortCutToText(0x4053), "Ctrl+S");
    EXPECT_EQ(ShortCutToText(0), "");
}

class GuiTimers : public GuiTest {
  protected:
    TTimer* Timer(const std::string& name, unsigned interval) {
        auto* t = new TTimer(Application);
        t->SetInterval(interval);
        t->OnTimer = [this, name](TObject*) {
            ticks.push_back(name + "@" + std::to_string(harness().Now()));
        };
        return t;
    }
    std::vector<std::string> ticks;
};

TEST_F(GuiTimers, TimersFireOnTheVirtualClockInTimeOrder) {
    Timer("a", 300);
    Timer("b", 500);
    harness().Advance(1000);
    EXPECT_EQ(ticks, (std::vector<std::string>{"a@300", "b@500", "a@600", "a@900", "b@1000"}));
}

TEST_F(GuiTimers, IntervalZeroDisabledOrUnassignedNeverFires) {
    Timer("zero", 0);
    Timer("off", 100)->SetEnabled(false);
    auto* bare = new TTimer(Application);
    bare->SetInterval(100);
    EXPECT_FALSE(bare->Running());
    harness().Advance(1000);
    EXPECT_TRUE(ticks.empty());
    bare->OnTimer = [&](TObject*) { ticks.push_back("bare"); };
    harness().Advance(100);
    EXPECT_EQ(ticks, (std::vector<std::string>{"bare"}));
}

TEST_F(GuiTimers, ChangingTheIntervalOrReenablingStartsItOver) {
    auto* t = Timer("t", 1000);
    harness().Advance(600);
    t->SetInterval(500);
    harness().Advance(400);
    EXPECT_TRUE(ticks.empty());
    harness().Advance(100);
    t->SetEnabled(false);
    t->SetEnabled(true);
    harness().Advance(499);
    EXPECT_EQ(ticks, (std::vector<std::string>{"t@1100"}));
    harness().Advance(1);
    EXPECT_EQ(ticks.back(), "t@1600");
}

TEST_F(GuiTimers, FailingTickIsReportedAndTheTimerRunsOn) {
    auto* t = new TTimer(Application);
    t->SetInterval(100);
    int n = 0;
    t->OnTimer = [&](TObject*) {
        ++n;
        throw Exception("tick");
    };
    harness().Advance(200);
    EXPECT_EQ(n, 2);
    EXPECT_EQ(harness().messageBoxes.size(), 2u);
}

TEST_F(GuiTimers, ATimerTheSystemRefusesRaisesAndDoesNotPassForRunning) {
    harness().refuseTimers = true;
    try {
        Timer("refused", 100);
        ADD_FAILURE() << "no error";
    } catch (const EOutOfResources& e) {
        EXPECT_STREQ(e.what(), "Not enough timers available");
    }
    auto* t = new TTimer(Application);
    t->SetEnabled(false);
    t->OnTimer = [this](TObject*) { ticks.push_back("t"); };
    EXPECT_THROW(t->SetEnabled(true), EOutOfResources);
    EXPECT_TRUE(t->Enabled());
    EXPECT_FALSE(t->Running());
    harness().refuseTimers = false;
    t->SetInterval(200);
    harness().Advance(200);
    EXPECT_EQ(ticks, (std::vector<std::string>{"t"}));
}

TEST_F(GuiTimers, FreedTimerStopsItsPlatformTimer) {
    auto* t = Timer("gone", 100);
    delete t;
    harness().Advance(1000);
    EXPECT_TRUE(ticks.empty());
}

}  // namespace
