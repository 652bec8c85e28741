// The help viewer: the help file's HTML page in the user's web browser, at the topic's
// anchor. As on Windows, a contents request waits for the message loop, and a jump
// that follows at once replaces it, so that one request for a topic opens one page.
// The browser is given the address itself: xdg-open would drop the anchor.
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>
#include <QTimer>
#include <QUrl>
#include <cstdlib>

#include "platform/help_page.h"
#include "platform/qt/desktop_entry.h"
#include "platform/qt/input_filter.h"
#include "platform/qt/qt_platform.h"

namespace qtb {

namespace {

// Starts the command's words with the address in place of the field codes (or after
// them when there is none); false when the program is not there.
bool StartWith(QStringList words, const QString& url) {
    bool placed = false;
    QStringList args;
    for (QString& w : words) {
        if (w == "%u" || w == "%U" || w == "%f" || w == "%F" || w == "%s") {
            args << url;
            placed = true;
        } else if (w.startsWith('%') && w.size() == 2) {
            continue;  // %i, %c, %k: nothing of ours to put there
        } else {
            args << w.replace("%%", "%");
        }
    }
    if (args.isEmpty()) return false;
    if (!placed) args << url;
    const QString program = QStandardPaths::findExecutable(args.takeFirst());
    return !program.isEmpty() && QProcess::startDetached(program, args);
}

// $BROWSER: a list of commands separated by colons, the first that starts wins.
bool OpenInBrowserVariable(const QString& url) {
    const QString browsers = qEnvironmentVariable("BROWSER");
    for (const QString& command : browsers.split(':', Qt::SkipEmptyParts))
        if (StartWith(QProcess::splitCommand(command), url)) return true;
    return false;
}

// The browser of the desktop entry, by its Exec line.
bool OpenWithEntry(const QString& id, const QString& url) {
    const QString entry = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, id);
    QFile file(entry);
    if (id.isEmpty() || entry.isEmpty() || !file.open(QIODevice::ReadOnly)) return false;
    QTextStream in(&file);
    bool main = false;
    for (int lines = 0; !in.atEnd() && lines < 10000; ++lines) {
        const QString line = in.readLine();
        if (line.startsWith('[')) main = line == "[Desktop Entry]";
        if (!main || !line.startsWith("Exec=")) continue;
        QStringList words;
        for (const auto& w : SplitExec(UnescapeValue(line.mid(5).toStdString())))
            words << QString::fromStdString(w);
        return StartWith(words, url);
    }
    return false;
}

// The desktop's default web browser, as xdg-settings names it (a shell script that may
// take a while): asked without waiting, and the page opened when it answers; Qt's own
// way when it cannot tell or takes over 3 s.
void OpenInDefaultBrowser(const QString& url, QObject* context) {
    auto* settings = new QProcess(context);
    auto fallback = [url] { QDesktopServices::openUrl(QUrl(url)); };
    QObject::connect(settings, &QProcess::finished, settings,
                     [settings, url, fallback](int exitCode, QProcess::ExitStatus status) {
                         settings->deleteLater();
                         const QString id =
                             QString::fromLocal8Bit(settings->readAllStandardOutput()).trimmed();
                         if (status != QProcess::NormalExit || exitCode != 0 ||
                             !OpenWithEntry(id, url))
                             fallback();
                     });
    QObject::connect(settings, &QProcess::errorOccurred, settings,
                     [settings, fallback](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart) return;
                         settings->deleteLater();
                         fallback();
                     });
    QTimer::singleShot(3000, settings, [settings] { settings->kill(); });
    settings->start("xdg-settings", {"get", "default-web-browser"});
}

}  // namespace

void QtPlatform::OpenHelpPage(const std::string& page, const std::string& topic) {
    const QString url = QString::fromStdString(plat::HelpPageUrl(page, topic));
    if (!OpenInBrowserVariable(url)) OpenInDefaultBrowser(url, poster_.get());
}

BOOL QtPlatform::WinHelpA(HWND, const std::string& helpFile, UINT command, std::uintptr_t data) {
    const std::string page = plat::HelpPageFor(helpFile, ProgramDataDirectory() + "/");
    if (!QFileInfo(QString::fromStdString(page)).isFile()) {
        lastError_ = plat::ERROR_FILE_NOT_FOUND;
        return 0;
    }
    switch (command) {
        case plat::HELP_CONTENTS:
            pendingPage_ = page;
            if (!pendingContents_) {
                pendingContents_ = std::make_unique<QTimer>();
                pendingContents_->setSingleShot(true);
                QObject::connect(pendingContents_.get(), &QTimer::timeout, pendingContents_.get(),
                                 [this] {
                                     const std::string contents = std::exchange(pendingPage_, {});
                                     try {
                                         if (!contents.empty()) OpenHelpPage(contents, "");
                                     } catch (...) {
                                         // Nothing may unwind through Qt's timer.
                                     }
                                 });
            }
            pendingContents_->start(0);
            return 1;
        case plat::HELP_COMMAND: {
            const auto topic =
                data ? plat::JumpTopic(reinterpret_cast<const char*>(data)) : std::nullopt;
            if (!topic) return 0;
            pendingPage_.clear();
            OpenHelpPage(page, *topic);
            return 1;
        }
        case plat::HELP_QUIT:
            pendingPage_.clear();
            return 1;
        default:
            return 0;
    }
}

}  // namespace qtb
