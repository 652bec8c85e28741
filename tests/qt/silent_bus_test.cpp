// The program when the session bus takes connections and never answers them (a hung
// daemon): it starts, a click on its tray icon opens its window at once, and stopping
// or raising a player without MPRIS leaves the event loop running. The address stays
// the process's, so ctest runs these on their own (linux_silent_bus).
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <thread>
#include <vector>

#include "app/playercontrol.h"
#include "app/radiotoolbar.h"
#include "qt/program_fixture.h"

namespace {

// A stall today is seconds; this leaves room for a busy machine.
constexpr qint64 kLongestGapMs = 200;

// A unix socket that accepts every connection, keeps it open and says nothing.
class SilentBus {
  public:
    explicit SilentBus(const std::string& path) : path_(path) {
        ::unlink(path.c_str());
        fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        std::strncpy(addr.sun_path, path.c_str(), sizeof addr.sun_path - 1);
        listening_ = fd_ >= 0 && ::bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
                     ::listen(fd_, 16) == 0;
        if (listening_)
            accepting_ = std::thread([this] {
                for (int c; (c = ::accept(fd_, nullptr, nullptr)) >= 0;) accepted_.push_back(c);
            });
    }
    ~SilentBus() {
        ::shutdown(fd_, SHUT_RDWR);  // ends the accept
        if (accepting_.joinable()) accepting_.join();
        for (int c : accepted_) ::close(c);
        ::close(fd_);
        ::unlink(path_.c_str());
    }
    bool Listening() const { return listening_; }
    std::size_t Accepted() const { return accepted_.size(); }

  private:
    std::string path_;
    int fd_ = -1;
    bool listening_ = false;
    std::thread accepting_;
    std::vector<int> accepted_;
};

// The longest time between two ticks of a 10 ms timer: how long the loop stood still.
class GapMeter {
  public:
    GapMeter() {
        clock_.start();
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] {
            longest_ = std::max(longest_, clock_.restart());
        });
        timer_.start(10);
    }
    qint64 Longest() const { return std::max(longest_, clock_.elapsed()); }

  private:
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 longest_ = 0;
};

class QtSilentBus : public QtProgram {
  protected:
    void SetUp() override {
        if (!std::getenv("ZEL_SILENT_BUS")) GTEST_SKIP() << "run by ctest linux_silent_bus";
        const std::string path = "/tmp/zel-silent-bus-" + std::to_string(::getpid());
        bus_ = std::make_unique<SilentBus>(path);
        ASSERT_TRUE(bus_->Listening());
        // Before the platform is made: it asks the bus as it starts.
        ::setenv("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + path).c_str(), 1);
        QtProgram::SetUp();
    }
    QRect TrayIcon() { return IconInTray(QCoreApplication::applicationPid()); }
    std::unique_ptr<SilentBus> bus_;
};

TEST_F(QtSilentBus, TheProgramStartsAndItsTrayIconOpensItsWindowAtOnce) {
    WriteSettings("[MainForm]\r\nShowWinAtStartCB=0\r\n");
    QElapsedTimer start;
    start.start();
    Start();
    RecordProperty("start_ms", static_cast<int>(start.elapsed()));
    EXPECT_LT(start.elapsed(), 3000) << "the start waited on the bus";
    ASSERT_TRUE(WaitFor([this] { return TrayIcon().isValid(); })) << "no icon in the X tray";
    EXPECT_GE(bus_->Accepted(), 1u) << "the bus was never asked";

    GapMeter meter;
    QElapsedTimer shown;
    ClickAt(TrayIcon().center());
    shown.start();
    EXPECT_TRUE(WaitFor([] { return RadioFloatWin->Visible(); }, 1000));
    EXPECT_LT(shown.elapsed(), 1000);
    RecordProperty("longest_gap_ms", static_cast<int>(meter.Longest()));
    EXPECT_LT(meter.Longest(), kLongestGapMs) << "the event loop stood still";
}

TEST_F(QtSilentBus, StoppingOrRaisingAPlayerWithoutMprisKeepsTheLoopRunning) {
    const std::string player = dir() + "/player";
    std::ofstream(player) << "#!/bin/sh\nexec sleep 30\n";
    QFile::setPermissions(QString::fromStdString(player), QFile::ReadOwner | QFile::ExeOwner);
    TPlayerControl control;
    GapMeter meter;
    ASSERT_TRUE(control.Play(player, "http://a.invalid/"));
    Pump(300);
    ASSERT_TRUE(control.Playing());
    EXPECT_TRUE(control.Raise(player));
    control.Stop();
    EXPECT_TRUE(WaitFor([&] { return !control.Playing(); }, 5000))
        << "the player did not end";
    RecordProperty("longest_gap_ms", static_cast<int>(meter.Longest()));
    EXPECT_LT(meter.Longest(), kLongestGapMs) << "the event loop stood still";
}

}  // namespace
