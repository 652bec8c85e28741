// Real mpv, with its MPRIS plugin, on the session bus: stopped, asked to raise, and
// its title reaching a window, all through MPRIS. Needs a session bus of its own
// (ctest runs it inside dbus-run-session); skipped without one.
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

#include <unistd.h>

#include "qt/qt_fixture.h"
#include "shared/recorder.h"

namespace {

constexpr plat::UINT kNowPlaying = plat::WM_USER + 7;

class QtMpris : public QtTest {
  protected:
    void SetUp() override {
        QtTest::SetUp();
        if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
            GTEST_SKIP() << "no session bus";
        if (QStandardPaths::findExecutable("mpv").isEmpty() ||
            !QFileInfo::exists("/etc/mpv/scripts/mpris.so"))
            GTEST_SKIP() << "no mpv with mpv-mpris";
    }
    void TearDown() override {
        for (plat::PROCESS process : started_) platform().ReleaseProcess(process);
        QtTest::TearDown();
    }
    bool Runs(plat::PROCESS process) { return !platform().ProcessHasEnded(process, 0); }
    plat::PROCESS Start(const std::string& program, const std::vector<std::string>& arguments) {
        plat::PROCESS process = 0;
        EXPECT_GE(platform().StartProcess(program, arguments, plat::SW_SHOWNORMAL, &process), 32u);
        if (process) started_.push_back(process);
        return process;
    }
    // mpv playing a generated tone to no audio device, under the title given.
    plat::PROCESS StartMpv(const std::string& title) {
        return Start("mpv", {"--no-config", "--script=/etc/mpv/scripts/mpris.so", "--ao=null",
                             "--force-window=no", "--force-media-title=" + title, "--",
                             "av://lavfi:sine=frequency=440:duration=60"});
    }
    std::vector<plat::PROCESS> started_;
};

TEST_F(QtMpris, MpvIsStoppedAndItsTitleReachesTheWindowThroughItsInterface) {
    auto& p = platform();
    Recorder sink;
    plat::WindowSpec spec;
    spec.kind = plat::WindowKind::Form;
    spec.className = "TZelTestForm";
    spec.visible = false;
    spec.sink = &sink;
    const plat::HWND window = p.CreateWindowA(spec);
    p.WatchNowPlaying(window, kNowPlaying);

    const plat::PROCESS pid = StartMpv("Tone A");
    ASSERT_NE(pid, 0u);
    // The player registers on the bus a moment after it starts.
    ASSERT_TRUE(WaitFor([&] { return p.NowPlayingTitle(pid) == "Tone A"; }, 10000));
    const plat::Message* told = sink.Last(kNowPlaying);
    ASSERT_NE(told, nullptr) << "the title came by a signal, not by asking";
    EXPECT_EQ(told->wParam, p.ProcessIdOf(pid));
    EXPECT_TRUE(WaitFor([&] {
        return p.ProcessesPlaying("av://lavfi:sine=frequency=440:duration=60") ==
               std::vector<plat::DWORD>{p.ProcessIdOf(pid)};
    })) << "the player says what it plays";
    EXPECT_FALSE(p.RaiseProcessWindow(pid)) << "mpv's plugin cannot raise it";
    EXPECT_TRUE(Runs(pid));

    sink.Clear();
    EXPECT_TRUE(p.CloseProcessWindows(pid));
    EXPECT_TRUE(WaitFor([&] { return !Runs(pid); }, 5000)) << "Player.Stop ends mpv";
    EXPECT_TRUE(WaitFor([&] { return sink.Count(kNowPlaying) > 0; }));
    EXPECT_EQ(p.NowPlayingTitle(pid), "") << "a player gone publishes nothing";
    EXPECT_FALSE(p.RaiseProcessWindow(pid));
}

// A title that changes while the player runs comes by PropertiesChanged: the player
// was known on the bus before it.
TEST_F(QtMpris, ATitleChangedWhilePlayingReachesTheWindow) {
    auto& p = platform();
    Recorder sink;
    plat::WindowSpec spec;
    spec.className = "TZelTestForm";
    spec.sink = &sink;
    p.WatchNowPlaying(p.CreateWindowA(spec), kNowPlaying);
    const plat::PROCESS pid =
        Start("mpv", {"--no-config", "--script=/etc/mpv/scripts/mpris.so", "--ao=null",
                      "--force-window=no", "--", "av://lavfi:sine=frequency=440:duration=1.5",
                      "av://lavfi:sine=frequency=660:duration=30"});
    ASSERT_NE(pid, 0u);
    ASSERT_TRUE(WaitFor([&] { return p.NowPlayingTitle(pid)->find("440") != std::string::npos; }));
    sink.Clear();
    EXPECT_TRUE(WaitFor([&] { return p.NowPlayingTitle(pid)->find("660") != std::string::npos; }));
    const plat::Message* told = sink.Last(kNowPlaying);
    ASSERT_NE(told, nullptr);
    EXPECT_EQ(told->wParam, p.ProcessIdOf(pid));
    EXPECT_TRUE(p.CloseProcessWindows(pid));
}

// VLC stays open with nothing to play when stopped: it is asked to quit as well.
// VLC refuses to run as root, so this runs only as an ordinary user.
TEST_F(QtMpris, VlcStoppedThroughItsInterfaceIsAskedToQuitAsWell) {
    if (::geteuid() == 0) GTEST_SKIP() << "VLC does not run as root";
    if (QStandardPaths::findExecutable("vlc").isEmpty()) GTEST_SKIP() << "no VLC";
    auto& p = platform();
    // Nothing to play: VLC, unlike mpv, waits on with an empty playlist.
    const plat::PROCESS pid = Start("vlc", {"-I", "dummy", "--aout=dummy", "--one-instance", "--",
                                            "file:///zelvora-nothing-here.ogg"});
    ASSERT_NE(pid, 0u);
    auto runs = [&] { return Runs(pid); };
    ASSERT_TRUE(WaitFor(runs));
    Pump(3000);  // until its interface is on the bus
    EXPECT_TRUE(p.CloseProcessWindows(pid));
    EXPECT_TRUE(WaitFor([&] { return !runs(); }, 8000)) << "VLC did not quit";
}

}  // namespace
