// What the shell is told of the tray icon, and when: the record of every call, one
// add per activation, modifications for pictures and tips, the state machine.
#include <memory>
#include <string>

#include "gui/exceptions.h"
#include "unit/tray_fixture.h"

namespace {

using plat::NIM_ADD;
using plat::NIM_DELETE;
using plat::NIM_MODIFY;
using Dw = std::vector<plat::DWORD>;

TEST_F(TrayTest, ConstructionMakesAHiddenTopLevelWindowAndTellsTheShellNothing) {
    const auto* w = harness().Window(Window());
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->spec.className, "TPGTrayIconMsgWindow");
    EXPECT_EQ(w->spec.kind, plat::WindowKind::Utility);
    EXPECT_FALSE(w->visible);
    EXPECT_TRUE(form->HandleAllocated());  // the owner's window is made with it
    EXPECT_TRUE(Shell().empty());
    EXPECT_FALSE(tray->Active());
    EXPECT_FALSE(tray->AutoPopup());
    EXPECT_TRUE(tray->ShowHint());
    EXPECT_EQ(tray->Tip(), "");
    EXPECT_EQ(tray->State(), tsEnabled);
    EXPECT_EQ(tray->Animation()->Interval(), 1000);
    EXPECT_EQ(tray->Animation()->Options(), aoIconsAreFiles);
    EXPECT_FALSE(tray->Animation()->Running());

    TComponent plain(nullptr);
    EXPECT_THROW(TPGTrayIcon95 orphan(&plain), EOutOfResources);
    EXPECT_THROW(TPGTrayIcon95 orphan(nullptr), EOutOfResources);
}

TEST_F(TrayTest, ActivateSendsOneAddWithTheWholeRecordAndDeactivateOneDelete) {
    TIcon picture;
    LoadPicture(picture);
    tray->SetIcon(picture);
    tray->SetHint("Zelvora");
    EXPECT_TRUE(Shell().empty());

    tray->Activate();
    tray->Activate();
    tray->SetActive(true);
    ASSERT_EQ(ShellMessages(), Dw{NIM_ADD});
    const plat::NOTIFYICONDATA& d = Shell()[0].data;
    EXPECT_EQ(d.cbSize, 88u);
    EXPECT_EQ(d.hWnd, Window());
    EXPECT_EQ(d.uID, 42u);
    EXPECT_EQ(d.uFlags, 7u);
    EXPECT_EQ(d.uCallbackMessage, 1124u);
    EXPECT_NE(d.hIcon, 0u);
    EXPECT_NE(d.hIcon, picture.Handle());  // the tray shows a copy of its own
    EXPECT_STREQ(d.szTip, "Zelvora");

    tray->SetActive(false);
    tray->Deactivate();
    EXPECT_EQ(ShellMessages(), (Dw{NIM_ADD, NIM_DELETE}));
    EXPECT_EQ(Shell()[1].data.hWnd, Window());
    EXPECT_EQ(Shell()[1].data.uID, 42u);
}

TEST_F(TrayTest, AStoredActiveIconReachesTheShellOnceAfterLoadingWithItsIconAndTip) {
    TIcon picture;
    LoadPicture(picture);
    form->ReadStored([&] {
        tray->SetIcon(picture);
        tray->SetActive(true);
        tray->SetHint("Stored tip");
        tray->SetState(tsDisabled);
        tray->SetState(tsEnabled);
    });
    ASSERT_EQ(ShellMessages(), Dw{NIM_ADD});
    EXPECT_NE(Shell()[0].data.hIcon, 0u);
    EXPECT_STREQ(Shell()[0].data.szTip, "Stored tip");
    EXPECT_TRUE(tray->Active());
}

TEST_F(TrayTest, PictureChangesWhileActiveAreOneModificationEach) {
    TIcon picture;
    LoadPicture(picture);
    tray->SetIcon(picture);  // inactive: nothing to tell
    tray->Activate();
    const plat::HICON first = LastIcon();

    tray->SetIcon(picture);
    EXPECT_EQ(ShellMessages(), (Dw{NIM_ADD, NIM_MODIFY}));
    EXPECT_NE(LastIcon(), first);
    tray->Icon()->LoadFromFile(IconFile("other.ico"));  // a change in place counts too
    EXPECT_EQ(ShellMessages(), (Dw{NIM_ADD, NIM_MODIFY, NIM_MODIFY}));
    tray->SetIcon(TIcon());
    EXPECT_EQ(LastIcon(), 0u);
    // The disabled picture is not the one shown, yet its change is sent all the same.
    tray->SetDisabledIcon(picture);
    EXPECT_EQ(Shell().size(), 5u);
    EXPECT_EQ(LastIcon(), 0u);
}

TEST_F(TrayTest, TheTipIsTheFirst63BytesOfTheHintAndShowHintOffEmptiesIt) {
    tray->Activate();
    const std::string hint(100, 'h');
    tray->SetHint(hint);
    EXPECT_EQ(tray->Hint(), hint);
    EXPECT_EQ(LastTip(), std::string(63, 'h'));
    const auto sent = Shell().size();
    tray->SetHint(hint);  // the same text again
    EXPECT_EQ(Shell().size(), sent);

    tray->SetShowHint(false);
    EXPECT_EQ(LastTip(), "");
    EXPECT_EQ(tray->Hint(), hint);
    tray->SetHint("Changed while hidden");
    EXPECT_EQ(Shell().size(), sent + 1);
    tray->SetShowHint(true);
    EXPECT_EQ(LastTip(), "Changed while hidden");
    EXPECT_EQ(Shell().back().message, NIM_MODIFY);
}

TEST_F(TrayTest, StateChosenWhileInactiveRaisesNothingAndShowsOnActivation) {
    TIcon picture;
    LoadPicture(picture);
    tray->SetIcon(picture);
    int handlerCalls = 0;
    tray->OnStateChanging = [&](TObject*, TPGTrayIconState&) { ++handlerCalls; };
    tray->SetState(tsDisabled);
    EXPECT_EQ(tray->State(), tsDisabled);
    tray->Activate();
    EXPECT_EQ(LastIcon(), 0u);  // the empty disabled picture
    tray->SetState(tsDisabled);
    EXPECT_EQ(handlerCalls, 0);

    tray->SetState(tsEnabled);
    EXPECT_EQ(handlerCalls, 1);
    EXPECT_EQ(ShellMessages(), (Dw{NIM_ADD, NIM_MODIFY}));
    EXPECT_NE(LastIcon(), 0u);
}

TEST_F(TrayTest, TheStateChangingHandlerMayRedirectOrCancelTheChange) {
    tray->Activate();
    tray->OnStateChanging = [&](TObject* sender, TPGTrayIconState& next) {
        EXPECT_EQ(sender, tray);
        if (next == tsAnimated) next = tray->State();  // refused
        if (next == tsDisabled) next = tsEnabled;      // refused too, the other way
    };
    tray->SetState(tsAnimated);
    tray->SetState(tsDisabled);
    EXPECT_EQ(tray->State(), tsEnabled);
    EXPECT_EQ(ShellMessages(), Dw{NIM_ADD});
    EXPECT_FALSE(tray->Animation()->Running());
}

TEST_F(TrayTest, AssigningAnyStateInsideAStateChangingHandlerRaises) {
    tray->Activate();
    auto other = std::make_unique<TPGTrayIcon95>(form);
    std::vector<std::string> errors;
    tray->OnStateChanging = [&](TObject*, TPGTrayIconState&) {
        for (TPGTrayIcon95* icon : {tray, other.get()}) {
            try {
                icon->SetState(tsAnimated);
            } catch (const EInvalidOperation& e) {
                errors.push_back(e.Message());
            }
        }
    };
    tray->SetState(tsDisabled);
    EXPECT_EQ(errors, std::vector<std::string>(2, SStateInStateChanging));
    EXPECT_EQ(tray->State(), tsDisabled);
    EXPECT_EQ(other->State(), tsEnabled);

    // A handler that fails leaves the state as it was, and the guard clear.
    tray->OnStateChanging = [](TObject*, TPGTrayIconState&) { throw EConvertError("no"); };
    EXPECT_THROW(tray->SetState(tsEnabled), EConvertError);
    EXPECT_EQ(tray->State(), tsDisabled);
    tray->OnStateChanging = nullptr;
    tray->SetState(tsEnabled);
    EXPECT_EQ(tray->State(), tsEnabled);
}

TEST_F(TrayTest, InADesignerNothingReachesTheShell) {
    delete tray;
    form->SetDesigning(true);
    tray = new TPGTrayIcon95(form);
    TIcon picture;
    LoadPicture(picture);
    form->ReadStored([&] {
        tray->SetIcon(picture);
        tray->SetActive(true);
        tray->SetHint("Designing");
    });
    tray->SetShowHint(false);
    tray->SetState(tsDisabled);
    tray->Activate();
    EXPECT_TRUE(tray->Active());
    EXPECT_TRUE(Shell().empty());
}

TEST_F(TrayTest, DestroyingTheOwnerRemovesTheIconBeforeItsWindowGoes) {
    tray->Activate();
    const plat::HWND window = Window();
    delete form;
    auto& log = harness().log;
    auto removed = std::find_if(log.begin(), log.end(),
                                [](auto& l) { return l.rfind("Shell_NotifyIconA(2,", 0) == 0; });
    auto gone = std::find(log.begin(), log.end(), "DestroyWindow(" + std::to_string(window) + ")");
    ASSERT_NE(removed, log.end());
    ASSERT_NE(gone, log.end());
    EXPECT_LT(removed, gone);
    EXPECT_EQ(harness().LiveIcons(), 0);
}

TEST_F(TrayTest, AnActiveIconAddsItselfAgainWhenTheTaskBarComesBack) {
    const plat::UINT taskbarCreated = platform().RegisterWindowMessageA("TaskbarCreated");
    platform().SendMessageA(Window(), taskbarCreated, 0, 0);
    EXPECT_TRUE(Shell().empty());
    tray->SetHint("Back");
    tray->Activate();
    platform().SendMessageA(Window(), taskbarCreated, 0, 0);
    EXPECT_EQ(ShellMessages(), (Dw{NIM_ADD, NIM_ADD}));
    EXPECT_STREQ(Shell()[1].data.szTip, "Back");
    EXPECT_EQ(Shell()[1].data.hIcon, Shell()[0].data.hIcon);
    EXPECT_EQ(platform().RegisterWindowMessageA("taskbarcreated"), taskbarCreated);
    EXPECT_GE(taskbarCreated, 0xC000u);
}

}  // namespace
