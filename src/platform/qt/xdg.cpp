#include "platform/qt/xdg.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>
#include <cstdlib>

namespace qtb::xdg {

namespace {

// An environment variable that names an absolute path; freedesktop.org's
// base-directory rules ignore any other value.
std::string AbsoluteFrom(const char* variable, const std::string& fallback) {
    const char* value = std::getenv(variable);
    return value && value[0] == '/' ? std::string(value) : fallback;
}

// xdg-user-dir reads one small file; one that takes longer than this is ended.
constexpr int kAskMs = 3000;

}  // namespace

std::string Home() {
    return AbsoluteFrom("HOME", QDir::homePath().toStdString());
}

std::string ConfigHome() {
    return AbsoluteFrom("XDG_CONFIG_HOME", Home() + "/.config");
}

std::string DataHome() {
    return AbsoluteFrom("XDG_DATA_HOME", Home() + "/.local/share");
}

std::vector<std::string> DataDirs() {
    std::vector<std::string> dirs;
    const char* value = std::getenv("XDG_DATA_DIRS");
    for (const QString& dir : QString(value ? value : "").split(':', Qt::SkipEmptyParts))
        if (dir.startsWith('/')) dirs.push_back(dir.toStdString());
    if (dirs.empty()) dirs = {"/usr/local/share", "/usr/share"};
    return dirs;
}

std::string ProgramDataDir(const std::string& programDir) {
    const QString dir = QString::fromStdString(programDir);
    QStringList candidates{dir, QDir::cleanPath(dir + "/../share/zelvora")};
    for (const std::string& data : DataDirs())
        candidates << QString::fromStdString(data + "/zelvora");
    for (const QString& candidate : candidates)
        if (QFileInfo::exists(candidate + "/zelvora.html")) return candidate.toStdString();
    return programDir;
}

std::string DefaultUserDir(const std::string& name) {
    QString folder = QString::fromStdString(name).toLower();
    if (!folder.isEmpty()) folder[0] = folder[0].toUpper();
    return Home() + "/" + folder.toStdString();
}

void AskUserDir(const std::string& name, QObject* context,
                std::function<void(const std::string&)> then) {
    auto* process = new QProcess(context);
    QObject::connect(process, &QProcess::finished, process,
                     [process, then = std::move(then)](int exitCode, QProcess::ExitStatus status) {
                         process->deleteLater();
                         if (status != QProcess::NormalExit || exitCode != 0) return;
                         const std::string dir = QString::fromLocal8Bit(
                             process->readAllStandardOutput()).trimmed().toStdString();
                         if (!dir.empty() && dir[0] == '/') then(dir);
                     });
    QObject::connect(process, &QProcess::errorOccurred, process, [process](auto error) {
        if (error == QProcess::FailedToStart) process->deleteLater();
    });
    QTimer::singleShot(kAskMs, process, [process] { process->kill(); });
    process->start("xdg-user-dir", {QString::fromStdString(name)});
}

bool MakePath(const std::string& dir) {
    return QDir().mkpath(QString::fromStdString(dir));
}

}  // namespace qtb::xdg
