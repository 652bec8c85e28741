// Other programs as the Linux backend reaches them: started without a shell with an
// argument vector, held by pidfd, found by their program file, asked to end; and the
// save dialog, answered from the keyboard.
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "app/playercontrol.h"
#include "qt/qt_fixture.h"

namespace {

using QtPrograms = QtTest;

bool Has(const std::vector<plat::DWORD>& ids, plat::DWORD id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

TEST_F(QtPrograms, AStartedProgramIsPinnedFoundByItsFileAndEndsWhenAskedTo) {
    auto& p = platform();
    plat::PROCESS sleeper = 0;
    ASSERT_GE(p.StartProcess("sleep", {"30"}, plat::SW_SHOWNORMAL, &sleeper), 32u);
    const plat::DWORD pid = p.ProcessIdOf(sleeper);
    ASSERT_NE(pid, 0u);
    const std::string sleep = QStandardPaths::findExecutable("sleep").toStdString();
    EXPECT_TRUE(WaitFor([&] { return Has(p.ProcessesOfProgram(sleep), pid); }));
    EXPECT_TRUE(Has(p.ProcessesOfProgram("sleep"), pid));  // a bare name, from the PATH
    EXPECT_FALSE(p.ProcessHasEnded(sleeper, 0));
    EXPECT_TRUE(p.CloseProcessWindows(sleeper));
    EXPECT_TRUE(p.ProcessHasEnded(sleeper, 5000));
    EXPECT_FALSE(p.CloseProcessWindows(sleeper)) << "an ended process is asked nothing";
    EXPECT_FALSE(Has(p.ProcessesOfProgram(sleep), pid)) << "reaped, no zombie left";
    p.ReleaseProcess(sleeper);

    plat::PROCESS none = 0;
    EXPECT_EQ(p.StartProcess("/no/such/player", {"http://x"}, plat::SW_SHOWNORMAL, &none),
              plat::ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(none, 0u);
    // Ids a pid_t cannot hold pin nothing, and so are never signalled.
    EXPECT_EQ(p.OpenProcess(0x80000001u), 0u);
    EXPECT_EQ(p.OpenProcess(0), 0u);
    EXPECT_EQ(p.GetEnvironmentVariableA("ZEL_RECORD"), RecordDir());
    EXPECT_FALSE(p.GetEnvironmentVariableA("ZEL_NOT_SET_ANYWHERE"));
}

// A player started through a wrapper that execs the real one, and a player whose file
// an upgrade replaced while it runs, are still the player.
TEST_F(QtPrograms, AWrappedOrUpgradedPlayerIsStillItself) {
    auto& p = platform();
    const std::string wrapper = dir() + "/cvlc", copy = dir() + "/player";
    std::ofstream(wrapper) << "#!/bin/sh\nexec sleep 30\n";
    QFile::setPermissions(QString::fromStdString(wrapper), QFile::ReadOwner | QFile::ExeOwner);
    TPlayerControl control;
    ASSERT_TRUE(control.Play(wrapper, "http://a.invalid/"));
    Pump(300);
    EXPECT_TRUE(control.Playing());
    control.Stop();
    EXPECT_TRUE(WaitFor([&] { return !control.Playing(); })) << "the wrapped player was stopped";

    const QString sleep = QStandardPaths::findExecutable("sleep");
    ASSERT_TRUE(QFile::copy(sleep, QString::fromStdString(copy)));
    plat::PROCESS player = 0;
    ASSERT_GE(p.StartProcess(copy, {"30"}, plat::SW_SHOWNORMAL, &player), 32u);
    const plat::DWORD pid = p.ProcessIdOf(player);
    EXPECT_TRUE(WaitFor([&] { return Has(p.ProcessesOfProgram(copy), pid); }));
    ASSERT_TRUE(QFile::remove(QString::fromStdString(copy)));  // as a package upgrade does
    ASSERT_TRUE(QFile::copy(sleep, QString::fromStdString(copy)));
    EXPECT_TRUE(Has(p.ProcessesOfProgram(copy), pid));
    EXPECT_TRUE(p.CloseProcessWindows(player));
    EXPECT_TRUE(p.ProcessHasEnded(player, 5000));
    p.ReleaseProcess(player);
}

// Each of the Linux players' lines gives the player the address as one argument, after
// "--" where the player reads it, whatever the address holds; its output goes nowhere.
TEST_F(QtPrograms, EveryPlayerGetsTheAddressAsOneArgument) {
    const std::string player = std::string(ZEL_TEST_BIN) + "/zel-test-player";
    struct Line {
        const char* file;
        std::vector<std::string> before;
    };
    const char* const mpvReconnect =
        "--stream-lavf-o=reconnect=1,reconnect_at_eof=1,reconnect_streamed=1,reconnect_delay_max=5";
    const Line lines[] = {{"mpv", {mpvReconnect, "--"}},
                          {"vlc", {"--one-instance", "--intf=qt,dummy", "--http-reconnect", "--"}},
                          {"audacious", {}},
                          {"cvlc", {"--http-reconnect", "--"}}};
    for (const auto& line : lines) {
        const std::string as = dir() + "/" + line.file;
        QFile::link(QString::fromStdString(player), QString::fromStdString(as));
        for (const char* address :
             {"http://a.example/x --script=\\\\host\\share\\p.lua", "/music/Live set.mp3", "-v",
              "http://x/ :sout=#std{access=file,dst=/tmp/x}", "a\"b\\\""}) {
            std::filesystem::remove(RecordDir() + "/player");
            TPlayerControl control;
            ASSERT_TRUE(control.Play(as, address));
            ASSERT_TRUE(WaitFor([&] { return !Record("player-output").empty(); }));
            std::vector<std::string> want = line.before;
            want.push_back(address);
            std::string recorded;
            for (const auto& a : want) recorded += a + "\n";
            // mpv's channel is a socket named anew at each start.
            std::string got = Record("player");
            const auto ipc = got.find("--input-ipc-server=");
            if (ipc != std::string::npos) got.erase(ipc, got.find('\n', ipc) + 1 - ipc);
            EXPECT_EQ(got, recorded) << line.file;
            EXPECT_EQ(Record("player-output"), "/dev/null\n");
            std::filesystem::remove(RecordDir() + "/player-output");
        }
    }
}

TEST_F(QtPrograms, TheSaveDialogAddsTheDefaultExtensionToANameTypedWithoutOne) {
    plat::OpenFileRequest request;
    request.title = "Export Stations";
    request.filter = "Playlists|*.m3u8|All Files|*.*";
    request.initialDir = dir();
    request.defaultExt = "m3u8";
    XdoLater({"sleep", "1.5", "type", "--delay", "30", "mine"});
    XdoLater({"sleep", "2.6", "key", "Return"});
    ASSERT_TRUE(platform().GetSaveFileNameA(request));
    EXPECT_EQ(request.fileName, dir() + "/mine.m3u8");
}

}  // namespace
