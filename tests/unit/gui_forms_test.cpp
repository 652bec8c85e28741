// Forms and the application: showing, modal showings and their results, placement,
// client size, window creation, and form creation through the application.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/application.h"
#include "gui/comctrls.h"
#include "gui/exceptions.h"
#include "gui/forms.h"
#include "gui/listcontrols.h"
#include "gui/menus.h"
#include "gui/stdctrls.h"
#include "support/gui_fixture.h"

namespace {

class GuiForms : public GuiTest {
  protected:
    void SetUp() override {
        GuiTest::SetUp();
        form = new TForm(Application, "TRadioForm");
        form->SetBounds(15, 15, 200, 100);
    }
    template <class T>
    T* Add(TWinControl* parent = nullptr) {
        auto* c = new T(form);
        c->SetParent(parent ? parent : form);
        return c;
    }
    bool WindowVisible(TWinControl* c) { return harness().Window(c->Handle())->visible; }
    TForm* form = nullptr;
};

TEST_F(GuiForms, OnShowRunsBeforeTheFormBecomesVisible) {
    std::vector<std::string> seen;
    form->OnShow = [&](TObject*) {
        seen.push_back(form->Visible() ? "visible" : "hidden");
        seen.push_back(form->HandleAllocated() && WindowVisible(form) ? "shown" : "not shown");
    };
    form->Show();
    EXPECT_EQ(seen, (std::vector<std::string>{"hidden", "not shown"}));
    EXPECT_TRUE(form->Visible());
    EXPECT_TRUE(WindowVisible(form));
    form->Show();  // already visible: no second OnShow
    EXPECT_EQ(seen.size(), 2u);
}

TEST_F(GuiForms, CloseBoxOnlyHides) {
    form->Show();
    harness().SendMessageA(form->Handle(), plat::ZM_CLOSE, 0, 0);
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(WindowVisible(form));
    EXPECT_TRUE(harness().Window(form->Handle()) && !harness().Window(form->Handle())->destroyed);
}

TEST_F(GuiForms, ModalShowingLeftOpenByTheUserEndsWithCancelByTheCloseBox) {
    int shows = 0;
    form->OnShow = [&](TObject*) { ++shows; };
    harness().onModal = [&](plat::HWND modal) {
        EXPECT_EQ(modal, form->Handle());
        EXPECT_TRUE(WindowVisible(form));
    };
    EXPECT_EQ(form->ShowModal(), mrCancel);
    EXPECT_EQ(harness().modalsClosedByHarness, 1);
    EXPECT_EQ(shows, 1);
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(form->Modal());
}

TEST_F(GuiForms, ButtonWithModalResultEndsTheShowingWithIt) {
    auto* ok = Add<TButton>();
    ok->SetModalResult(mrOk);
    int clicks = 0;
    ok->OnClick = [&](TObject*) { ++clicks; };
    harness().onModal = [&](plat::HWND) { ok->UserClick(); };
    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(harness().modalsClosedByHarness, 0);
    EXPECT_FALSE(form->Visible());
}

TEST_F(GuiForms, EnterPressesTheDefaultButton) {
    Add<TButton>()->SetModalResult(mrAbort);
    auto* ok = Add<TButton>();
    ok->SetModalResult(mrOk);
    ok->SetDefault(true);
    harness().onModal = [&](plat::HWND modal) {
        harness().SendMessageA(modal, plat::ZM_DEFAULT, 0, 0);
    };
    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_TRUE(harness().Window(ok->Handle())->spec.defaultButton);
}

TEST_F(GuiForms, EnterPressesTheFocusedPushButtonAndFromOtherControlsTheDefault) {
    auto* add = Add<TButton>();
    auto* box = Add<TCheckBox>();
    auto* ok = Add<TButton>();
    ok->SetDefault(true);
    std::vector<std::string> pressed;
    add->OnClick = [&](TObject*) { pressed.push_back("add"); };
    ok->OnClick = [&](TObject*) { pressed.push_back("ok"); };
    auto enter = [&](TWinControl* focused) {
        harness().SendMessageA(form->Handle(), plat::ZM_DEFAULT, 0,
                               focused ? focused->Handle() : 0);
    };
    enter(add);
    enter(box);
    enter(nullptr);
    add->SetEnabled(false);
    enter(add);
    EXPECT_EQ(pressed, (std::vector<std::string>{"add", "ok", "ok", "ok"}));
    EXPECT_FALSE(box->Checked());
}

// A message box opened inside a modal showing stands over it: while it is open no
// form takes a click, and the form under it has it back afterwards.
TEST_F(GuiForms, AMessageBoxInsideAModalShowingTakesTheInputUntilItCloses) {
    auto* other = new TForm(Application);
    auto* otherButton = new TButton(other);
    otherButton->SetParent(other);
    other->Show();
    auto* add = Add<TButton>();
    auto* ok = Add<TButton>();
    ok->SetModalResult(mrOk);
    int clicks = 0;
    add->OnClick = [&](TObject*) {
        if (++clicks == 1) Application->MessageBox("Taken", "Zelvora", plat::MB_OK);
    };
    otherButton->OnClick = [&](TObject*) { ++clicks; };
    harness().onMessageBox = [&](const plat::headless::MessageBoxCall& box) {
        EXPECT_EQ(box.owner, form->Handle());
        add->UserClick();
        ok->UserClick();
        otherButton->UserClick();
    };
    harness().onModal = [&](plat::HWND) {
        add->UserClick();
        otherButton->UserClick();  // under the modal form
        EXPECT_EQ(form->ModalResult(), mrNone);
        add->UserClick();
        ok->UserClick();
    };
    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(other->Enabled());
}

TEST_F(GuiForms, ModalShowingDisablesTheOtherVisibleFormsUntilItEnds) {
    auto* other = new TForm(Application);
    auto* hidden = new TForm(Application);
    other->Show();
    harness().onModal = [&](plat::HWND) {
        EXPECT_FALSE(other->Enabled());
        EXPECT_FALSE(harness().Window(other->Handle())->enabled);
        EXPECT_TRUE(hidden->Enabled());
        form->Close();
    };
    EXPECT_EQ(form->ShowModal(), mrCancel);
    EXPECT_TRUE(other->Enabled());
    EXPECT_TRUE(harness().Window(other->Handle())->enabled);
    EXPECT_THROW(
        {
            other->SetVisible(true);
            other->ShowModal();
        },
        EInvalidOperation);
}

TEST_F(GuiForms, ScreenCentredAtFirstShowingThenKeepsItsPlace) {
    form->SetPosition(poScreenCenter);
    form->Show();
    EXPECT_EQ(form->Left(), (1024 - 200) / 2);
    EXPECT_EQ(form->Top(), (768 - 100) / 2);
    harness().SendMessageA(form->Handle(), plat::ZM_MOVED, 0, plat::MakePoint(30, 40));
    form->Hide();
    form->Show();
    EXPECT_EQ(form->Left(), 30);
    EXPECT_EQ(form->Top(), 40);
    EXPECT_EQ(form->Width(), 200);
}

TEST_F(GuiForms, ClientSizeKeepsWhenTheFrameChanges) {
    form->SetBorderStyle(bsDialog);
    form->SetClientWidth(497);
    form->SetClientHeight(328);
    EXPECT_EQ(form->Width(), 497 + 6);
    EXPECT_EQ(form->Height(), 328 + 25);
    auto* menu = new TMainMenu(form);
    form->SetMenu(menu);
    EXPECT_EQ(form->ClientHeight(), 328);
    EXPECT_EQ(form->Height(), 328 + 25 + 19);
}

TEST_F(GuiForms, WindowsAreMadeWithTheFormInCreationOrderWithTheirState) {
    auto* list = Add<TListBox>();
    auto* box = Add<TCheckBox>();
    auto* bar = Add<TTrackBar>();
    auto* edit = Add<TEdit>();
    list->Items()->SetText("Jazz\nRock\n");
    list->SetItemIndex(1);
    box->SetChecked(true);
    bar->SetMax(255);
    bar->SetPosition(77);
    edit->SetText("abc");
    edit->SetTabOrder(0);
    EXPECT_FALSE(list->HandleAllocated());

    plat::HWND h = bar->Handle();  // a child's handle makes the form's and all of them
    ASSERT_TRUE(form->HandleAllocated());
    auto& hp = harness();
    EXPECT_EQ(hp.Window(form->Handle())->spec.className, "TRadioForm");
    EXPECT_EQ(hp.Window(form->Handle())->spec.parent, Application->Handle());
    std::vector<plat::HWND> order{edit->Handle(), list->Handle(), box->Handle(), h};
    for (std::size_t i = 1; i < order.size(); ++i) EXPECT_LT(order[i - 1], order[i]);
    EXPECT_EQ(hp.Window(list->Handle())->items, (std::vector<std::string>{"Jazz", "Rock"}));
    EXPECT_EQ(hp.Window(list->Handle())->selection, 1);
    EXPECT_TRUE(hp.Window(box->Handle())->checked);
    EXPECT_EQ(hp.Window(h)->position, 77);
    EXPECT_EQ(hp.Window(edit->Handle())->text, "abc");
    EXPECT_EQ(FindControl(list->Handle()), list);
    EXPECT_EQ(hp.Window(list->Handle())->font.name, "MS Sans Serif");
}

TEST_F(GuiForms, ListSelectionFollowsItsItemThroughEdits) {
    auto* list = Add<TListBox>();
    list->Items()->SetText("a\nb\nc\nd\n");
    list->SetItemIndex(2);
    list->Items()->Insert(0, "new");
    EXPECT_EQ(list->ItemIndex(), 3);
    list->Items()->Delete(1);
    EXPECT_EQ(list->ItemIndex(), 2);
    list->Items()->Delete(2);
    EXPECT_EQ(list->ItemIndex(), -1);
    EXPECT_EQ(harness().Window(list->Handle())->items, (std::vector<std::string>{"new", "b", "d"}));
    EXPECT_EQ(harness().Window(list->Handle())->selection, -1);
}

TEST_F(GuiForms, FirstCreatedFormIsMainAndAFailingOnCreateIsReportedWhileCreationGoesOn) {
    struct Failing : TForm {
        explicit Failing(TComponent* owner) : TForm(owner, "TFailing") {
            OnCreate = [](TObject*) { throw EInOutError(2); };
        }
    };
    auto* first = Application->CreateForm<Failing>();
    auto* second = Application->CreateForm<TForm>();
    EXPECT_EQ(Application->MainForm(), first);
    EXPECT_NE(second, nullptr);
    ASSERT_EQ(harness().messageBoxes.size(), 1u);
    EXPECT_EQ(harness().messageBoxes[0].text, "File not found.");
}

TEST_F(GuiForms, RunShowsTheMainFormOnlyWhenAsked) {
    auto* main = Application->CreateForm<TForm>();
    Application->SetShowMainForm(false);
    Application->Run();
    EXPECT_FALSE(main->Visible());
    Application->SetShowMainForm(true);
    Application->Run();
    EXPECT_TRUE(main->Visible());
}

TEST_F(GuiForms, ApplicationWindowIsHiddenAndOwnsTheForms) {
    auto* rec = harness().Window(Application->Handle());
    ASSERT_NE(rec, nullptr);
    EXPECT_EQ(rec->spec.className, "TApplication");
    EXPECT_FALSE(rec->visible);
    EXPECT_EQ(harness().FindWindowA("TApplication", nullptr), Application->Handle());
}

}  // namespace
