// The platform object itself, and the process, locale and input-state calls.
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QStyleHints>
#include <QUrl>
#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "platform/command_line.h"
#include "platform/posix/text.h"
#include "platform/qt/appearance.h"
#include "platform/qt/desktop_notifier.h"
#include "platform/qt/input_filter.h"
#include "platform/qt/mpris.h"
#include "platform/qt/pinned.h"
#include "platform/qt/pulse_volume.h"
#include "platform/qt/qt.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/startup_trace.h"

// The program's icon lives in the backend's resources (the large sizes rendered from
// its SVG as the program is built, cmake/icons.cmake), which a static library must
// register itself (outside any namespace, as the macro wants).
static void InitResources() {
    Q_INIT_RESOURCE(zelvora);
    Q_INIT_RESOURCE(zelvora_icons);
}

namespace plat::qt {

std::unique_ptr<plat::Platform> MakePlatform(int& argc, char** argv) {
    return std::make_unique<qtb::QtPlatform>(argc, argv);
}

// Qt 6's: QGuiApplication's (the platform, its plugins, the first window's geometry,
// title and icon, right to left, the session to restore, which the session manager
// passes), QApplication's (style, style sheet, widget count) and those of the X11
// platform (display, instance name, visual, grabs). Each is also written with two dashes.
const std::vector<std::string>& ToolkitOptions() {
    static const std::vector<std::string> options{
        "-platform=",
        "-platformpluginpath=",
        "-platformtheme=",
        "-plugin=",
        "-qwindowgeometry=",
        "-geometry=",
        "-qwindowtitle=",
        "-title=",
        "-qwindowicon=",
        "-icon=",
        "-session=",
        "-style=",
        "-stylesheet=",
        "-display=",
        "-name=",
        "-visual=",
        "-qmljsdebugger=",
        "-reverse",
        "-testability",
        "-widgetcount",
        "-sync",
        "-nograb",
        "-dograb",
    };
    return options;
}

}  // namespace plat::qt

namespace qtb {

namespace {

constexpr UINT kStarted = 33;  // WinExec: anything from 32 up is success
constexpr LRESULT kShellOk = 42;
constexpr LRESULT SE_ERR_NOASSOC = 31;

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

bool IsProgram(const std::string& path) {
    QFileInfo info(Q(path));
    return info.isFile() && info.isExecutable();
}

// The program to start: a path as it is, a bare name from the PATH.
QString Resolve(const std::string& program) {
    if (program.find('/') != std::string::npos) return Q(program);
    return QStandardPaths::findExecutable(Q(program));
}

// What WinExec answers for a program that cannot be started.
UINT StartFailure(const QString& resolved) {
    if (resolved.isEmpty()) return plat::ERROR_FILE_NOT_FOUND;
    QFileInfo info(resolved);
    if (!info.exists())
        return info.dir().exists() ? plat::ERROR_FILE_NOT_FOUND : plat::ERROR_PATH_NOT_FOUND;
    return plat::ERROR_BAD_FORMAT;
}

// Started on its own, without a shell.
UINT Start(const plat::CommandLine& line) {
    const QString program = line.program.empty() ? QString() : Resolve(line.program);
    if (!IsProgram(program.toStdString())) return StartFailure(program);
    QStringList args;
    for (const auto& a : line.arguments) args << Q(a);
    if (!QProcess::startDetached(program, args, QString())) return plat::ERROR_BAD_FORMAT;
    return kStarted;
}

bool HasScheme(const std::string& address) {
    const QUrl url(Q(address));
    return url.isValid() && url.scheme().size() > 1;  // "C:" is a drive, not a scheme
}

}  // namespace

QtPlatform::QtPlatform(int& argc, char** argv)
    : bus_(std::make_unique<SessionBusProbe>()) {  // asks while Qt starts
    StartupMark("platform");
    if (!QApplication::instance()) {
        ownApp_ = std::make_unique<QApplication>(argc, argv);
        QApplication::setApplicationName("zelvora");
        QApplication::setDesktopFileName("zelvora");
    }
    // Closing a window only hides it; the program ends through its Exit command.
    StartupMark("QApplication made");
    QApplication::setQuitOnLastWindowClosed(false);
    InitResources();
    input_ = std::make_unique<InputFilter>(windows_);
    poster_ = std::make_unique<Poster>(windows_);
    qApp->installEventFilter(input_.get());
    QApplication::setWindowIcon(IconOf(LoadIconA("ZELVORA")));
    // Settled before the first window or tray icon, whose making Qt may have ask the bus.
    bus_->Answers();
}

QtPlatform::~QtPlatform() {
    if (qApp) qApp->removeEventFilter(input_.get());
    trayIcons_.clear();
    timers_.clear();
    channels_.clear();
    for (auto& [hwnd, w] : windows_.All())
        if (w->widget && w->widget->isWindow()) delete w->widget.data();
}

std::string QtPlatform::GetModuleFileNameA() {
    return QCoreApplication::applicationFilePath().toStdString();
}

void QtPlatform::ExitProcess(UINT exitCode) {
    // The tray host learns that the icon went away while the connection still stands.
    trayIcons_.clear();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    std::_Exit(static_cast<int>(exitCode));
}

UINT QtPlatform::WinExec(const std::string& commandLine, int) {
    return Start(plat::SplitCommandLine(commandLine, IsProgram));
}

// The player: a child of this program held by its pidfd (PinnedProcesses).
UINT QtPlatform::StartProcess(const std::string& program, const std::vector<std::string>& arguments,
                              int, plat::PROCESS* process) {
    if (process) *process = 0;
    const QString resolved = program.empty() ? QString() : Resolve(program);
    if (!IsProgram(resolved.toStdString())) return StartFailure(resolved);
    if (!pinned_) pinned_ = std::make_unique<PinnedProcesses>();
    int error = 0;
    const plat::PROCESS started = pinned_->Spawn(resolved.toStdString(), arguments, &error);
    if (!started) return error == ENOENT ? plat::ERROR_FILE_NOT_FOUND : plat::ERROR_BAD_FORMAT;
    if (process)
        *process = started;
    else
        pinned_->Release(started);
    return kStarted;
}

plat::PROCESS QtPlatform::OpenProcess(DWORD processId) {
    if (!pinned_) pinned_ = std::make_unique<PinnedProcesses>();
    return pinned_->Open(processId);
}

void QtPlatform::ReleaseProcess(plat::PROCESS process) {
    if (pinned_) pinned_->Release(process);
}

DWORD QtPlatform::ProcessIdOf(plat::PROCESS process) {
    return pinned_ ? pinned_->Id(process) : 0;
}

bool QtPlatform::ProcessHasEnded(plat::PROCESS process, UINT milliseconds) {
    return !pinned_ || pinned_->Ended(process, static_cast<int>(std::min(milliseconds, 60000u)));
}

std::optional<std::string> QtPlatform::GetEnvironmentVariableA(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    if (!value) return std::nullopt;
    return std::string(value);
}

LRESULT QtPlatform::ShellExecuteA(HWND, const std::string& operation, const std::string& file,
                                  const std::string& parameters, const std::string&, int) {
    if (!operation.empty() && operation != "open") return SE_ERR_NOASSOC;
    if (HasScheme(file))
        return QDesktopServices::openUrl(QUrl(Q(file))) ? kShellOk : SE_ERR_NOASSOC;
    QFileInfo info(Q(file));
    if (!info.exists()) return plat::ERROR_FILE_NOT_FOUND;
    // A program is started with the parameters; any other file opens in its program.
    if (info.isFile() && info.isExecutable()) {
        plat::CommandLine line{file, plat::SplitArguments(parameters)};
        return Start(line) >= 32 ? kShellOk : SE_ERR_NOASSOC;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath())) ? kShellOk
                                                                                   : SE_ERR_NOASSOC;
}

int QtPlatform::CompareStringA(DWORD flags, const std::string& a, const std::string& b) {
    const bool ignoreCase = flags & plat::NORM_IGNORECASE;
    std::unique_ptr<QCollator>& collator = collators_[ignoreCase ? 1 : 0];
    if (!collator) {
        collator = std::make_unique<QCollator>();  // the user's locale
        collator->setCaseSensitivity(ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive);
    }
    const int order = collator->compare(Q(a), Q(b));
    return order < 0   ? plat::CSTR_LESS_THAN
           : order > 0 ? plat::CSTR_GREATER_THAN
                       : plat::CSTR_EQUAL;
}

int QtPlatform::MultiByteToWideChar(UINT codePage, DWORD flags, const char* text, int length,
                                    char16_t* buffer, int bufferLength) {
    return plat::posix::MultiByteToWide(lastError_,
                                        codePage == plat::CP_ACP ? plat::CP_UTF8 : codePage, flags,
                                        text, length, buffer, bufferLength);
}

int QtPlatform::WideCharToMultiByte(UINT codePage, DWORD, const char16_t* text, int length,
                                    char* buffer, int bufferLength, BOOL* usedDefaultChar) {
    return plat::posix::WideToMultiByte(lastError_,
                                        codePage == plat::CP_ACP ? plat::CP_UTF8 : codePage, text,
                                        length, buffer, bufferLength, usedDefaultChar);
}

// ---- Input state ----------------------------------------------------------------------------

UINT QtPlatform::GetDoubleClickTime() {
    return static_cast<UINT>(QGuiApplication::styleHints()->mouseDoubleClickInterval());
}

BOOL QtPlatform::GetCursorPos(plat::POINT* point) {
    const QPoint p = QCursor::pos();
    if (point) *point = {p.x(), p.y()};
    return 1;
}

std::int16_t QtPlatform::GetKeyState(int virtualKey) {
    const Qt::KeyboardModifiers mods = QGuiApplication::queryKeyboardModifiers();
    const Qt::MouseButtons buttons = QGuiApplication::mouseButtons();
    bool down = false;
    switch (virtualKey) {
        case plat::VK_SHIFT:
            down = mods & Qt::ShiftModifier;
            break;
        case plat::VK_CONTROL:
            down = mods & Qt::ControlModifier;
            break;
        case plat::VK_MENU:
            down = mods & Qt::AltModifier;
            break;
        case plat::VK_LBUTTON:
            down = buttons & Qt::LeftButton;
            break;
        case plat::VK_RBUTTON:
            down = buttons & Qt::RightButton;
            break;
        case plat::VK_MBUTTON:
            down = buttons & Qt::MiddleButton;
            break;
        default:
            break;
    }
    return down ? static_cast<std::int16_t>(0x8000) : 0;
}

plat::POINT QtPlatform::GetScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen ? screen->geometry().size() : QSize(1024, 768);
    return {FromScreen(size.width()), FromScreen(size.height())};
}

}  // namespace qtb
