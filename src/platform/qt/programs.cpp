// Other programs' processes: found by their program file, asked to end.
#include <sys/types.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <climits>
#include <csignal>

#include "platform/qt/mpris.h"
#include "platform/qt/pinned.h"
#include "platform/qt/qt_platform.h"

namespace qtb {

namespace {

// The program file as the processes' links name it: found on the PATH when it is a
// bare name, with its links resolved.
QString Canonical(const std::string& programFile) {
    QString file = QString::fromStdString(programFile);
    if (!file.contains('/')) file = QStandardPaths::findExecutable(file);
    return file.isEmpty() ? QString() : QFileInfo(file).canonicalFilePath();
}

// What /proc/<pid>/exe names: the program file, with " (deleted)" after it when the
// file has been replaced since the process started (an upgrade of the player).
QString ExeOf(const QString& pid) {
    char target[PATH_MAX];
    const QByteArray link = QFile::encodeName("/proc/" + pid + "/exe");
    const ssize_t n = ::readlink(link.constData(), target, sizeof target);
    if (n <= 0) return {};
    QString exe = QFile::decodeName(QByteArray(target, static_cast<int>(n)));
    if (exe.endsWith(" (deleted)")) exe.chop(10);
    return exe;
}

}  // namespace

// Every process whose /proc/<pid>/exe is the program; those of other users that cannot
// be looked at are passed over.
std::vector<DWORD> QtPlatform::ProcessesOfProgram(const std::string& programFile) {
    std::vector<DWORD> found;
    const QString program = Canonical(programFile);
    if (program.isEmpty()) return found;
    const QStringList entries = QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        bool number = false;
        const DWORD pid = entry.toUInt(&number);
        if (number && ExeOf(entry) == program) found.push_back(pid);
    }
    return found;
}

std::vector<DWORD> QtPlatform::ProcessesPlaying(const std::string& address) {
    return Players().Playing(address);
}

Mpris& QtPlatform::Players() {
    if (!mpris_)
        mpris_ = std::make_unique<Mpris>(bus_->Answers(), [this](DWORD pid) {
            if (nowPlayingWindow_) PostMessageA(nowPlayingWindow_, nowPlayingMessage_, pid, 0);
        });
    return *mpris_;
}

// A player is stopped through its MPRIS interface; one without it is asked to end as
// the desktop asks a program at logout, through its pidfd, so that no other process
// can be reached.
BOOL QtPlatform::CloseProcessWindows(plat::PROCESS process) {
    const DWORD pid = ProcessIdOf(process);
    if (pid == 0 || ProcessHasEnded(process, 0) ||
        pid == static_cast<DWORD>(QCoreApplication::applicationPid()))
        return 0;
    if (Players().Stop(pid)) return 1;
    return pinned_->Signal(process, SIGTERM) ? 1 : 0;
}

// Another program's windows are the window manager's: only a player that can raise
// itself is raised.
BOOL QtPlatform::RaiseProcessWindow(plat::PROCESS process) {
    if (ProcessHasEnded(process, 0)) return 0;
    return Players().Raise(ProcessIdOf(process)) ? 1 : 0;
}

std::optional<std::string> QtPlatform::NowPlayingTitle(plat::PROCESS process) {
    if (ProcessHasEnded(process, 0)) return std::string();
    return Players().Title(ProcessIdOf(process));
}

void QtPlatform::WatchNowPlaying(HWND window, UINT message) {
    nowPlayingWindow_ = window;
    nowPlayingMessage_ = message;
    Players();
}

}  // namespace qtb
