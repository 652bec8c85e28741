// The volume bar on the audio server's default sink: the null sink of the PulseAudio
// server that scripts/x-session starts, looked at and changed with pactl as a person
// (or another program) would.
#include <QProcess>
#include <QSlider>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>

#include "app/radiotoolbar.h"
#include "gui/application.h"
#include "platform/qt/pulse_levels.h"
#include "platform/qt/qt.h"
#include "qt/program_fixture.h"

namespace {

std::string Shell(const std::string& command) {
    std::string out;
    if (FILE* p = ::popen((command + " 2>&1").c_str(), "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, p)) out += buffer;
        ::pclose(p);
    }
    return out;
}

void SetSink(const std::string& levels) {
    Shell("pactl set-sink-volume @DEFAULT_SINK@ " + levels);
}

// The percentages pactl reports for the default sink, left then right.
std::vector<int> SinkPercents() {
    const std::string out = Shell("pactl get-sink-volume @DEFAULT_SINK@");
    std::vector<int> percents;
    static const std::regex percent(R"((\d+)%)");
    for (std::sregex_iterator i(out.begin(), out.end(), percent), end; i != end; ++i)
        percents.push_back(std::stoi((*i)[1]));
    return percents;
}

class QtVolume : public QtProgram {
  protected:
    void SetUp() override {
        QtProgram::SetUp();
        const char* server = std::getenv("PULSE_SERVER");
        ASSERT_TRUE(server && *server)
            << "no PulseAudio server: scripts/x-session starts one (is pulseaudio installed?)";
        server_ = server;
    }
    void TearDown() override {
        QtProgram::TearDown();
        ::setenv("PULSE_SERVER", server_.c_str(), 1);
    }
    QSlider* Bar() { return qobject_cast<QSlider*>(Widget(RadioFloatWin->VolumeBar->Handle())); }
    std::string server_;
};

TEST(PulseLevels, WordsKeepTheirValueThroughTheSinkScaleAndSidesMapToChannels) {
    for (std::uint32_t w = 0; w <= 0xFFFF; ++w)
        ASSERT_EQ(qtb::WordLevel(qtb::SinkLevel(static_cast<std::uint16_t>(w))), w);
    EXPECT_EQ(qtb::SinkLevel(0xFFFF), PA_VOLUME_NORM);
    EXPECT_EQ(qtb::WordLevel(PA_VOLUME_NORM * 3 / 2), 0xFFFF);  // raised past 100 %

    pa_channel_map surround, mono;
    pa_channel_map_init_extend(&surround, 6, PA_CHANNEL_MAP_ALSA);  // FL FR RL RR FC LFE
    pa_channel_map_init_mono(&mono);
    const pa_cvolume set = qtb::SinkVolumeOf(0xC0004000, surround);
    ASSERT_EQ(set.channels, 6);
    EXPECT_EQ(set.values[0], set.values[2]);  // both left
    EXPECT_EQ(set.values[1], set.values[3]);  // both right
    EXPECT_EQ(set.values[4], set.values[1]);  // the centre follows the louder side
    EXPECT_EQ(qtb::LevelWordOf(set, surround), 0xC0004000u);
    const pa_cvolume one = qtb::SinkVolumeOf(0x00002000, mono);
    EXPECT_EQ(qtb::LevelWordOf(one, mono), 0x20002000u);
}

TEST_F(QtVolume, TheAuxCallsReadWhatPactlSetAndSetTheSink) {
    SetSink("50% 25%");
    plat::DWORD word = 0;
    EXPECT_TRUE(WaitFor([&] {
        return platform().auxGetVolume(0, &word) == plat::MMSYSERR_NOERROR && word == 0x40008000;
    })) << std::hex
        << word;
    EXPECT_EQ(platform().auxGetNumDevs(), 1u);
    plat::AUXCAPS caps;
    ASSERT_EQ(platform().auxGetDevCapsA(0, &caps, sizeof caps), plat::MMSYSERR_NOERROR);
    EXPECT_EQ(caps.dwSupport, plat::AUXCAPS_VOLUME | plat::AUXCAPS_LRVOLUME);
    EXPECT_EQ(platform().auxGetVolume(1, &word), plat::MMSYSERR_BADDEVICEID);

    ASSERT_EQ(platform().auxSetVolume(0, 0xC0004000), plat::MMSYSERR_NOERROR);
    EXPECT_TRUE(WaitFor([] {
        return SinkPercents() == std::vector<int>{25, 75};
    })) << Shell("pactl get-sink-volume @DEFAULT_SINK@");
    // What was set reads back at once, before the server has told of it.
    ASSERT_EQ(platform().auxGetVolume(0, &word), plat::MMSYSERR_NOERROR);
    EXPECT_EQ(word, 0xC0004000u);
}

TEST_F(QtVolume, TheBarMovedByAPersonSetsTheSinkAndFollowsPactlAtThePoll) {
    SetSink("50%");
    WriteSettings("[MainForm]\r\nShowWinAtStartCB=0\r\n");
    Start();
    ASSERT_TRUE(ShowAndWait(RadioFloatWin->Handle()));
    QSlider* bar = Bar();
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(WaitFor([bar] { return bar->isEnabled() && bar->value() == 128; })) << bar->value();

    // Dragged by its handle from the middle to three quarters of the way.
    const QPoint from = bar->mapToGlobal(bar->rect().center());
    const QPoint to = bar->mapToGlobal(QPoint(bar->width() * 3 / 4, bar->height() / 2));
    Xdo({"mousemove", std::to_string(from.x()), std::to_string(from.y()), "sleep", "0.1",
         "mousedown", "1", "mousemove", std::to_string(from.x() + 10), std::to_string(from.y()),
         "mousemove", std::to_string(to.x()), std::to_string(to.y()), "sleep", "0.1", "mouseup",
         "1"});
    Shot(RadioFloatWin->Handle(), "qt_volume_dragged");
    EXPECT_GT(bar->value(), 160);
    EXPECT_TRUE(WaitFor([] {
        auto p = SinkPercents();
        return p.size() == 2 && p[0] == p[1] && p[0] > 62 && p[0] < 90;
    })) << Shell("pactl get-sink-volume @DEFAULT_SINK@");

    Keys({"Home"});
    EXPECT_TRUE(WaitFor([] {
        return SinkPercents() == std::vector<int>{0, 0};
    })) << Shell("pactl get-sink-volume @DEFAULT_SINK@");

    // Another program's change shows at the next poll, once a second.
    SetSink("30%");
    EXPECT_TRUE(WaitFor([bar] { return bar->value() == 76; }, 2500)) << bar->value();
}

// A server of the test's own, which it can end and start again.
class OwnServer {
  public:
    explicit OwnServer(const std::string& dir) : dir_(dir) {}
    ~OwnServer() { Stop(); }
    std::string Address() const { return "unix:" + dir_ + "/runtime/native"; }
    void Start() {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* v : {"XDG_RUNTIME_DIR", "PULSE_STATE_PATH", "PULSE_RUNTIME_PATH"})
            env.insert(v, QString::fromStdString(dir_ + (v[0] == 'X' ? "" : "/runtime")));
        // PULSE_COOKIE stays that of the tests' server: the client presents the same.
        // Without a display it starts no D-Bus daemon, whose name the other one holds.
        env.remove("DISPLAY");
        server_.setProcessEnvironment(env);
        server_.setProcessChannelMode(QProcess::MergedChannels);
        server_.start("pulseaudio", {"-n", "--daemonize=no", "--use-pid-file=no",
                                     "--exit-idle-time=-1", "-L", "module-native-protocol-unix",
                                     "-L", "module-null-sink sink_name=zelvora_own"});
        server_.waitForStarted();
    }
    std::string Log() { return server_.readAll().toStdString(); }
    void Stop() {
        if (server_.state() == QProcess::NotRunning) return;
        server_.terminate();
        server_.waitForFinished(5000);
    }

  private:
    std::string dir_;
    QProcess server_;
};

TEST_F(QtVolume, AServerThatGoesAwayLeavesNoDeviceAndOneThatComesBackIsFound) {
    OwnServer server(dir() + "/own");
    std::filesystem::create_directories(dir() + "/own/runtime");
    for (const char* d : {"/own", "/own/runtime"})  // the server wants them private
        std::filesystem::permissions(dir() + d, std::filesystem::perms::owner_all);
    ::setenv("PULSE_SERVER", server.Address().c_str(), 1);
    plat::Uninstall();
    int argc = 0;
    plat::Install(plat::qt::MakePlatform(argc, nullptr));
    EXPECT_EQ(platform().auxGetNumDevs(), 0u);  // not there yet
    server.Start();
    EXPECT_TRUE(WaitFor([this] { return platform().auxGetNumDevs() == 1; }, 8000)) << server.Log();
    server.Stop();
    EXPECT_TRUE(WaitFor([this] { return platform().auxGetNumDevs() == 0; }));
    server.Start();
    EXPECT_TRUE(WaitFor([this] { return platform().auxGetNumDevs() == 1; }, 8000));
}

TEST_F(QtVolume, WithoutAServerThereIsNoDeviceAndTheBarSaysWhy) {
    ::setenv("PULSE_SERVER", ("unix:" + dir() + "/no-server").c_str(), 1);
    plat::Uninstall();
    int argc = 0;
    plat::Install(plat::qt::MakePlatform(argc, nullptr));
    EXPECT_EQ(platform().auxGetNumDevs(), 0u);
    plat::DWORD word = 0;
    EXPECT_EQ(platform().auxGetVolume(0, &word), plat::MMSYSERR_BADDEVICEID);
    EXPECT_EQ(platform().auxSetVolume(0, 0x80008000), plat::MMSYSERR_BADDEVICEID);

    WriteSettings("[MainForm]\r\nShowWinAtStartCB=0\r\n");
    Start();
    ASSERT_TRUE(ShowAndWait(RadioFloatWin->Handle()));
    Pump(1200);  // a poll, which asks again
    ASSERT_NE(Bar(), nullptr);
    EXPECT_FALSE(Bar()->isEnabled());
    EXPECT_NE(Bar()->toolTip().toStdString().find("No volume control"), std::string::npos)
        << Bar()->toolTip().toStdString();
    Shot(RadioFloatWin->Handle(), "qt_volume_no_server");
}

}  // namespace
