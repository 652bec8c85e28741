// The tray icon in the real notification area: the shell keeps it while the icon is
// active, its hidden window hears the shell's mouse reports, the real popup menu is
// built from the station list, and the icon comes back when the task bar is made anew.
#include <string>
#include <vector>

#include "app/radiowin.h"
#include "components/PGTray95.h"
#include "gui/application.h"
#include "support/platform_fixture.h"

#include "win32/native_windows.h"

#include "win32/shell_icon.h"

namespace {

void ForgetIcon(HWND window) {
    NOTIFYICONDATAA d{};
    d.cbSize = 88;
    d.hWnd = window;
    d.uID = kTrayIconId;
    ::Shell_NotifyIconA(NIM_DELETE, &d);
}

// What the timer below saw of the open popup menu.
std::vector<std::string> menuSeen;
bool menuOpen = false;

// Runs inside the menu's own loop: reads the open menu, then closes it with Escape.
void CALLBACK ReadAndDismissMenu(HWND, UINT, UINT_PTR id, DWORD) {
    HWND popup = ::FindWindowA("#32768", nullptr);
    if (!popup || !::IsWindowVisible(popup)) return;
    ::KillTimer(nullptr, id);
    menuOpen = true;
    auto menu = reinterpret_cast<HMENU>(::SendMessageA(popup, 0x01E1 /* MN_GETHMENU */, 0, 0));
    for (int i = 0, n = ::GetMenuItemCount(menu); i < n; ++i) {
        char text[128] = {};
        UINT state = ::GetMenuState(menu, i, MF_BYPOSITION);
        ::GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        menuSeen.push_back(state & MF_SEPARATOR ? "-" : text);
    }
    ::PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
}

class TrayWine : public PlatformTest {
  protected:
    void SetUp() override {
        PlatformTest::SetUp();
        Application = new TApplication();
        Application->SetTitle("Zelvora");
        form = new TForm(Application);
        tray = new TPGTrayIcon95(form);
        window = reinterpret_cast<HWND>(tray->MsgWindow()->Handle());
    }
    void TearDown() override {
        delete Application;
        Application = nullptr;
        PlatformTest::TearDown();
    }
    void Pump(int ms) {
        for (DWORD end = ::GetTickCount() + ms; ::GetTickCount() < end;) {
            Application->ProcessMessages();
            ::Sleep(10);
        }
    }

    TForm* form = nullptr;
    TPGTrayIcon95* tray = nullptr;
    HWND window = nullptr;
};

TEST_F(TrayWine, TheMessageWindowIsAHiddenTopLevelWindowOfItsOwnClass) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    EXPECT_STREQ(name, "TPGTrayIconMsgWindow");
    EXPECT_FALSE(::IsWindowVisible(window));
    EXPECT_EQ(::GetAncestor(window, GA_PARENT), ::GetDesktopWindow());
    EXPECT_EQ(::GetWindowLongA(window, GWL_STYLE) & WS_CHILD, 0);
}

TEST_F(TrayWine, TheShellHoldsTheIconExactlyWhileItIsActive) {
    EXPECT_FALSE(ShellHasIcon(window));
    tray->SetHint("Zelvora under Wine");
    tray->Activate();
    EXPECT_TRUE(ShellHasIcon(window));
    tray->Deactivate();
    EXPECT_FALSE(ShellHasIcon(window));

    tray->Activate();
    delete form;  // the icon goes with its owner
    EXPECT_FALSE(ShellHasIcon(window));
    EXPECT_FALSE(::IsWindow(window));
}

TEST_F(TrayWine, AShellNotificationBecomesAClickOneDoubleClickTimeLater) {
    tray->Activate();
    int clicks = 0, doubles = 0;
    tray->OnClick = [&](TObject*) { ++clicks; };
    tray->OnDblClick = [&](TObject*) { ++doubles; };
    ::PostMessageA(window, WM_TRAYNOTIFY, kTrayIconId, WM_LBUTTONDOWN);
    ::PostMessageA(window, WM_TRAYNOTIFY, kTrayIconId, WM_LBUTTONUP);
    Pump(50);
    EXPECT_EQ(clicks, 0);
    Pump(static_cast<int>(::GetDoubleClickTime()) + 300);
    EXPECT_EQ(clicks, 1);
    ::PostMessageA(window, WM_TRAYNOTIFY, kTrayIconId, WM_LBUTTONDOWN);
    ::PostMessageA(window, WM_TRAYNOTIFY, kTrayIconId, WM_LBUTTONDBLCLK);
    Pump(static_cast<int>(::GetDoubleClickTime()) + 300);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(doubles, 1);
}

TEST_F(TrayWine, TheIconAddsItselfAgainWhenTheTaskBarIsMadeAnew) {
    tray->Activate();
    ForgetIcon(window);  // as a task bar that went down takes its icons with it
    ASSERT_FALSE(ShellHasIcon(window));
    // Explorer's announcement goes to every top-level window.
    ::PostMessageA(HWND_BROADCAST, ::RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    Pump(300);
    EXPECT_TRUE(ShellHasIcon(window));
    tray->Deactivate();
    ::PostMessageA(HWND_BROADCAST, ::RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    Pump(300);
    EXPECT_FALSE(ShellHasIcon(window));
}

TEST_F(TrayWine, ARightClickOpensTheRealMenuBuiltFromTheStationList) {
    delete form;
    RadioForm = Application->CreateForm<TRadioForm>();
    RadioForm->AboutShown = true;
    RadioForm->StationLB->Items()->Clear();
    for (const char* name : {"Alpha", "Rock & Roll"}) RadioForm->StationLB->Items()->Add(name);
    HWND icon = reinterpret_cast<HWND>(RadioForm->PGTrayIcon951->MsgWindow()->Handle());
    EXPECT_TRUE(ShellHasIcon(icon));  // stored as active

    menuSeen.clear();
    menuOpen = false;
    UINT_PTR timer = ::SetTimer(nullptr, 0, 50, ReadAndDismissMenu);
    ::PostMessageA(icon, WM_TRAYNOTIFY, kTrayIconId, WM_RBUTTONDOWN);
    ::PostMessageA(icon, WM_TRAYNOTIFY, kTrayIconId, WM_RBUTTONUP);
    Pump(static_cast<int>(::GetDoubleClickTime()) + 1500);
    ::KillTimer(nullptr, timer);
    EXPECT_TRUE(menuOpen);
    EXPECT_EQ(menuSeen,
              (std::vector<std::string>{"Zelvora...", "-", "Song Notifications", "Copy Song Title",
                                        "Sleep", "-", "Alpha", "Rock & Roll", "-", "Exit"}));
    EXPECT_EQ(::GetForegroundWindow(), icon);
}

}  // namespace
