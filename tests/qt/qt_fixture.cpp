#include "qt/qt_fixture.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>
#include <QWindow>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "platform/qt/qt.h"

void QtTest::SetUp() {
    PlatformTest::SetUp();
    std::filesystem::create_directories(RecordDir());
    ::setenv("ZEL_RECORD", RecordDir().c_str(), 1);
}

void QtTest::Pump(int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

bool QtTest::WaitFor(const std::function<bool()>& condition, int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > milliseconds) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

bool QtTest::ShowAndWait(plat::HWND window) {
    platform().ShowWindow(window, plat::SW_SHOW);
    platform().SetForegroundWindow(window);
    QWidget* w = Widget(window);
    if (!w || !WaitFor([w] {
            return w->isVisible() && w->windowHandle() && w->windowHandle()->isExposed();
        }))
        return false;
    // The window manager may keep the focus where the last input went; a pager's
    // request for the window it always grants.
    if (!WaitFor([w] { return w->window()->isActiveWindow(); }, 1000))
        Xdo({"windowactivate", std::to_string(w->window()->winId()), "windowfocus",
             std::to_string(w->window()->winId())});
    const bool active = WaitFor([w] { return w->window()->isActiveWindow(); });
    Pump(150);
    return active;
}

void QtTest::Xdo(const std::vector<std::string>& args) {
    QStringList list;
    for (const auto& a : args) list << QString::fromStdString(a);
    QProcess xdo;
    xdo.start("xdotool", list);
    // The events come while the loop runs on; xdotool itself waits for nothing of ours.
    WaitFor([&xdo] { return xdo.state() == QProcess::NotRunning; }, 10000);
    Pump(80);
}

void QtTest::ClickAt(QPoint global, int button) {
    Xdo({"mousemove", std::to_string(global.x()), std::to_string(global.y()), "sleep", "0.1",
         "click", std::to_string(button)});
}

void QtTest::Click(plat::HWND window, QPoint at, int button) {
    QWidget* w = Widget(window);
    ASSERT_NE(w, nullptr);
    if (at.x() < 0) at = w->rect().center();
    ClickAt(OnScreen(w->mapToGlobal(at)), button);
}

// Qt's points are the screen's logical pixels; the X server's are the device's.
QPoint QtTest::OnScreen(QPoint global) {
    const qreal ratio = QGuiApplication::primaryScreen()->devicePixelRatio();
    return QPoint(qRound(global.x() * ratio), qRound(global.y() * ratio));
}

void QtTest::Keys(const std::vector<std::string>& keys) {
    std::vector<std::string> args{"key", "--delay", "60"};
    args.insert(args.end(), keys.begin(), keys.end());
    Xdo(args);
}

void QtTest::Type(const std::string& text) {
    Xdo({"type", "--delay", "40", text});
}

void QtTest::XdoLater(const std::vector<std::string>& args) {
    QStringList list;
    for (const auto& a : args) list << QString::fromStdString(a);
    auto* xdo = new QProcess;
    QObject::connect(xdo, &QProcess::finished, xdo, &QObject::deleteLater);
    xdo->start("xdotool", list);
}

namespace {

QString Output(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    process.waitForFinished(5000);
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

}  // namespace

std::vector<QRect> QtTest::WindowsOf(qint64 pid, bool visibleOnly) {
    QStringList search{"search"};
    if (visibleOnly) search << "--onlyvisible";
    search << "--pid" << QString::number(pid);
    std::vector<QRect> windows;
    for (const QString& id : Output("xdotool", search).split('\n', Qt::SkipEmptyParts)) {
        QRect r;
        for (const QString& line :
             Output("xdotool", {"getwindowgeometry", "--shell", id}).split('\n')) {
            const QStringList kv = line.split('=');
            if (kv.size() != 2) continue;
            const int v = kv[1].toInt();
            if (kv[0] == "X") r.moveLeft(v);
            if (kv[0] == "Y") r.moveTop(v);
            if (kv[0] == "WIDTH") r.setWidth(v);
            if (kv[0] == "HEIGHT") r.setHeight(v);
        }
        windows.push_back(r);
    }
    return windows;
}

// The tray runs along the top right of the screen; the program's other windows are
// larger or elsewhere.
QRect QtTest::IconInTray(qint64 pid) {
    for (const QRect& r : WindowsOf(pid))
        if (r.top() >= 0 && r.top() < 28 && r.width() > 0 && r.width() <= 48 && r.height() <= 48 &&
            r.left() > 600)
            return r;
    return {};
}

QWidget* QtTest::Widget(plat::HWND window) {
    return plat::qt::WidgetOf(window);
}

std::string QtTest::ShotPath(const std::string& name) {
    const char* out = std::getenv("ZEL_TEST_OUTPUT");
    if (!out || !*out) return {};
    std::filesystem::create_directories(out);
    // Runs at another scale keep their pictures beside the others'.
    const char* suffix = std::getenv("ZEL_SHOT_SUFFIX");
    return (std::filesystem::path(out) / (name + (suffix ? suffix : "") + ".png")).string();
}

void QtTest::Shot(plat::HWND window, const std::string& name) {
    const std::string path = ShotPath(name);
    if (path.empty()) return;
    Pump(200);
    EXPECT_TRUE(plat::qt::SaveWindowImage(window, path)) << path;
}

std::string QtTest::Record(const std::string& name) {
    std::ifstream in(RecordDir() + "/" + name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}
