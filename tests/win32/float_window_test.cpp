// The floating window on the real Windows API: play and stop with a player of our
// own (zel_test_player.exe beside this program), raising the player's window, F1
// reaching the help page, its menu and layout, and pictures of the floating window
// and the about box. Its volume bar: endpoint_volume_test.cpp.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "app/AboutUNIT.h"
#include "app/radiotoolbar.h"
#include "app/radiowin.h"
#include "gui/application.h"
#include "gui/fileutil.h"
#include "platform/paths.h"
#include "platform/win32/help_page.h"
#include "platform/win32/win32.h"
#include "support/platform_fixture.h"

// After our own headers: the seam's names must be declared before <windows.h>.
#include <windows.h>

#include <commctrl.h>

namespace {

const char* const kStation = "Wine Test Station";

std::string GetWindowTextOf(TWinControl* c) {
    char text[128] = {};
    ::GetWindowTextA(reinterpret_cast<HWND>(c->Handle()), text, sizeof text);
    return text;
}
const char* const kUrl = "http://station.invalid/stream";

class FloatWine : public PlatformTest {
  protected:
    void SetUp() override {
        PlatformTest::SetUp();
        exeDir = plat::ExtractFileDir(platform().GetModuleFileNameA());
        playerLog = plat::JoinPath(dir(), "player.log");
        ::SetEnvironmentVariableA("ZEL_PLAYER_LOG", playerLog.c_str());
        Application = new TApplication();
        Application->SetTitle("Zelvora");
        RadioForm = Application->CreateForm<TRadioForm>();
        RadioForm->ShowWinAtStartCB->SetChecked(false);
        RadioForm->AboutShown = true;
        AboutBox = Application->CreateForm<TAboutBox>();
        RadioFloatWin = Application->CreateForm<TRadioFloatWin>();
        RadioForm->RealAudioLoc = plat::JoinPath(exeDir, "zel_test_player.exe");
    }
    void TearDown() override {
        if (plat::HWND player = platform().FindWindowA(kPlayerWindowClass, nullptr))
            platform().SendMessageA(player, WM_CLOSE, 0, 0);
        plat::win32::SetHelpShellOpen(nullptr);
        delete Application;
        Application = nullptr;
        ::SetEnvironmentVariableA("ZEL_PLAYER_LOG", nullptr);
        if (!stationFile.empty()) std::filesystem::remove(stationFile);
        PlatformTest::TearDown();
    }

    void AddStation() {
        TStationStore store(plat::JoinPath(exeDir, "settings"));
        store.Write(kStation, kUrl);
        stationFile = store.PathOf(kStation);
        RadioForm->StationLB->Items()->Add(kStation);
        RadioForm->RefillFloatingList();
    }
    void Pump(int rounds = 10) {
        for (int i = 0; i < rounds; ++i) {
            platform().ProcessMessages();
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    // Waits up to ten seconds for the player's window to be there or gone.
    plat::HWND WaitForPlayer(bool present) {
        for (int i = 0; i < 200; ++i) {
            plat::HWND w = platform().FindWindowA(kPlayerWindowClass, nullptr);
            if ((w != 0) == present) return w;
            Pump(1);
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
        }
        return platform().FindWindowA(kPlayerWindowClass, nullptr);
    }
    std::vector<std::string> PlayerLog() {
        std::vector<std::string> lines;
        std::ifstream in(playerLog);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
    void Click(TWinControl* control) {
        platform().SendMessageA(control->Handle(), BM_CLICK, 0, 0);
        Pump(2);
    }
    void SavePicture(plat::HWND window, const char* name) {
        const char* out = std::getenv("ZEL_TEST_OUTPUT");
        if (!out || !*out) return;
        std::filesystem::create_directories(out);
        const auto path = (std::filesystem::path(out) / name).string();
        EXPECT_TRUE(plat::win32::SaveWindowImage(window, path)) << path;
    }

    std::string exeDir, playerLog, stationFile;
};

TEST_F(FloatWine, PlayStartsThePlayerOnTheStationStopClosesItAndTheMenuRaisesIt) {
    AddStation();
    RadioForm->ShowFloatingWindow(true);
    RadioFloatWin->StationCB->UserSelect(0);
    Click(RadioFloatWin->SpeedButton3);
    plat::HWND player = WaitForPlayer(true);
    ASSERT_NE(player, 0u) << "the test player did not start";
    ASSERT_FALSE(PlayerLog().empty());
    EXPECT_EQ(PlayerLog()[0], RadioForm->RealAudioLoc + " " + kUrl);

    RadioForm->ShowFloatingWindow(true);
    Pump();
    RadioFloatWin->OpenRealAudioWindow1->UserChoose();
    Pump();
    EXPECT_EQ(::GetForegroundWindow(), reinterpret_cast<HWND>(player));
    EXPECT_EQ(PlayerLog().size(), 1u) << "a second player was started";

    Click(RadioFloatWin->SpeedButton1);
    EXPECT_EQ(WaitForPlayer(false), 0u);
    EXPECT_EQ(PlayerLog().back(), "closed");

    // With no player running the entry starts one, on no station.
    RadioFloatWin->OpenRealAudioWindow1->UserChoose();
    ASSERT_NE(WaitForPlayer(true), 0u);
    EXPECT_EQ(PlayerLog().back(), RadioForm->RealAudioLoc);
}

// The menu bar as a person reads it, and where each control stands in the client
// area: the texts and places of the window's layout.
TEST_F(FloatWine, TheMenuBarAndTheControlsStandAsLaidOut) {
    RadioForm->ShowFloatingWindow(true);
    Pump();
    HWND form = reinterpret_cast<HWND>(RadioFloatWin->Handle());
    auto captions = [](HMENU menu) {
        std::vector<std::string> texts;
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
            char text[128] = {};
            ::GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
            // Not GetMenuState: for a submenu its high byte counts the items, which can
            // look like MF_SEPARATOR.
            MENUITEMINFOA info{sizeof info, MIIM_FTYPE};
            ::GetMenuItemInfoA(menu, i, TRUE, &info);
            texts.push_back(info.fType & MFT_SEPARATOR ? "-" : text);
        }
        return texts;
    };
    using Texts = std::vector<std::string>;
    HMENU bar = ::GetMenu(form);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(captions(bar), (Texts{"&File", "&Configure", "&Help", "&Web"}));
    EXPECT_EQ(captions(::GetSubMenu(bar, 0)),
              (Texts{"&Hide", "-", "&Open RealAudio Window", "-", "Song &Notifications",
                     "Copy Song &Title", "&Sleep", "-", "E&xit"}));
    EXPECT_EQ(captions(::GetSubMenu(bar, 1)),
              (Texts{"&Configure", "Configure RealAudio Location", "-", "Import Stations...",
                     "Export Stations...", "&Find Stations..."}));
    EXPECT_EQ(captions(::GetSubMenu(bar, 2)),
              (Texts{"Help...\tF1", "-", "About Zelvora...", "About the Zelvora Project..."}));
    EXPECT_EQ(captions(::GetSubMenu(bar, 3)), (Texts{"Zelvora Project Home Page..."}));

    RECT client{};
    ::GetClientRect(form, &client);
    EXPECT_EQ(client.right, 340);
    EXPECT_EQ(client.bottom, 84);
    EXPECT_TRUE(::GetWindowLongA(form, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    auto place = [form](TWinControl* c) {
        RECT r{};
        HWND h = reinterpret_cast<HWND>(c->Handle());
        ::GetWindowRect(h, &r);
        ::MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
        return std::vector<long>{r.left, r.top, r.right - r.left, r.bottom - r.top};
    };
    using Place = std::vector<long>;
    EXPECT_EQ(place(RadioFloatWin->StatusLabel), (Place{2, 11, 56, 13}));
    EXPECT_EQ(place(RadioFloatWin->StationCB)[2], 217);
    EXPECT_EQ(place(RadioFloatWin->SpeedButton3), (Place{284, 6, 25, 25}));
    EXPECT_EQ(place(RadioFloatWin->SpeedButton1), (Place{311, 6, 25, 25}));
    EXPECT_EQ(place(RadioFloatWin->VolumeLabel), (Place{2, 46, 42, 13}));
    EXPECT_EQ(place(RadioFloatWin->VolumeBar), (Place{47, 38, 289, 40}));
    HWND track = reinterpret_cast<HWND>(RadioFloatWin->VolumeBar->Handle());
    EXPECT_EQ(::SendMessageA(track, TBM_GETRANGEMIN, 0, 0), 0);
    EXPECT_EQ(::SendMessageA(track, TBM_GETRANGEMAX, 0, 0), 255);
    EXPECT_EQ(::SendMessageA(track, TBM_GETNUMTICS, 0, 0), 11);  // 0, 26 ... 234 and 255
    EXPECT_EQ(
        ::GetWindowLongA(reinterpret_cast<HWND>(RadioFloatWin->StatusLabel->Handle()), GWL_STYLE) &
            SS_TYPEMASK,
        SS_RIGHT);
    EXPECT_EQ(GetWindowTextOf(RadioFloatWin->StatusLabel), "Stations:");
    EXPECT_EQ(GetWindowTextOf(RadioFloatWin->VolumeLabel), "Volume:");
}

TEST_F(FloatWine, F1OpensTheHelpPageOnceAtItsContents) {
    const std::string page = plat::JoinPath(dir(), "zelvora.html");
    std::ofstream(page) << "<html><body><h1 id=\"Table_Of_Contents\">Help</h1></body></html>";
    Application->SetHelpFile(plat::JoinPath(dir(), "zelvora.HLP"));
    std::vector<std::pair<std::string, std::string>> opened;
    plat::win32::SetHelpShellOpen([&](const std::string& file, const std::string& parameters) {
        opened.emplace_back(file, parameters);
        return plat::LRESULT{42};
    });
    RadioForm->ShowFloatingWindow(true);
    Pump();
    platform().PostMessageA(RadioFloatWin->Handle(), WM_KEYDOWN, VK_F1, 0);
    Pump(20);
    ASSERT_EQ(opened.size(), 1u);
    const auto& [file, parameters] = opened[0];
    // The browser is given the page's address with its anchor; without a browser the
    // page itself opens.
    if (parameters.empty())
        EXPECT_EQ(file, page);
    else
        EXPECT_NE(parameters.find("zelvora.html#Table_Of_Contents"), std::string::npos)
            << parameters;

    // Asked for the contents alone, the page opens at its top once the loop runs.
    opened.clear();
    EXPECT_TRUE(platform().WinHelpA(0, Application->HelpFile(), HELP_CONTENTS, 0));
    EXPECT_TRUE(opened.empty());
    Pump(5);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].second.find('#'), std::string::npos) << opened[0].second;
}

TEST_F(FloatWine, HelpPagesAreFoundBesideTheHelpFileAndAddressedByAnchor) {
    using namespace plat::win32;
    EXPECT_EQ(HelpPageFor("C:\\Zel\\zelvora.HLP"), "C:\\Zel\\zelvora.html");
    EXPECT_EQ(HelpPageFor("Zelvora.hlp"), plat::JoinPath(exeDir, "Zelvora.html"));
    EXPECT_EQ(HelpPageUrl("C:\\My Zel\\zelvora.html", "Table_Of_Contents"),
              "file:///C:/My%20Zel/zelvora.html#Table_Of_Contents");
    EXPECT_EQ(HelpPageUrl("\\\\host\\share\\z.html", ""), "file://host/share/z.html");
    EXPECT_EQ(JumpTopic("JumpID(\"\",\"About_The_Publisher\")"), "About_The_Publisher");
    EXPECT_EQ(JumpTopic("JumpID(\"\",\"cut short"), "cut short");
    EXPECT_EQ(JumpTopic("CloseWindow(\"main\")"), std::nullopt);

    // No page beside the help file: the contents are refused, so no topic follows.
    EXPECT_FALSE(platform().WinHelpA(0, plat::JoinPath(dir(), "none.hlp"), HELP_CONTENTS, 0));
}

TEST_F(FloatWine, PicturesOfTheFloatingWindowAndTheAboutBox) {
    AddStation();
    RadioFloatWin->StationCB->UserSelect(0);
    RadioForm->ShowFloatingWindow(true);
    Pump();
    SavePicture(RadioFloatWin->Handle(), "float_window.bmp");
    RadioFloatWin->HideItem->UserChoose();

    // The introduction that ships beside the program, from the sources.
    std::string intro = std::filesystem::path(__FILE__)
                            .parent_path()
                            .parent_path()
                            .parent_path()
                            .append("res")
                            .append("intro.rtf")
                            .string();
    std::replace(intro.begin(), intro.end(), '/', '\\');
    if (intro.front() == '\\') intro = "Z:" + intro;
    if (FileExists(intro)) AboutBox->RichEdit1->LoadFromFile(intro);
    EXPECT_TRUE(AboutBox->RichEdit1->IsRichText()) << intro;
    RadioFloatWin->AboutItem1->UserChoose();
    Pump(30);
    EXPECT_TRUE(::IsWindowVisible(reinterpret_cast<HWND>(AboutBox->Handle())));
    SavePicture(AboutBox->Handle(), "about_box.bmp");
}

}  // namespace
