// The calls on other programs with the stand-in player of ours (zel_test_player.exe,
// copied under a player's name): started with its arguments and held by its handle,
// found by its program file, raised and closed by process; the player control on
// them; and the text, environment and file calls the playlists and the player search
// use.
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include "app/playercontrol.h"
#include "support/platform_fixture.h"

// The seam's names that <windows.h> makes macros of, taken before it.
namespace seam {
constexpr plat::UINT kUtf8 = plat::CP_UTF8, kSystem = plat::CP_ACP;
constexpr plat::DWORD kNoBestFit = plat::WC_NO_BEST_FIT_CHARS,
                      kBadParameter = plat::ERROR_INVALID_PARAMETER;
constexpr plat::DWORD kQuery = plat::KEY_QUERY_VALUE,
                      kViews[] = {plat::KEY_WOW64_64KEY, plat::KEY_WOW64_32KEY};
constexpr plat::HKEY kMachine = plat::HKEY_LOCAL_MACHINE;
}  // namespace seam

// After our own headers: the seam's names must be declared before <windows.h>.
#include <windows.h>

#include <fstream>
#include <sstream>

namespace {

class Programs : public PlatformTest {
  protected:
    void SetUp() override {
        PlatformTest::SetUp();
        const std::string exeDir =
            std::filesystem::path(platform().GetModuleFileNameA()).parent_path().string();
        stub = exeDir + "\\zel_test_player.exe";
        mpv = Player("mpv.exe");
        argvLog = dir() + "\\argv.log";
        ::SetEnvironmentVariableA("ZEL_ARGV_LOG", argvLog.c_str());
    }
    void TearDown() override {
        for (const auto& program : players)
            for (plat::DWORD id : platform().ProcessesOfProgram(program)) Close(id);
        for (const auto& program : players)
            WaitUntil([&] { return platform().ProcessesOfProgram(program).empty(); });
        ::SetEnvironmentVariableA("ZEL_ARGV_LOG", nullptr);
        ::SetEnvironmentVariableA("ZEL_STUB_CLOSE_MS", nullptr);
        PlatformTest::TearDown();
    }
    // The stand-in under the file name, in a folder of its own.
    std::string Player(const std::string& file) {
        const std::string folder = dir() + "\\" + file.substr(0, file.find('.'));
        std::filesystem::create_directories(folder);
        std::filesystem::copy_file(stub, folder + "\\" + file);
        players.push_back(folder + "\\" + file);
        return players.back();
    }
    void Close(plat::DWORD id) {
        plat::PROCESS p = platform().OpenProcess(id);
        platform().CloseProcessWindows(p);
        platform().ReleaseProcess(p);
    }
    // The argument lists the stand-ins recorded, in the order they started.
    std::vector<std::vector<std::string>> Recorded() {
        std::ifstream in(argvLog);
        std::vector<std::vector<std::string>> all(1);
        for (std::string line; std::getline(in, line);) {
            if (line.empty())
                all.emplace_back();
            else
                all.back().push_back(line);
        }
        all.pop_back();
        return all;
    }
    static bool WaitUntil(const std::function<bool()>& done) {
        for (int i = 0; i < 100 && !done(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return done();
    }
    static HWND WindowOf(plat::DWORD process) {
        HWND found = nullptr;
        WaitUntil([&] {
            for (HWND w = ::GetTopWindow(nullptr); w && !found; w = ::GetWindow(w, GW_HWNDNEXT)) {
                DWORD owner = 0;
                ::GetWindowThreadProcessId(w, &owner);
                if (owner == process && ::IsWindowVisible(w)) found = w;
            }
            return found != nullptr;
        });
        return found;
    }

    std::string stub, mpv, argvLog;
    std::vector<std::string> players;
};

TEST_F(Programs, AStartedPlayerIsFoundByItsFileAndRaisedAndClosedByItsProcess) {
    auto& p = platform();
    plat::PROCESS one = 0, two = 0;
    ASSERT_GE(p.StartProcess(mpv, {"http://one.invalid/"}, SW_SHOWNORMAL, &one), 32u);
    ASSERT_GE(p.StartProcess(mpv, {"http://two.invalid/"}, SW_SHOWNORMAL, &two), 32u);
    const plat::DWORD first = p.ProcessIdOf(one), second = p.ProcessIdOf(two);
    ASSERT_NE(first, 0u);
    ASSERT_NE(second, first);
    auto found = p.ProcessesOfProgram(mpv);
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<plat::DWORD>{std::min(first, second), std::max(first, second)}));
    std::string shouted = mpv;
    for (char& c : shouted) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(p.ProcessesOfProgram(shouted).size(), 2u) << "file names compare without case";
    EXPECT_TRUE(p.ProcessesOfProgram(dir() + "\\vlc.exe").empty());

    HWND window = WindowOf(first);
    ASSERT_NE(window, nullptr);
    ::ShowWindow(window, SW_MINIMIZE);
    EXPECT_TRUE(p.RaiseProcessWindow(one));
    EXPECT_FALSE(::IsIconic(window));
    EXPECT_EQ(::GetForegroundWindow(), window);

    EXPECT_TRUE(p.CloseProcessWindows(one));
    EXPECT_TRUE(p.ProcessHasEnded(one, 5000));
    EXPECT_EQ(p.ProcessesOfProgram(mpv), std::vector<plat::DWORD>{second});
    // The handle still names the process that ended, never one given its id since.
    EXPECT_FALSE(p.CloseProcessWindows(one));
    EXPECT_FALSE(p.RaiseProcessWindow(one));
    EXPECT_EQ(p.OpenProcess(first), 0u);
    plat::PROCESS again = p.OpenProcess(second);
    EXPECT_EQ(p.ProcessIdOf(again), second);
    for (plat::PROCESS held : {one, two, again}) p.ReleaseProcess(held);
}

// Every player line of the table gives the player the address as exactly one argument,
// after "--" where the player reads it so, whatever the address holds.
TEST_F(Programs, EveryPlayerGetsTheAddressAsOneArgument) {
    struct Line {
        const char* file;
        std::vector<std::string> before;
    };
    const std::string mpvReconnect =
        "--stream-lavf-o=reconnect=1,reconnect_at_eof=1,reconnect_streamed=1,reconnect_delay_max=5";
    const Line lines[] = {{"vlc.exe", {"--one-instance", "--http-reconnect", "--"}},
                          {"mpc-hc.exe", {}},
                          {"mpv.exe", {"--force-window=yes", mpvReconnect, "--"}},
                          {"rap.exe", {}}};
    const char* const addresses[] = {"http://a.example/x --script=\\\\host\\share\\p.lua",
                                     "C:\\Music\\Live set.mp3", "http://x/ \" :sout=#std{}",
                                     "\\\\server\\share\\"};
    std::vector<std::vector<std::string>> want;
    for (const auto& line : lines) {
        const std::string program = line.file == std::string("mpv.exe") ? mpv : Player(line.file);
        for (const char* address : addresses) {
            TPlayerControl control;
            ASSERT_TRUE(control.Play(program, address));
            control.Stop();
            auto args = line.before;
            args.push_back(address);
            want.push_back(args);
        }
    }
    EXPECT_TRUE(WaitUntil([&] { return Recorded().size() >= want.size(); }));
    // mpv's channel is a pipe of this run's own, named anew for each start.
    auto recorded = Recorded();
    for (auto& args : recorded)
        std::erase_if(args, [](const std::string& a) {
            return a.starts_with("--input-ipc-server=\\\\.\\pipe\\zelvora-mpv-");
        });
    EXPECT_EQ(recorded, want);
}

// A single-instance player closed before the next station takes a moment to end; the
// next one, started at once, would hand its address to the closing copy and nothing
// would play. It is started once the old copy has gone.
TEST_F(Programs, TheNextStationWaitsForTheClosingCopy) {
    const std::string single = Player("single.exe");
    ::SetEnvironmentVariableA("ZEL_STUB_CLOSE_MS", "700");
    TPlayerControl control;
    ASSERT_TRUE(control.Play(single, "http://one.invalid/"));
    ASSERT_TRUE(control.Play(single, "http://two.invalid/"));
    EXPECT_EQ(control.Trouble(), "");
    const auto running = platform().ProcessesOfProgram(single);
    ASSERT_EQ(running.size(), 1u) << "the new copy plays, the old one ended";
    HWND window = nullptr;
    WaitUntil([&] { return (window = WindowOf(running[0])) != nullptr; });
    char title[256] = {};
    ::GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ(title, "single.exe - http://two.invalid/");
}

TEST_F(Programs, AFailedStartAnswersAsWinExecWould) {
    auto& p = platform();
    for (const std::string& line :
         {dir() + "\\none.exe http://x.invalid/", dir() + "\\no\\such.exe"}) {
        plat::PROCESS process = 7;
        const std::string program = line.substr(0, line.find(' '));
        plat::UINT got = p.StartProcess(program, {"http://x.invalid/"}, SW_SHOWNORMAL, &process);
        EXPECT_LT(got, 32u) << line;
        EXPECT_EQ(got, p.WinExec(line, SW_SHOWNORMAL)) << line;
        EXPECT_EQ(process, 0u);
    }
}

TEST_F(Programs, TextsTheEnvironmentFilesAndBothRegistryViews) {
    auto& p = platform();
    const std::u16string wide = u"Caf\u00e9 \u041c";
    char out[16] = {};
    plat::BOOL usedDefault = 0;
    int n = p.WideCharToMultiByte(seam::kUtf8, 0, wide.data(), static_cast<int>(wide.size()), out,
                                  sizeof out, nullptr);
    EXPECT_EQ(std::string(out, n), "Caf\xC3\xA9 \xD0\x9C");
    // UTF-8 has no default character: Windows refuses to be asked about one, Wine
    // answers that none was used. The callers take either.
    usedDefault = 1;
    n = p.WideCharToMultiByte(seam::kUtf8, 0, wide.data(), 2, out, sizeof out, &usedDefault);
    if (n == 0)
        EXPECT_EQ(p.GetLastError(), seam::kBadParameter);
    else
        EXPECT_FALSE(usedDefault);
    EXPECT_EQ(::GetACP(), 1252u) << "the prefix's code page; the test of '?' below needs 1252";
    if (::GetACP() == 1252) {
        n = p.WideCharToMultiByte(seam::kSystem, seam::kNoBestFit, wide.data(),
                                  static_cast<int>(wide.size()), out, sizeof out, &usedDefault);
        EXPECT_EQ(std::string(out, n), "Caf\xE9 ?");
        EXPECT_TRUE(usedDefault);
    }

    ::SetEnvironmentVariableA("ZEL_TEST_VALUE", "C:\\Program Files");
    EXPECT_EQ(p.GetEnvironmentVariableA("zel_test_value"), "C:\\Program Files");
    ::SetEnvironmentVariableA("ZEL_TEST_VALUE", nullptr);
    EXPECT_EQ(p.GetEnvironmentVariableA("ZEL_TEST_VALUE"), std::nullopt);

    std::filesystem::create_directory(dir() + "\\mpv\\sub");
    EXPECT_EQ(p.FindFilesA(dir() + "\\mpv"), std::vector<std::string>{"mpv.exe"});
    EXPECT_TRUE(p.FindFilesA(dir() + "\\mpv\\sub").empty());

    for (plat::DWORD view : seam::kViews) {
        plat::HKEY key = 0;
        EXPECT_EQ(p.RegOpenKeyExA(seam::kMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0,
                                  seam::kQuery | view, &key),
                  0);
        p.RegCloseKey(key);
    }
}

}  // namespace
