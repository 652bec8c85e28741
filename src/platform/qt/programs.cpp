// Other programs' processes: found by their program file, asked to end.
#include <sys/types.h>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <csignal>

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

// Without a window of its own to close, the player is asked to end as the desktop asks
// a program at logout. (Its MPRIS interface, where it has one, is the gentler way.)
BOOL QtPlatform::CloseProcessWindows(DWORD processId) {
    if (processId == 0 || processId == static_cast<DWORD>(QCoreApplication::applicationPid()))
        return 0;
    return ::kill(static_cast<pid_t>(processId), SIGTERM) == 0 ? 1 : 0;
}

// Another program's windows are the window manager's; without a way to reach the
// program itself there is nothing to raise.
BOOL QtPlatform::RaiseProcessWindow(DWORD) {
    return 0;
}

}  // namespace qtb
