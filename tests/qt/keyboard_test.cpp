// The keyboard rules of a dialog, menus with their accelerators, the close box and the
// modal loop, as a person meets them on a library form.
#include <QApplication>
#include <QMenu>

#include "gui/application.h"
#include "gui/forms.h"
#include "gui/menus.h"
#include "gui/stdctrls.h"
#include "qt/qt_fixture.h"

namespace {

class QtKeyboard : public QtTest {
  protected:
    void SetUp() override {
        QtTest::SetUp();
        Application = new TApplication();
        Application->SetTitle("Zelvora");
        form = new TForm(Application, "TZelKeys");
        form->SetBorderStyle(bsDialog);
        form->SetBounds(100, 100, 320, 160);
        form->SetCaption("Keys");
        edit = Make<TEdit>(8, 8, 200, 21);
        check = Make<TCheckBox>(8, 36, 200, 18);
        check->SetCaption("Check");
        other = Make<TButton>(8, 90, 90, 25);
        other->SetCaption("Other");
        ok = Make<TButton>(110, 90, 90, 25);
        ok->SetCaption("OK");
        ok->SetDefault(true);
        other->OnClick = [this](TObject*) { ++otherClicks; };
        ok->OnClick = [this](TObject*) { ++okClicks; };
    }
    void TearDown() override {
        delete Application;
        Application = nullptr;
        QtTest::TearDown();
    }
    template <class T>
    T* Make(int left, int top, int width, int height) {
        auto* c = new T(form);
        c->SetParent(form);
        c->SetBounds(left, top, width, height);
        return c;
    }
    bool Focused(TWinControl* c) { return Widget(c->Handle())->hasFocus(); }

    TForm* form = nullptr;
    TEdit* edit = nullptr;
    TCheckBox* check = nullptr;
    TButton *other = nullptr, *ok = nullptr;
    int otherClicks = 0, okClicks = 0;
};

TEST_F(QtKeyboard, TabWalksTheTabOrderAndEnterPressesTheFocusedButtonElseTheDefault) {
    form->Show();
    ASSERT_TRUE(ShowAndWait(form->Handle()));
    edit->SetFocus();
    Pump(100);
    Keys({"Tab"});
    EXPECT_TRUE(Focused(check));
    Keys({"Return"});  // on a check box: the default button
    EXPECT_EQ(okClicks, 1);
    EXPECT_FALSE(check->Checked());
    Keys({"Tab"});
    EXPECT_TRUE(Focused(other));
    Keys({"Return"});
    EXPECT_EQ(otherClicks, 1);
    EXPECT_EQ(okClicks, 1);
    Keys({"shift+Tab", "shift+Tab"});
    EXPECT_TRUE(Focused(edit));
    Keys({"KP_Enter"});
    EXPECT_EQ(okClicks, 2);
}

TEST_F(QtKeyboard, TheCloseBoxOrEscapeEndsAModalShowingAndClosingOnlyHides) {
    form->Show();
    ASSERT_TRUE(ShowAndWait(form->Handle()));
    Keys({"alt+F4"});
    EXPECT_TRUE(WaitFor([this] { return !form->Visible(); }));
    EXPECT_NE(Widget(form->Handle()), nullptr);  // still there, only hidden

    XdoLater({"sleep", "1.5", "key", "Escape"});
    EXPECT_EQ(form->ShowModal(), mrCancel);
    EXPECT_FALSE(form->Visible());
    EXPECT_NE(Widget(form->Handle()), nullptr);
}

TEST_F(QtKeyboard, MenuCommandsComeFromClicksMnemonicsAndAccelerators) {
    auto* menu = new TMainMenu(form);
    auto* file = new TMenuItem(form);
    file->SetCaption("&File");
    auto* help = new TMenuItem(form);
    help->SetCaption("&Help...");
    help->SetShortCut(plat::VK_F1);
    auto* hide = new TMenuItem(form);
    hide->SetCaption("Hi&de");
    file->Add(help);
    file->Add(hide);
    menu->Items()->Add(file);
    int helps = 0, hides = 0;
    help->OnClick = [&](TObject*) { ++helps; };
    hide->OnClick = [&](TObject*) { ++hides; };
    form->SetMenu(menu);
    form->Show();
    ASSERT_TRUE(ShowAndWait(form->Handle()));
    edit->SetFocus();
    Keys({"F1"});
    EXPECT_EQ(helps, 1);
    Keys({"alt+f"});
    ASSERT_TRUE(WaitFor([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }));
    Keys({"d"});
    EXPECT_TRUE(WaitFor([&] { return hides == 1; }));
    // The client area keeps its size below the menu bar.
    EXPECT_EQ(form->ClientHeight(), 160 - platform().FrameSize(bsDialog, true).y);
}

// A command may open a modal window in which the menus are set again (what plays
// changed): run inside the menu's key handler, that loop deleted the menu under it.
TEST_F(QtKeyboard, AMenuCommandRunsAfterTheMenuHasHandledItsKey) {
    auto* menu = new TMainMenu(form);
    auto* file = new TMenuItem(form);
    file->SetCaption("&File");
    auto* find = new TMenuItem(form);
    find->SetCaption("&Find...");
    file->Add(find);
    menu->Items()->Add(file);
    bool inMenuKey = false;
    int finds = 0, duringMenuKey = 0;
    // Cleared by an event posted as the menu gets its key: before any queued command.
    struct Watch : QObject {
        bool* flag;
        explicit Watch(bool* f) : flag(f) {}
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::KeyPress && qobject_cast<QMenu*>(watched)) {
                *flag = true;
                QMetaObject::invokeMethod(this, [f = flag] { *f = false; }, Qt::QueuedConnection);
            }
            return false;
        }
    } watch(&inMenuKey);
    qApp->installEventFilter(&watch);
    find->OnClick = [&](TObject*) {
        ++finds;
        if (inMenuKey) ++duringMenuKey;
        form->SetMenu(menu);
        Application->ProcessMessages();
    };
    form->SetMenu(menu);
    form->Show();
    ASSERT_TRUE(ShowAndWait(form->Handle()));
    for (int round = 0; round < 2; ++round) {
        Keys({"alt+f"});
        ASSERT_TRUE(WaitFor([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }));
        Keys({"f"});
        EXPECT_TRUE(WaitFor([&] { return finds == round + 1; }));
    }
    qApp->removeEventFilter(&watch);
    EXPECT_EQ(duringMenuKey, 0);
}

}  // namespace
