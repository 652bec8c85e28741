// The configuration window as a real window: its frame, font and tab order, a station
// typed into the real edit fields and added with the real button, a real mouse drag
// on the list box, Enter, OK and the close box; and a picture of it for a person.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/radiowin.h"
#include "app/stationorder.h"
#include "gui/application.h"
#include "platform/paths.h"
#include "platform/win32/win32.h"
#include "support/platform_fixture.h"

#include "win32/native_windows.h"

namespace fs = std::filesystem;

namespace {

HWND H(TWinControl* control) {
    return reinterpret_cast<HWND>(control->Handle());
}

class ConfigWindow : public PlatformTest {
  protected:
    void SetUp() override {
        PlatformTest::SetUp();
        // The window keeps its stations in the settings directory beside the program,
        // here the test program; what the test makes there it removes again.
        settingsDir = fs::path(plat::Current().GetModuleFileNameA()).parent_path() / "settings";
        hadSettingsDir = fs::exists(settingsDir);
        Application = new TApplication();
        Application->SetTitle("Zelvora");
        RegisterStationListClass();
        RadioForm = Application->CreateForm<TRadioForm>();
        w = RadioForm;
        w->AboutShown = true;  // no about box in this test
        w->StationLB->Items()->Clear();
        for (const char* name : {"Alpha", "Beta", "Gamma"}) w->StationLB->Items()->Add(name);
    }
    void TearDown() override {
        delete Application;
        Application = nullptr;
        std::error_code ec;
        if (hadSettingsDir)
            fs::remove(settingsDir / "Wine_Jazz", ec);
        else
            fs::remove_all(settingsDir, ec);
        PlatformTest::TearDown();
    }

    void Pump(int rounds = 10) {
        for (int i = 0; i < rounds; ++i) {
            Application->ProcessMessages();
            ::Sleep(10);
        }
    }
    void ShowWindowNow() {
        w->Show();
        ::SetForegroundWindow(H(w));
        ::UpdateWindow(H(w));
        Pump(20);
    }
    static std::string TextOf(HWND hwnd) {
        char buffer[256] = {};
        ::GetWindowTextA(hwnd, buffer, sizeof buffer);
        return buffer;
    }
    void TypeInto(TWinControl* edit, const std::string& text) {
        ::SetFocus(H(edit));
        for (char c : text) ::SendMessageA(H(edit), WM_CHAR, static_cast<unsigned char>(c), 1);
        Pump(2);
    }
    POINT RowCentre(int row) {
        RECT r{};
        ::SendMessageA(H(w->StationLB), LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r));
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    std::vector<std::string> RealListItems() {
        std::vector<std::string> items;
        HWND list = H(w->StationLB);
        int n = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            char buffer[256] = {};
            ::SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buffer));
            items.emplace_back(buffer);
        }
        return items;
    }
    void SaveScreenshot(const char* name) {
        const char* out = std::getenv("ZEL_TEST_OUTPUT");
        if (!out || !*out) return;
        fs::create_directories(out);
        auto path = (fs::path(out) / name).string();
        EXPECT_TRUE(plat::win32::SaveWindowImage(w->Handle(), path)) << path;
    }

    fs::path settingsDir;
    bool hadSettingsDir = false;
    TRadioForm* w = nullptr;
};

TEST_F(ConfigWindow, IsAFixedDialogOfItsSizeCentredInItsFont) {
    ShowWindowNow();
    HWND form = H(w);
    EXPECT_EQ(::FindWindowA("TRadioForm", nullptr), form);
    EXPECT_EQ(TextOf(form), "Configure Zelvora");
    RECT client{};
    ::GetClientRect(form, &client);
    EXPECT_EQ(client.right, 497);
    EXPECT_EQ(client.bottom, 328);
    LONG style = ::GetWindowLongA(form, GWL_STYLE);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(::GetWindowLongA(form, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    RECT outer{};
    ::GetWindowRect(form, &outer);
    EXPECT_NEAR(outer.left + outer.right, ::GetSystemMetrics(SM_CXSCREEN), 2);
    EXPECT_NEAR(outer.top + outer.bottom, ::GetSystemMetrics(SM_CYSCREEN), 2);

    LOGFONTA font{};
    HFONT hfont = reinterpret_cast<HFONT>(::SendMessageA(H(w->NameEdit), WM_GETFONT, 0, 0));
    ASSERT_TRUE(::GetObjectA(hfont, sizeof font, &font));
    EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");
    HDC dc = ::GetDC(nullptr);
    EXPECT_EQ(std::abs(font.lfHeight), ::MulDiv(8, ::GetDeviceCaps(dc, LOGPIXELSY), 72));
    ::ReleaseDC(nullptr, dc);

    const std::vector<std::pair<TWinControl*, const char*>> captions{
        {w->Label1, "Station:"},
        {w->Label2, "Name:"},
        {w->Label3, "URL:"},
        {w->AddButton, "Add"},
        {w->FindButton, "&Find Stations..."},
        {w->DeleteButton, "Delete"},
        {w->PlayButton, "Play"},
        {w->Label4, "When Zelvora starts..."},
        {w->PlayAtStartCB, "Play Selected Station"},
        {w->ShowWinAtStartCB, "Show Floating Window"},
        {w->Label5, "Add icon to..."},
        {w->StartMenuCB, "Start Menu"},
        {w->DesktopCB, "Desktop"},
        {w->LaunchAtStartCB, "Startup Items Folder"},
        {w->OKButton, "OK"}};
    for (auto [control, caption] : captions) EXPECT_EQ(TextOf(H(control)), caption);
    EXPECT_EQ(::GetWindowLongA(H(w->OKButton), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);

    // The program's own icon on the caption, not the system's.
    HICON own = ::LoadIconA(::GetModuleHandleA(nullptr), "ZELVORA");
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(reinterpret_cast<HICON>(::GetClassLongPtrA(form, GCLP_HICON)), own);
    SaveScreenshot("config_window.bmp");
}

TEST_F(ConfigWindow, TabGoesThroughTheControlsInTheirOrder) {
    ShowWindowNow();
    std::vector<TWinControl*> order{w->StationLB,     w->NameEdit,        w->URLEdit,
                                    w->AddButton,     w->FindButton,      w->DeleteButton,
                                    w->PlayButton,    w->PlayAtStartCB,   w->ShowWinAtStartCB,
                                    w->StartMenuCB,   w->DesktopCB,       w->LaunchAtStartCB,
                                    w->OKButton};
    HWND at = H(order.back());
    for (TWinControl* expected : order) {
        at = ::GetNextDlgTabItem(H(w), at, FALSE);
        EXPECT_EQ(at, H(expected)) << expected->Name();
    }
    for (TWinControl* glyph : std::vector<TWinControl*>{w->ChangeSubject, w->RevertSubject,
                                                        w->SpeedButton1, w->SpeedButton2})
        EXPECT_FALSE(::GetWindowLongA(H(glyph), GWL_STYLE) & WS_TABSTOP) << glyph->Name();
    EXPECT_FALSE(::IsWindowEnabled(H(w->ChangeSubject)));
}

TEST_F(ConfigWindow, AStationIsTypedInAddedAndDraggedWithTheMouse) {
    ShowWindowNow();
    TypeInto(w->NameEdit, "Wine Jazz");
    TypeInto(w->URLEdit, "http://jazz.invalid/wine");
    EXPECT_EQ(w->NameEdit->Text(), "Wine Jazz");
    ::SendMessageA(H(w->AddButton), BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(w->StationLB->Items()->Items(),
              (std::vector<std::string>{"Alpha", "Beta", "Gamma", "Wine Jazz"}));
    EXPECT_EQ(RealListItems(), w->StationLB->Items()->Items());
    EXPECT_EQ(TextOf(H(w->NameEdit)), "");
    EXPECT_EQ(TextOf(H(w->URLEdit)), "");
    auto url = w->Stations().ReadURL("Wine Jazz");
    ASSERT_TRUE(url.has_value());
    EXPECT_EQ(*url, "http://jazz.invalid/wine");

    // Press on the new station, move up over the rows, release on the first.
    HWND list = H(w->StationLB);
    POINT from = RowCentre(3), to = RowCentre(0);
    ::PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    for (int y = from.y; y >= to.y; y -= 4)
        ::PostMessageA(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(from.x, y));
    ::PostMessageA(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    ::PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    Pump();
    EXPECT_EQ(w->StationLB->Items()->Items(),
              (std::vector<std::string>{"Wine Jazz", "Alpha", "Beta", "Gamma"}));
    EXPECT_EQ(RealListItems(), w->StationLB->Items()->Items());
    EXPECT_EQ(w->StationLB->ItemIndex(), 0);
    EXPECT_EQ(::SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(w->NameEdit->Text(), "Wine Jazz");  // the press clicked the station
    EXPECT_TRUE(::IsWindowEnabled(H(w->ChangeSubject)));
    EXPECT_FALSE(w->Timer3->Enabled());
    EXPECT_EQ(::GetCapture(), nullptr);
    SaveScreenshot("config_window_after_drag.bmp");

    // And back into the empty part below the last row: it goes last.
    POINT below{from.x, RowCentre(3).y + 30};
    ::PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    for (int y = to.y; y <= below.y; y += 4)
        ::PostMessageA(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(below.x, y));
    ::PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(below.x, below.y));
    Pump();
    EXPECT_EQ(RealListItems(), (std::vector<std::string>{"Alpha", "Beta", "Gamma", "Wine Jazz"}));
    EXPECT_EQ(::SendMessageA(list, LB_GETCURSEL, 0, 0), 3);
}

// Enter and OK end the modal showing with OK, the close box with Cancel; each only
// hides the window.
TEST_F(ConfigWindow, EnterOKAndTheCloseBoxOnlyHide) {
    w->Show();
    w->Hide();  // the handles exist now, for the messages posted below
    ::PostMessageA(H(w->OKButton), BM_CLICK, 0, 0);
    EXPECT_EQ(w->ShowModal(), mrOk);

    ::PostMessageA(H(w), WM_CLOSE, 0, 0);
    EXPECT_EQ(w->ShowModal(), mrCancel);

    ::PostMessageA(H(w->NameEdit), WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(w->ShowModal(), mrOk);
    EXPECT_TRUE(::IsWindow(H(w)));
    EXPECT_FALSE(::IsWindowVisible(H(w)));
    EXPECT_EQ(w->StationLB->Items()->Count(), 3);
}

}  // namespace
