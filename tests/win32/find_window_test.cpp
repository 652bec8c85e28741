// The Find Stations window as a real window under Wine, driven by real keys (SendInput)
// against the tests' own station directory: a name typed, Enter, the results reached
// by their access key, Enter to play through the test player, Alt+A to add.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "app/AboutUNIT.h"
#include "app/findstations.h"
#include "app/radiowin.h"
#include "gui/application.h"
#include "live/test_directory.h"
#include "platform/paths.h"
#include "platform/win32/win32.h"
#include "support/platform_fixture.h"

#include "win32/native_windows.h"

#include <commctrl.h>

namespace {

namespace fs = std::filesystem;

HWND H(TWinControl* control) {
    return reinterpret_cast<HWND>(control->Handle());
}

void Send(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof input);
}

class FindWindowWine : public PlatformTest {
  protected:
    void SetUp() override {
        PlatformTest::SetUp();
        exeDir = plat::ExtractFileDir(platform().GetModuleFileNameA());
        playerLog = plat::JoinPath(dir(), "player.log");
        ::SetEnvironmentVariableA("ZEL_PLAYER_LOG", playerLog.c_str());
        server = std::make_unique<TestDirectory>(dir());
        ::SetEnvironmentVariableA(kDirectoryVariable, server->Base().c_str());
        Application = new TApplication();
        Application->SetTitle("Zelvora");
        RadioForm = Application->CreateForm<TRadioForm>();
        RadioForm->ShowWinAtStartCB->SetChecked(false);
        RadioForm->AboutShown = true;
        RadioForm->StationLB->Items()->Clear();
        RadioForm->RealAudioLoc = plat::JoinPath(exeDir, "zel_test_player.exe");
    }
    void TearDown() override {
        if (plat::HWND player = platform().FindWindowA(kPlayerWindowClass, nullptr))
            platform().SendMessageA(player, WM_CLOSE, 0, 0);
        delete Application;
        Application = nullptr;
        server.reset();
        ::SetEnvironmentVariableA("ZEL_PLAYER_LOG", nullptr);
        ::SetEnvironmentVariableA(kDirectoryVariable, nullptr);
        std::error_code ec;
        fs::remove(fs::path(exeDir) / "settings" / "Jazz_Station_25", ec);
        fs::remove(fs::path(exeDir) / kDirectoryIdsFile, ec);
        PlatformTest::TearDown();
    }

    void Pump(int ms) {
        for (int waited = 0; waited < ms; waited += 20) {
            Application->ProcessMessages();
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    bool WaitFor(const std::function<bool()>& done, int ms = 10000) {
        for (int waited = 0; waited < ms && !done(); waited += 20) Pump(20);
        return done();
    }
    // A key, with Alt held when asked, as the keyboard gives it.
    void Key(WORD vk, bool alt = false) {
        if (alt) Send(VK_MENU, false);
        Send(vk, false);
        Send(vk, true);
        if (alt) Send(VK_MENU, true);
        Pump(150);
    }
    void Type(const std::string& text) {
        for (char c : text) Key(static_cast<WORD>(::VkKeyScanA(c) & 0xFF));
    }
    HWND Focus() { return ::GetFocus(); }
    std::string PlayerLog() {
        std::ifstream in(playerLog);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::string exeDir, playerLog;
    std::unique_ptr<TestDirectory> server;
};

TEST_F(FindWindowWine, ANameThenEnterArrowsEnterAndAltAPlayAndAddAFoundStation) {
    ASSERT_TRUE(server->Running());
    TFindStationsForm form(nullptr, *RadioForm);
    form.Show();
    ::SetForegroundWindow(H(&form));
    form.NameEdit->SetFocus();
    Pump(300);
    Key(VK_TAB);
    EXPECT_EQ(Focus(), H(form.TagEdit)) << "the tab order follows the layout";
    Key('N', true);
    EXPECT_EQ(Focus(), H(form.NameEdit)) << "a label's access key leads to its field";

    Type("jazz");
    Key(VK_RETURN);
    HWND list = H(form.ResultList);
    ASSERT_TRUE(WaitFor([&] { return ::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 12; }))
        << form.StatusLabel->Caption();
    char cell[64] = {};
    LVITEMA item{};
    item.iSubItem = 5;
    item.pszText = cell;
    item.cchTextMax = sizeof cell;
    ::SendMessageA(list, LVM_GETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(cell, "4210") << "the votes column";

    Key('E', true);
    EXPECT_EQ(Focus(), list);
    ASSERT_TRUE(WaitFor([&] { return form.ResultList->ItemIndex() == 0; }));
    Key(VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return PlayerLog().find("/a.ogg") != std::string::npos; }))
        << "Enter on a result plays it: " << PlayerLog();
    EXPECT_TRUE(WaitFor([&] {
        return server->Log().find("/json/url/59065b21-3993-507e-bb25-4695c2a0f29e") !=
               std::string::npos;
    })) << "and counts the click";

    ::SetForegroundWindow(H(&form));
    ::SetFocus(list);
    Key(VK_DOWN);
    ASSERT_TRUE(WaitFor([&] { return form.ResultList->ItemIndex() == 1; }));
    Key('A', true);
    ASSERT_TRUE(WaitFor([&] { return RadioForm->StationLB->Items()->Count() == 1; }));
    EXPECT_EQ(RadioForm->StationLB->Items()->Strings(0), "Jazz Station 25");
    EXPECT_EQ(RadioForm->DirectoryIds().IdOf("Jazz Station 25"),
              "6cdabcc1-9609-56ac-a1fc-00ac18f0558a");
    if (const char* out = std::getenv("ZEL_TEST_OUTPUT")) {
        fs::create_directories(out);
        plat::win32::SaveWindowImage(form.Handle(), (fs::path(out) / "find-stations.bmp").string());
    }
}

}  // namespace
