// The program on a Wayland desktop (scripts/wl-session: sway, waybar's tray, a virtual
// mouse, wtype for keys), met as a person meets it there: the icon in the bar's tray,
// the menu the bar opens at it, the windows floating at their own size.
#include <QGuiApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QScreen>
#include <QApplication>
#include <functional>
#include <map>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/AboutUNIT.h"
#include "app/radiotoolbar.h"
#include "app/radiowin.h"
#include "gui/application.h"
#include "platform/qt/qt.h"
#include "qt/program_fixture.h"

namespace {

namespace fs = std::filesystem;

constexpr int kBarHeight = 28;  // as wl-session's bar has it

std::string Output(const char* program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(10000);
    return p.readAllStandardOutput().toStdString();
}

class QtWaylandDesktop : public QtProgram {
  protected:
    void SetUp() override {
        QtProgram::SetUp();
        if (QGuiApplication::platformName() != "wayland")
            GTEST_SKIP() << "not on Qt's Wayland platform";
    }

    // The virtual mouse of the session, in the screen's logical pixels.
    void Pointer(const std::string& command) {
        std::ofstream(std::getenv("ZEL_WL_POINTER")) << command << '\n';
        Pump(300);
    }
    void ClickAt(QPoint at, const char* button = "left") {
        Pointer("move " + std::to_string(at.x()) + " " + std::to_string(at.y()));
        Pointer(std::string("click ") + button);
    }
    void Keys(const QStringList& keys) {
        for (const QString& key : keys) {
            QProcess::execute("wtype", {"-k", key});
            Pump(200);
        }
    }
    // The whole screen as grim takes it, at the output's scale.
    QImage Screen(const std::string& name = "") {
        const std::string path = RecordDir() + "/screen.png";
        QProcess::execute("grim", {QString::fromStdString(path)});
        QImage image(QString::fromStdString(path));
        const std::string shot = name.empty() ? std::string() : ShotPath("wayland_" + name);
        if (!shot.empty()) image.save(QString::fromStdString(shot));
        return image;
    }
    double Scale(const QImage& screen) {
        return screen.width() / double(QGuiApplication::primaryScreen()->size().width());
    }
    // The icon in the bar's tray: what differs from the bar in its right half.
    QRect TrayIcon() {
        const QImage screen = Screen();
        if (screen.isNull()) return {};
        const double scale = Scale(screen);
        const QRgb bar = screen.pixel(screen.width() - 1, 1);
        QRect found;
        for (int y = 2; y < int(kBarHeight * scale) - 2; ++y)
            for (int x = screen.width() / 2; x < screen.width(); ++x)
                if (screen.pixel(x, y) != bar) found |= QRect(x, y, 1, 1);
        if (found.isEmpty()) return {};
        return QRect(int(found.x() / scale), int(found.y() / scale),
                     int(found.width() / scale) + 1, int(found.height() / scale) + 1);
    }
    // Whether the screen below the bar shows anything but the background around a point.
    bool ShowsBelowBar(QPoint near) {
        const QImage screen = Screen();
        const double scale = Scale(screen);
        const QRgb background = screen.pixel(screen.width() / 2, screen.height() - 2);
        int drawn = 0;
        const QRect area = QRect(near.x() - 200, kBarHeight + 2, 400, 80).intersected(
            QRect(0, 0, int(screen.width() / scale), int(screen.height() / scale)));
        for (int y = area.top(); y <= area.bottom(); y += 2)
            for (int x = area.left(); x <= area.right(); x += 2)
                if (screen.pixel(int(x * scale), int(y * scale)) != background) ++drawn;
        return drawn > 100;
    }
    // The windows sway floats, by title, with their size in logical pixels.
    std::map<std::string, QSize> FloatingWindows() {
        std::map<std::string, QSize> out;
        const auto tree = QJsonDocument::fromJson(
            QByteArray::fromStdString(Output("swaymsg", {"-t", "get_tree", "-r"})));
        std::function<void(const QJsonObject&)> walk = [&](const QJsonObject& node) {
            for (const auto& f : node["floating_nodes"].toArray()) {
                const QJsonObject w = f.toObject();
                const QJsonObject r = w["window_rect"].toObject();
                out[w["name"].toString().toStdString()] = QSize(r["width"].toInt(), r["height"].toInt());
            }
            for (const auto& n : node["nodes"].toArray()) walk(n.toObject());
        };
        walk(tree.object());
        return out;
    }
    static bool FixedAtItsSize(TForm* form) {
        QWidget* w = plat::qt::WidgetOf(form->Handle());
        return w && w->minimumSize() == w->maximumSize() && w->minimumSize() == w->size();
    }
};

class QtWayland : public QtWaylandDesktop {};
class QtWaylandNoTray : public QtWaylandDesktop {};

TEST_F(QtWayland, TheIconIsInTheBarsTrayAndTheMenuTheBarOpensPlaysAStation) {
    SeedWindowsStations({{"Jazz", "http://jazz.invalid/"}, {"Rock FM", "http://rock.invalid/"}});
    WriteSettings("[MainForm]\r\nShowWinAtStartCB=0\r\n");
    EXPECT_FALSE(TrayIcon().isValid()) << "the bar's tray holds an icon before the start";
    Start();
    QRect icon;
    ASSERT_TRUE(WaitFor([&] { return (icon = TrayIcon()).isValid(); }, 10000))
        << "no icon in the bar's tray";
    EXPECT_TRUE(platform().HasNotificationArea());

    ClickAt(icon.center(), "right");
    ASSERT_TRUE(WaitFor([&] { return ShowsBelowBar(icon.center()); }, 5000))
        << "the bar opened no menu at the icon";
    Screen("tray_menu");
    // From the end: Exit, then the last station.
    Keys({"Up", "Up", "Return"});
    ASSERT_TRUE(WaitFor([this] { return !Record("player").empty(); }));
    EXPECT_EQ(Record("player"), "http://rock.invalid/\n");
}

TEST_F(QtWayland, TheWindowsFloatAtTheirSizeAndTakeEnterAndEscape) {
    SeedWindowsStations({{"Jazz", "http://jazz.invalid/"}});
    WriteSettings("[MainForm]\r\nShowWinAtStartCB=0\r\n");
    Start();
    RadioForm->AboutShown = false;  // the first showing of the window brings the about box
    QRect icon;
    ASSERT_TRUE(WaitFor([&] { return (icon = TrayIcon()).isValid(); }, 10000));

    ClickAt(icon.center());
    ASSERT_TRUE(WaitFor([] { return AboutBox->Visible() && RadioFloatWin->Visible(); }));
    Pump(500);
    Screen("about_box");
    EXPECT_TRUE(FixedAtItsSize(AboutBox));
    EXPECT_EQ(FloatingWindows().count(AboutBox->Caption()), 1u) << "the about box is tiled";
    Keys({"Escape"});
    ASSERT_TRUE(WaitFor([] { return !AboutBox->Visible(); })) << "Escape left the about box open";
    Pump(300);
    Screen("floating_window");
    EXPECT_TRUE(FixedAtItsSize(RadioFloatWin));

    // The configuration window from the first item of the tray menu.
    ClickAt(icon.center(), "right");
    ASSERT_TRUE(WaitFor([&] { return ShowsBelowBar(icon.center()); }, 5000));
    Keys({"Down", "Return"});
    ASSERT_TRUE(WaitFor([] { return RadioForm->Visible(); }));
    Pump(500);
    Screen("configuration_window");
    EXPECT_TRUE(FixedAtItsSize(RadioForm));
    const auto floating = FloatingWindows();
    ASSERT_EQ(floating.count(RadioForm->Caption()), 1u) << "the configuration window is tiled";
    EXPECT_EQ(floating.at(RadioForm->Caption()), plat::qt::WidgetOf(RadioForm->Handle())->size());
    Keys({"Return"});  // OK, the default button
    EXPECT_TRUE(WaitFor([] { return !RadioForm->Visible(); })) << "Enter left the window open";
}

// With no tray the window is the only way back: closing it, as the desktop closes a
// window, asks whether to exit, and No keeps it.
TEST_F(QtWaylandNoTray, ClosingTheWindowAsksWhetherToExit) {
    WriteSettings("[MainForm]\r\nShowWinAtStartCB=0\r\n");
    Start();
    EXPECT_FALSE(platform().HasNotificationArea());
    ASSERT_TRUE(WaitFor([] { return RadioFloatWin->Visible(); })) << "no window at the start";
    Pump(500);
    QProcess::execute("swaymsg", {"[title=\"^Zelvora$\"]", "kill"});
    ASSERT_TRUE(WaitFor([] { return QApplication::activeModalWidget() != nullptr; }))
        << "no question";
    Pump(500);
    Screen("no_tray_question");
    Keys({"Escape"});  // No
    EXPECT_TRUE(WaitFor([] { return QApplication::activeModalWidget() == nullptr; }));
    Pump(300);
    EXPECT_TRUE(RadioFloatWin->Visible());
}

}  // namespace
