// What plays now on the real Windows API, with the stand-in player copied under each
// player's name: mpv's IPC on a named pipe, the other players' captions, the tip, the
// balloon the shell takes, the clipboard read back, and the sleep timer with its
// minutes shortened through the settings file.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include "app/radiotoolbar.h"
#include "app/radiowin.h"
#include "components/PGTray95.h"
#include "gui/application.h"
#include "platform/paths.h"
#include "support/platform_fixture.h"

// After our own headers: the seam's names must be declared before <windows.h>.
#include <windows.h>

namespace {

const char* const kStation = "Wine Song Station";
const char* const kUrl = "http://songs.invalid/stream";
constexpr ULONG_PTR kTitle = 0x5A4554;  // the stand-in's tag for a new title

class SongsWine : public PlatformTest {
  protected:
    void SetUp() override {
        PlatformTest::SetUp();
        exeDir = plat::ExtractFileDir(platform().GetModuleFileNameA());
        stubLog = plat::JoinPath(dir(), "stub.log");
        ::SetEnvironmentVariableA("ZEL_STUB_LOG", stubLog.c_str());
        Application = new TApplication();
        Application->SetTitle("Zelvora");
        RadioForm = Application->CreateForm<TRadioForm>();
        RadioForm->AboutShown = true;
        RadioFloatWin = Application->CreateForm<TRadioFloatWin>();
        TStationStore store(plat::JoinPath(exeDir, "settings"));
        store.Write(kStation, kUrl);
        stationFile = store.PathOf(kStation);
        RadioForm->StationLB->Items()->Add(kStation);
    }
    void TearDown() override {
        RadioForm->StopPlayer();
        Until([&] { return !RadioForm->Player.Playing(); });
        delete Application;
        Application = nullptr;
        for (const char* key : {"SongNotifications"})
            ::WritePrivateProfileStringA("MainForm", key, nullptr, "zelvora.ini");
        ::WritePrivateProfileStringA("Testing", nullptr, nullptr, "zelvora.ini");
        ::SetEnvironmentVariableA("ZEL_STUB_LOG", nullptr);
        std::filesystem::remove(stationFile);
        PlatformTest::TearDown();
    }
    std::string Player(const std::string& file) {
        const std::string folder = dir() + "\\" + file.substr(0, file.find('.'));
        std::filesystem::create_directories(folder);
        const std::string path = folder + "\\" + file;
        std::filesystem::copy_file(exeDir + "\\zel_test_player.exe", path);
        return path;
    }
    // Messages handled and the poll run, as the floating window's timer would, until
    // the condition holds or ten seconds have gone.
    bool Until(const std::function<bool()>& done) {
        for (int i = 0; i < 200 && !done(); ++i) {
            platform().ProcessMessages();
            RadioForm->PollPlayer();
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return done();
    }
    static void GiveTitle(const char* windowClass, const std::string& title) {
        HWND player = ::FindWindowA(windowClass, nullptr);
        ASSERT_NE(player, nullptr) << windowClass;
        COPYDATASTRUCT data{kTitle, static_cast<DWORD>(title.size()),
                            const_cast<char*>(title.data())};
        DWORD_PTR result = 0;
        ::SendMessageTimeoutA(player, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                              SMTO_ABORTIFHUNG, 5000, &result);
    }
    static std::string Clipboard() {
        std::string text;
        if (!::OpenClipboard(nullptr)) return "(not open)";
        if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
            if (const char* bytes = static_cast<const char*>(::GlobalLock(data))) text = bytes;
            ::GlobalUnlock(data);
        }
        ::CloseClipboard();
        return text;
    }
    std::string StubLog() {
        std::ifstream in(stubLog);
        std::stringstream all;
        all << in.rdbuf();
        return all.str();
    }
    std::string Tip() { return RadioForm->PGTrayIcon951->Tip(); }

    std::string exeDir, stubLog, stationFile;
};

TEST_F(SongsWine, MpvTellsItsTitleOnItsPipeToTheTipTheBalloonAndTheClipboard) {
    RadioForm->RealAudioLoc = Player("mpv.exe");
    RadioForm->SongNotifications1Click(nullptr);
    RadioForm->LaunchStation(kStation);
    const std::string station = kStation;
    ASSERT_TRUE(Until([&] { return Tip() == station + " - " + kUrl; })) << Tip();
    GiveTitle("mpv", "Take Five");
    EXPECT_TRUE(Until([&] { return Tip() == station + " - Take Five"; })) << Tip();

    // The first title was told at once; the next one when five polls have passed.
    const auto& balloon = RadioForm->PGTrayIcon951->LastBalloon();
    EXPECT_TRUE(Until([&] { return balloon.text == "Take Five"; })) << balloon.text;
    EXPECT_TRUE(balloon.shown) << "the shell took the balloon";
    EXPECT_EQ(balloon.title, kStation);
    EXPECT_EQ(balloon.text, "Take Five");

    RadioForm->CopySongTitle1->UserChoose();
    EXPECT_EQ(Clipboard(), "Take Five");

    RadioFloatWin->SpeedButton1->UserClick();
    EXPECT_TRUE(Until([&] { return !RadioForm->Player.Playing(); }));
    EXPECT_NE(StubLog().find("quit"), std::string::npos) << "stopped on its channel";
    EXPECT_EQ(Tip(), "");
}

TEST_F(SongsWine, EachTablePlayersCaptionGivesItsTitle) {
    const struct {
        const char* file;
        const char* windowClass;
    } players[] = {{"vlc.exe", "ZelStubVlc"},
                   {"foobar2000.exe", "ZelStubFoobar"},
                   {"winamp.exe", "Winamp v1.x"},
                   {"mpc-hc.exe", "MediaPlayerClassicW"},
                   {"aimp.exe", "TAIMPMainFrame"}};
    for (const auto& player : players) {
        SCOPED_TRACE(player.file);
        RadioForm->RealAudioLoc = Player(player.file);
        RadioForm->LaunchStation(kStation);
        Until([&] { return ::FindWindowA(player.windowClass, nullptr) != nullptr; });
        GiveTitle(player.windowClass, "Dave Brubeck - Take Five");
        EXPECT_TRUE(Until([&] { return RadioForm->SongTitle() == "Dave Brubeck - Take Five"; }))
            << Tip();
        RadioForm->StopPlayer();
        EXPECT_TRUE(Until([&] { return ::FindWindowA(player.windowClass, nullptr) == nullptr; }));
    }
}

TEST_F(SongsWine, TheSleepTimerStopsThePlayerWithMinutesShortened) {
    ::WritePrivateProfileStringA("Testing", "MinuteMs", "100", "zelvora.ini");
    RadioForm->RealAudioLoc = Player("vlc.exe");
    RadioForm->LaunchStation(kStation);
    ASSERT_TRUE(Until([] { return ::FindWindowA("ZelStubVlc", nullptr) != nullptr; }));
    RadioForm->SetSleepTimer(15);
    EXPECT_NE(Tip().find("sleep in 15 min"), std::string::npos) << Tip();
    EXPECT_TRUE(Until([&] { return Tip() == "Zelvora - stopped by the sleep timer"; })) << Tip();
    EXPECT_TRUE(Until([] { return ::FindWindowA("ZelStubVlc", nullptr) == nullptr; }));
}

}  // namespace
