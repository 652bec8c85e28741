// The real program, started as a child: its icon in the notification area, the menu
// that a right click on it opens, and "Exit" chosen there, which saves and ends it; and
// the end of the session as the system ends it.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "components/PGTray95.h"
#include "support/platform_fixture.h"

#include "win32/native_windows.h"

#include "win32/shell_icon.h"

namespace fs = std::filesystem;

namespace {

struct Search {
    DWORD process;
    std::string className;  // empty: any
    std::vector<HWND> found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM param) {
    auto* s = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    char name[64] = {};
    ::GetClassNameA(hwnd, name, sizeof name);
    if (pid == s->process && (s->className.empty() || s->className == name))
        s->found.push_back(hwnd);
    return TRUE;
}

// The process's top-level windows of that class, or of any class.
std::vector<HWND> WindowsOf(DWORD process, const std::string& className) {
    Search s{process, className, {}};
    ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

// A top-level window of that class in that process, waited for up to ms.
HWND WaitForWindow(DWORD process, const char* className, int ms) {
    for (DWORD end = ::GetTickCount() + ms;; ::Sleep(50)) {
        auto found = WindowsOf(process, className);
        if (!found.empty()) return found.front();
        if (::GetTickCount() > end) return nullptr;
    }
}

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class RealProgramWine : public PlatformTest {
  protected:
    void SetUp() override {
        PlatformTest::SetUp();
        char self[MAX_PATH] = {};
        ::GetModuleFileNameA(nullptr, self, MAX_PATH);
        program = fs::path(self).parent_path().parent_path() / "src" / "zelvora.exe";
        char windows[MAX_PATH] = {};
        ::GetWindowsDirectoryA(windows, MAX_PATH);
        settings = fs::path(windows) / "zelvora.ini";
        if (fs::exists(settings)) savedSettings = ReadAll(settings);
        hadSettings = fs::exists(settings);
    }
    void TearDown() override {
        if (child.hProcess) {
            if (::WaitForSingleObject(child.hProcess, 0) != WAIT_OBJECT_0)
                ::TerminateProcess(child.hProcess, 1);
            ::CloseHandle(child.hProcess);
            ::CloseHandle(child.hThread);
        }
        std::error_code ec;
        if (hadSettings)
            std::ofstream(settings, std::ios::binary) << savedSettings;
        else
            fs::remove(settings, ec);
        PlatformTest::TearDown();
    }

    // The program and the two-station list in the test's folder, and the settings.
    std::string MakeHome(const std::string& ini) {
        fs::copy_file(program, fs::path(dir()) / "zelvora.exe");
        std::string list = ReadAll(fs::path(ZEL_SOURCE_DIR) / "tests/shared/data/two-stations.set");
        std::ofstream(fs::path(dir()) / "zelvora.set", std::ios::binary) << list;
        std::ofstream(settings, std::ios::binary) << ini;
        return list;
    }
    // Starts the program in the test's folder and waits for its message loop (its tray
    // icon's window comes last).
    bool Start(PROCESS_INFORMATION& p) {
        const std::string exe = (fs::path(dir()) / "zelvora.exe").string();
        STARTUPINFOA si{};
        si.cb = sizeof si;
        if (!::CreateProcessA(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                              dir().c_str(), &si, &p))
            return false;
        if (!WaitForWindow(p.dwProcessId, "TPGTrayIconMsgWindow", 20000)) return false;
        ::Sleep(500);
        return true;
    }

    fs::path program, settings;
    std::string savedSettings;
    bool hadSettings = false;
    PROCESS_INFORMATION child{};
};

TEST_F(RealProgramWine, ExitChosenFromTheTrayMenuSavesAndEndsTheProgram) {
    if (!fs::exists(program)) GTEST_SKIP() << "no " << program.string() << " in this build";
    const fs::path home = dir();
    fs::copy_file(program, home / "zelvora.exe");
    // A list as the other Windows build (and the Linux one) writes it: both builds keep
    // the same bytes.
    const std::string list =
        ReadAll(fs::path(ZEL_SOURCE_DIR) / "tests/shared/data/two-stations.set");
    ASSERT_FALSE(list.empty());
    std::ofstream(home / "zelvora.set", std::ios::binary) << list;
    fs::remove(home / "zelvora.set.bak");
    // No floating window, so no about box: the tray is all there is.
    std::ofstream(settings, std::ios::binary)
        << "[MainForm]\r\nShowWinAtStartCB=0\r\nStationLBItemIndex=1\r\n";
    const auto before = fs::last_write_time(home / "zelvora.set");

    const std::string exe = (home / "zelvora.exe").string();
    STARTUPINFOA si{};
    si.cb = sizeof si;
    ASSERT_TRUE(::CreateProcessA(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                                 home.string().c_str(), &si, &child));

    HWND icon = WaitForWindow(child.dwProcessId, "TPGTrayIconMsgWindow", 20000);
    ASSERT_NE(icon, nullptr);
    // The window comes first; the icon follows once the configuration window has loaded.
    bool added = false;
    for (int i = 0; i < 100 && !(added = ShellHasIcon(icon)); ++i) ::Sleep(50);
    EXPECT_TRUE(added);
    ::Sleep(500);  // the rest of the start-up, up to the message loop

    // Exit writes where the configuration window stands and its outer size, as the
    // system has them (never shown, it stands at its layout's place).
    HWND config = WaitForWindow(child.dwProcessId, "TRadioForm", 5000);
    ASSERT_NE(config, nullptr);
    RECT outer{}, client{};
    ::GetWindowRect(config, &outer);
    ::GetClientRect(config, &client);
    EXPECT_EQ(client.right, 497);
    EXPECT_EQ(client.bottom, 328);
    EXPECT_EQ(outer.left, 15);
    EXPECT_EQ(outer.top, 15);

    ::PostMessageA(icon, WM_TRAYNOTIFY, kTrayIconId, WM_RBUTTONDOWN);
    ::PostMessageA(icon, WM_TRAYNOTIFY, kTrayIconId, WM_RBUTTONUP);
    HWND menu = WaitForWindow(child.dwProcessId, "#32768", 5000);
    ASSERT_NE(menu, nullptr);
    for (int i = 0; i < 50 && !::IsWindowVisible(menu); ++i) ::Sleep(20);
    EXPECT_TRUE(::IsWindowVisible(menu));

    // Up from nothing chosen is the last item: Exit (the in-process test reads the items).
    ::PostMessageA(menu, WM_KEYDOWN, VK_UP, 0);
    ::PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_EQ(::WaitForSingleObject(child.hProcess, 15000), WAIT_OBJECT_0);
    DWORD code = 1;
    ::GetExitCodeProcess(child.hProcess, &code);
    EXPECT_EQ(code, 0u);

    EXPECT_FALSE(ShellHasIcon(icon));
    EXPECT_EQ(ReadAll(home / "zelvora.set"), list);  // written again, the same to the byte
    EXPECT_GE(fs::last_write_time(home / "zelvora.set"), before);
    const std::string ini = ReadAll(settings);
    const std::string place =
        "Status=1\r\nTop=15\r\nLeft=15\r\nWidth=" + std::to_string(outer.right - outer.left) +
        "\r\nHeight=" + std::to_string(outer.bottom - outer.top) + "\r\n";
    EXPECT_NE(ini.find(place), std::string::npos) << ini;
    EXPECT_NE(ini.find("StationLBItemIndex=1\r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("ShowWinAtStartCB=0"), std::string::npos) << ini;
}

// The end of the session as the system ends a program: WM_QUERYENDSESSION to each of
// its top-level windows, then WM_ENDSESSION, then the process is ended. The program
// agrees, saves what Exit saves, and leaves its end to the system.
TEST_F(RealProgramWine, TheEndOfTheSessionSavesWhatExitSavesAndTheSystemEndsTheProgram) {
    if (!fs::exists(program)) GTEST_SKIP() << "no " << program.string() << " in this build";
    const std::string list = MakeHome("[MainForm]\r\nShowWinAtStartCB=0\r\n");
    ASSERT_TRUE(Start(child));
    fs::remove(fs::path(dir()) / "zelvora.set");

    const std::vector<HWND> windows = WindowsOf(child.dwProcessId, "");
    ASSERT_FALSE(windows.empty());
    for (UINT msg : {WM_QUERYENDSESSION, WM_ENDSESSION}) {
        for (HWND window : windows) {
            DWORD_PTR agreed = 0;
            EXPECT_TRUE(::SendMessageTimeoutA(window, msg, msg == WM_ENDSESSION, 0, SMTO_NORMAL,
                                              5000, &agreed));
            if (msg == WM_QUERYENDSESSION) {
                EXPECT_EQ(agreed, 1u);
            }
        }
    }
    EXPECT_EQ(::WaitForSingleObject(child.hProcess, 500), static_cast<DWORD>(WAIT_TIMEOUT));
    ::TerminateProcess(child.hProcess, 0);

    EXPECT_EQ(ReadAll(fs::path(dir()) / "zelvora.set"), list);
    const std::string ini = ReadAll(settings);
    EXPECT_NE(ini.find("Status=1\r\nTop=15\r\nLeft=15\r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("StationLBItemIndex=-1\r\nRealAudioLoc="), std::string::npos) << ini;
}

}  // namespace
