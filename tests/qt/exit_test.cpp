// The real program, started as a person starts it, with a home of its own: its icon in
// the tray, Exit chosen from the tray menu, and the files it leaves in the XDG folders.
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QStringList>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "qt/qt_fixture.h"

namespace {

namespace fs = std::filesystem;

class QtRealProgram : public QtTest {
  protected:
    void TearDown() override {
        if (program.state() != QProcess::NotRunning) {
            program.kill();
            program.waitForFinished(3000);
        }
        QtTest::TearDown();
    }
    std::string Read(const std::string& path) const {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    void Write(const std::string& path, const std::string& bytes) {
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }
    // The program's popup menu: its one window on the screen taller than the icon.
    QRect MenuOf(qint64 pid) {
        for (const QRect& r : WindowsOf(pid, true))
            if (r.height() > 48 && r.height() < 400) return r;
        return {};
    }

    // Starts the real program with the test's home and waits for its icon in the tray,
    // by which time it runs its message loop.
    bool StartInTray(QProcess& p) {
        p.setProgram(ZEL_PROGRAM);
        p.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
        p.start();
        return p.waitForStarted(5000) &&
               WaitFor([&] { return !IconInTray(p.processId()).isNull(); }, 10000);
    }
    std::string Config() const { return Home() + "/.config/zelvora"; }
    std::string Data() const { return Home() + "/.local/share/zelvora"; }
    std::string Set() const {
        return Read(std::string(ZEL_SOURCE_DIR) + "/tests/shared/data/two-stations.set");
    }
    // The window that has the focus, and the process it belongs to.
    std::pair<std::string, qint64> ActiveWindow() {
        QProcess xdo;
        xdo.start("xdotool", {"getactivewindow", "getwindowname", "getwindowpid"});
        xdo.waitForFinished(5000);
        const QStringList lines = QString::fromUtf8(xdo.readAllStandardOutput()).split('\n');
        if (lines.size() < 2) return {};
        return {lines[0].toStdString(), lines[1].toLongLong()};
    }

    QProcess program;
};

// Each signal that asks a program to end (the session's end, Ctrl+C, a closed terminal)
// saves what Exit saves before the program ends, with the status of an Exit.
TEST_F(QtRealProgram, SigtermSigintAndSighupSaveWhatExitSavesAndEndTheProgram) {
    for (const int signo : {SIGTERM, SIGINT, SIGHUP}) {
        Write(Config() + "/zelvora.ini", "[MainForm]\r\nShowWinAtStartCB=0\r\n");
        Write(Data() + "/zelvora.set", Set());
        ASSERT_TRUE(StartInTray(program)) << signo;
        fs::remove(Data() + "/zelvora.set");
        ASSERT_EQ(::kill(static_cast<pid_t>(program.processId()), signo), 0);
        ASSERT_TRUE(WaitFor([&] { return program.state() == QProcess::NotRunning; }, 10000))
            << "signal " << signo << " did not end the program";
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << signo;
        EXPECT_EQ(program.exitCode(), 0) << signo;
        EXPECT_EQ(Read(Data() + "/zelvora.set"), Set()) << signo;
        const std::string ini = Read(Config() + "/zelvora.ini");
        EXPECT_NE(ini.find("ShowWinAtStartCB=0\r\nStatus=1\r\n"), std::string::npos) << ini;
        EXPECT_NE(ini.find("\r\nStationLBItemIndex=-1\r\n"), std::string::npos) << ini;
    }
}

// A second start while the program runs ends at once and touches no file; the copy
// that runs comes forward (the about box of its run's first showing, then its
// floating window).
TEST_F(QtRealProgram, ASecondStartEndsAndTheRunningCopyComesForward) {
    Write(Config() + "/zelvora.ini", "[MainForm]\r\nShowWinAtStartCB=0\r\n");
    Write(Data() + "/zelvora.set", Set());
    ASSERT_TRUE(StartInTray(program));
    ASSERT_TRUE(WindowsOf(program.processId(), true).size() <= 1u);  // the tray icon alone
    const auto written = fs::last_write_time(Data() + "/zelvora.set");

    QProcess second;
    second.setProgram(ZEL_PROGRAM);
    second.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
    second.start();
    ASSERT_TRUE(second.waitForStarted(5000));
    ASSERT_TRUE(WaitFor([&] { return second.state() == QProcess::NotRunning; }, 10000))
        << "the second start runs on";
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(WaitFor([&] { return ActiveWindow().second == program.processId(); }, 10000));
    EXPECT_EQ(ActiveWindow().first.find("About Zelvora"), 0u) << ActiveWindow().first;
    Keys({"Tab", "Return"});  // from the publisher's button to "Go To Main Window"
    EXPECT_TRUE(WaitFor(
        [&] {
            auto [name, pid] = ActiveWindow();
            return pid == program.processId() && name.find("About") == std::string::npos;
        },
        5000));
    EXPECT_EQ(Read(Data() + "/zelvora.set"), Set());
    EXPECT_EQ(fs::last_write_time(Data() + "/zelvora.set"), written);
    EXPECT_EQ(program.state(), QProcess::Running);
}

TEST_F(QtRealProgram, ExitFromTheTrayMenuWritesTheSettingsAndTheListIntoTheXdgFolders) {
    const std::string config = Home() + "/.config/zelvora", data = Home() + "/.local/share/zelvora";
    Write(config + "/zelvora.ini", "[MainForm]\r\nShowWinAtStartCB=0\r\n");
    std::string set = Read(std::string(ZEL_SOURCE_DIR) + "/tests/shared/data/two-stations.set");
    ASSERT_FALSE(set.empty());
    Write(data + "/zelvora.set", set);
    program.setProgram(ZEL_PROGRAM);
    program.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
    program.start();
    ASSERT_TRUE(program.waitForStarted(5000));
    QRect icon;
    ASSERT_TRUE(WaitFor([&] { return !(icon = IconInTray(program.processId())).isNull(); }, 10000))
        << "no icon of the program in the tray";
    ClickAt(icon.center(), 3);
    // The menu opens one double-click time after the press; Exit is its last item.
    QRect menu;
    ASSERT_TRUE(WaitFor([&] { return !(menu = MenuOf(program.processId())).isNull(); }));
    ClickAt({menu.center().x(), menu.bottom() - 12});
    ASSERT_TRUE(WaitFor([&] { return program.state() == QProcess::NotRunning; }, 10000))
        << "the program did not end";
    EXPECT_EQ(program.exitCode(), 0);

    const std::string ini = Read(config + "/zelvora.ini");
    EXPECT_EQ(ini.find("[MainForm]\r\nShowWinAtStartCB=0\r\nStatus=1\r\n"), 0u) << ini;
    // Both spellings of the section name the one section; the player is the first of
    // the Linux players on PATH, or mpv by name when none is installed.
    std::string player = "mpv";
    for (const char* name : {"mpv", "vlc", "audacious"}) {
        const QString found = QStandardPaths::findExecutable(name);
        if (!found.isEmpty()) {
            player = found.toStdString();
            break;
        }
    }
    EXPECT_NE(ini.find("\r\nStationLBItemIndex=-1\r\nRealAudioLoc=" + player + "\r\n"),
              std::string::npos)
        << ini;
    EXPECT_EQ(Read(data + "/zelvora.set"), set);  // written again, the same to the byte
    EXPECT_TRUE(fs::is_directory(data + "/settings"));
}

}  // namespace
