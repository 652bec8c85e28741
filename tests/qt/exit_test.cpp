// The real program, started as a person starts it, with a home of its own: its icon in
// the tray, Exit chosen from the tray menu, and the files it leaves in the XDG folders.
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QStringList>
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
    std::string Read(const std::string& path) {
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

    QProcess program;
};

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
