// Other programs' processes: found by their program file, asked to end.
#include <sys/types.h>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <csignal>

#include "platform/qt/mpris.h"
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
        if (!number) continue;
        if (QFileInfo("/proc/" + entry + "/exe").symLinkTarget() == program) found.push_back(pid);
    }
    return found;
}

Mpris& QtPlatform::Players() {
    if (!mpris_)
        mpris_ = std::make_unique<Mpris>([this](DWORD pid) {
            if (nowPlayingWindow_) PostMessageA(nowPlayingWindow_, nowPlayingMessage_, pid, 0);
        });
    return *mpris_;
}

// A player is stopped through its MPRIS interface; one without it is asked to end as
// the desktop asks a program at logout.
BOOL QtPlatform::CloseProcessWindows(DWORD processId) {
    if (processId == 0 || processId == static_cast<DWORD>(QCoreApplication::applicationPid()))
        return 0;
    if (Players().Stop(processId)) return 1;
    return ::kill(static_cast<pid_t>(processId), SIGTERM) == 0 ? 1 : 0;
}

// Another program's windows are the window manager's: only a player that can raise
// itself is raised.
BOOL QtPlatform::RaiseProcessWindow(DWORD processId) {
    return Players().Raise(processId) ? 1 : 0;
}

std::optional<std::string> QtPlatform::NowPlayingTitle(DWORD processId) {
    return Players().Title(processId);
}

void QtPlatform::WatchNowPlaying(HWND window, UINT message) {
    nowPlayingWindow_ = window;
    nowPlayingMessage_ = message;
    Players();
}

}  // namespace qtb
