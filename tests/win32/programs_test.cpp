// The calls on other programs with the stand-in player of ours (zel_test_player.exe,
// copied under a player's name): started with its process id, found by its program
// file, raised and closed by process; and the text, environment and file calls the
// playlists and the player search use.
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

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

namespace {

class Programs : public PlatformTest {
  protected:
    void SetUp() override {
        PlatformTest::SetUp();
        const std::string exeDir =
            std::filesystem::path(platform().GetModuleFileNameA()).parent_path().string();
        mpv = dir() + "\\mpv.exe";
        std::filesystem::copy_file(exeDir + "\\zel_test_player.exe", mpv);
    }
    void TearDown() override {
        for (plat::DWORD id : platform().ProcessesOfProgram(mpv))
            platform().CloseProcessWindows(id);
        WaitUntil([&] { return platform().ProcessesOfProgram(mpv).empty(); });
        PlatformTest::TearDown();
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

    std::string mpv;
};

TEST_F(Programs, AStartedPlayerIsFoundByItsFileAndRaisedAndClosedByItsProcess) {
    auto& p = platform();
    plat::DWORD first = 0, second = 0;
    ASSERT_GE(p.CreateProcessA("\"" + mpv + "\" http://one.invalid/", SW_SHOWNORMAL, &first), 32u);
    ASSERT_GE(p.CreateProcessA(mpv + " http://two.invalid/", SW_SHOWNORMAL, &second), 32u);
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
    EXPECT_TRUE(p.RaiseProcessWindow(first));
    EXPECT_FALSE(::IsIconic(window));
    EXPECT_EQ(::GetForegroundWindow(), window);

    EXPECT_TRUE(p.CloseProcessWindows(first));
    EXPECT_TRUE(WaitUntil([&] { return p.ProcessesOfProgram(mpv).size() == 1; }));
    EXPECT_EQ(p.ProcessesOfProgram(mpv), std::vector<plat::DWORD>{second});
    EXPECT_FALSE(p.CloseProcessWindows(first));
    EXPECT_FALSE(p.RaiseProcessWindow(first));
}

TEST_F(Programs, AFailedStartAnswersAsWinExecWould) {
    auto& p = platform();
    for (const std::string& line :
         {dir() + "\\none.exe http://x.invalid/", dir() + "\\no\\such.exe"}) {
        plat::DWORD id = 7;
        plat::UINT got = p.CreateProcessA(line, SW_SHOWNORMAL, &id);
        EXPECT_LT(got, 32u) << line;
        EXPECT_EQ(got, p.WinExec(line, SW_SHOWNORMAL)) << line;
        EXPECT_EQ(id, 0u);
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

    std::filesystem::create_directory(dir() + "\\sub");
    EXPECT_EQ(p.FindFilesA(dir()), std::vector<std::string>{"mpv.exe"});
    EXPECT_TRUE(p.FindFilesA(dir() + "\\sub").empty());

    for (plat::DWORD view : seam::kViews) {
        plat::HKEY key = 0;
        EXPECT_EQ(p.RegOpenKeyExA(seam::kMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0,
                                  seam::kQuery | view, &key),
                  0);
        p.RegCloseKey(key);
    }
}

}  // namespace
