// Which changes raise events: code changes raise none (except a check box set to a
// new value), a person's actions do, and what a handler throws goes to one error
// report while the program runs on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/application.h"
#include "gui/comctrls.h"
#include "gui/exceptions.h"
#include "gui/forms.h"
#include "gui/listcontrols.h"
#include "gui/stdctrls.h"
#include "support/gui_fixture.h"

namespace {

class GuiEvents : public GuiTest {
  protected:
    void SetUp() override {
        GuiTest::SetUp();
        form = new TForm(Application);
    }
    template <class T>
    T* Add() {
        auto* c = new T(form);
        c->SetParent(form);
        return c;
    }
    TForm* form = nullptr;
};

TEST_F(GuiEvents, CheckBoxSetFromCodeRunsItsClickOnlyWhenTheValueChanges) {
    auto* box = Add<TCheckBox>();
    std::vector<bool> clicks;
    box->OnClick = [&](TObject* sender) {
        EXPECT_EQ(sender, box);
        clicks.push_back(box->Checked());
    };
    box->SetChecked(true);
    box->SetChecked(true);
    box->SetChecked(false);
    box->SetChecked(false);
    EXPECT_EQ(clicks, (std::vector<bool>{true, false}));
    box->UserToggle();
    EXPECT_EQ(clicks, (std::vector<bool>{true, false, true}));
}

TEST_F(GuiEvents, CheckBoxFailureFromCodeReachesTheCallerNotTheReport) {
    auto* box = Add<TCheckBox>();
    box->OnClick = [](TObject*) { throw EInOutError(5); };
    EXPECT_THROW(box->SetChecked(true), EInOutError);
    EXPECT_TRUE(harness().messageBoxes.empty());
    box->UserToggle();
    ASSERT_EQ(harness().messageBoxes.size(), 1u);
    EXPECT_EQ(harness().messageBoxes[0].text, "File access denied.");
}

TEST_F(GuiEvents, StoredCheckedValueRunsNoClick) {
    auto* box = Add<TCheckBox>();
    int clicks = 0;
    box->OnClick = [&](TObject*) { ++clicks; };
    form->ReadStored([&] { box->SetChecked(true); });
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(clicks, 0);
}

TEST_F(GuiEvents, CodeChangesRaiseNothingAndPersonsActionsDo) {
    auto* list = Add<TListBox>();
    auto* combo = Add<TComboBox>();
    auto* bar = Add<TTrackBar>();
    auto* edit = Add<TEdit>();
    for (auto* items : {list->Items(), combo->Items()}) items->SetText("a\nb\nc\n");
    bar->SetMax(255);
    std::vector<std::string> events;
    list->OnClick = [&](TObject*) {
        events.push_back("list " + std::to_string(list->ItemIndex()));
    };
    combo->OnChange = [&](TObject*) {
        events.push_back("combo " + std::to_string(combo->ItemIndex()));
    };
    bar->OnChange = [&](TObject*) { events.push_back("bar " + std::to_string(bar->Position())); };
    edit->OnChange = [&](TObject*) { events.push_back("edit " + edit->Text()); };

    list->SetItemIndex(1);
    combo->SetItemIndex(2);
    bar->SetPosition(100);
    edit->SetText("typed by code");
    EXPECT_TRUE(events.empty());

    list->UserSelect(2);
    list->UserSelect(2);  // no change, no event
    combo->UserSelect(0);
    bar->UserMoveTo(300);  // kept inside the range
    edit->UserType("Rock FM");
    EXPECT_EQ(events, (std::vector<std::string>{"list 2", "combo 0", "bar 255", "edit Rock FM"}));
}

TEST_F(GuiEvents, InputMessagesToTheWindowsAreTheSameUserActions) {
    auto* list = Add<TListBox>();
    auto* bar = Add<TTrackBar>();
    auto* button = Add<TButton>();
    auto* edit = Add<TEdit>();
    list->Items()->SetText("a\nb\n");
    std::vector<std::string> events;
    list->OnClick = [&](TObject*) { events.push_back("list"); };
    bar->OnChange = [&](TObject*) { events.push_back("bar"); };
    bar->OnEnter = [&](TObject*) { events.push_back("enter"); };
    button->OnClick = [&](TObject*) { events.push_back("button"); };
    edit->OnChange = [&](TObject*) { events.push_back("edit " + edit->Text()); };
    auto& h = harness();
    h.SendMessageA(list->Handle(), plat::ZM_SELECT, 1, 0);
    h.SendMessageA(bar->Handle(), plat::ZM_FOCUS, 0, 0);
    h.SendMessageA(bar->Handle(), plat::ZM_SCROLL, 4, 0);
    h.SendMessageA(button->Handle(), plat::ZM_CLICK, 0, 0);
    h.SendMessageA(edit->Handle(), plat::ZM_TEXT, 0, reinterpret_cast<plat::LPARAM>("x"));
    EXPECT_EQ(events, (std::vector<std::string>{"list", "enter", "bar", "button", "edit x"}));
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(bar->Position(), 4);
}

TEST_F(GuiEvents, DisabledControlsIgnoreThePerson) {
    auto* button = Add<TButton>();
    auto* box = Add<TCheckBox>();
    int clicks = 0;
    button->OnClick = box->OnClick = [&](TObject*) { ++clicks; };
    button->SetEnabled(false);
    box->SetEnabled(false);
    button->UserClick();
    box->UserToggle();
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(box->Checked());
}

TEST_F(GuiEvents, FailingHandlerGivesOneErrorReportAndTheNextActionStillWorks) {
    auto* button = Add<TButton>();
    int clicks = 0;
    button->OnClick = [&](TObject*) {
        if (++clicks == 1) throw EFOpenError("C:\\settings\\Rock_FM");
    };
    button->UserClick();
    ASSERT_EQ(harness().messageBoxes.size(), 1u);
    const auto& box = harness().messageBoxes[0];
    EXPECT_EQ(box.text, "Cannot open file C:\\settings\\Rock_FM.");
    EXPECT_EQ(box.caption, "Zelvora");
    EXPECT_EQ(box.type, plat::MB_OK | plat::MB_ICONSTOP);
    EXPECT_EQ(box.owner, Application->Handle());
    button->UserClick();
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(harness().messageBoxes.size(), 1u);
}

TEST_F(GuiEvents, ErrorReportAddsNoSecondFullStopAndUsesTheCurrentTitle) {
    Application->SetTitle("Other");
    auto* button = Add<TButton>();
    button->OnClick = [](TObject*) { throw Exception("Already ends."); };
    button->UserClick();
    ASSERT_EQ(harness().messageBoxes.size(), 1u);
    EXPECT_EQ(harness().messageBoxes[0].text, "Already ends.");
    EXPECT_EQ(harness().messageBoxes[0].caption, "Other");
}

TEST_F(GuiEvents, TheEndOfTheProcessPassesThroughTheDispatcher) {
    auto* button = Add<TButton>();
    button->OnClick = [&](TObject*) { platform().ExitProcess(0); };
    EXPECT_THROW(button->UserClick(), plat::headless::ProcessEnded);
    EXPECT_TRUE(harness().messageBoxes.empty());
}

}  // namespace
