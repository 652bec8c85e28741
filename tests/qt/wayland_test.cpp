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
#include <QTimer>
#include <QApplication>
#include <functional>
#include <map>
#include <vector>
#include <algorithm>
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
    // Keys through a keyboard of wtype's own, which the seat has only while wtype
    // runs: its first key comes with the keyboard's arrival, as one already held down
    // that nobody sees pressed, so a Shift goes first. The events go on meanwhile, as
    // the compositor hands the keyboard over while the keys come.
    void Keys(const QStringList& keys) {
        QStringList args;
        for (const QString& key : keys) args << "-k" << key;
        Wtype(args);
    }
    void Wtype(const QStringList& keys) {
        const QStringList args = QStringList{"-d", "60", "-k", "Shift_L"} + keys;
        QProcess wtype;
        wtype.start("wtype", args);
        WaitFor([&] { return wtype.state() == QProcess::NotRunning; });
        Pump(300);
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
    // The rows of text of the menu the bar shows at the icon (white, within 260 pixels
    // left of it, where no window of the tests stands), from the top, in logical
    // pixels; none while there is no menu.
    std::vector<QPoint> MenuRows(QRect icon) {
        const QImage screen = Screen();
        const double scale = Scale(screen);
        auto white = [&](int x, int y) { return qGray(screen.pixel(x, y)) > 245; };
        QRect menu;
        for (int y = 0; y < screen.height(); y += 2)
            for (int x = std::max(0, int((icon.right() - 260) * scale)); x < screen.width(); x += 2)
                if (white(x, y)) menu |= QRect(x, y, 1, 1);
        std::vector<QPoint> rows;
        if (menu.width() < 40 * scale) return rows;
        int top = -1;
        for (int y = menu.top(); y <= menu.bottom() + 1; ++y) {
            bool text = false;
            for (int x = menu.left() + int(8 * scale); x < menu.right() - int(24 * scale) && !text; ++x)
                text = y <= menu.bottom() && qGray(screen.pixel(x, y)) < 160;
            if (text && top < 0) top = y;
            if (!text && top >= 0) {
                if (y - top >= 4 * scale)
                    rows.push_back(QPoint(int(menu.center().x() / scale), int((top + y) / 2 / scale)));
                top = -1;
            }
        }
        return rows;
    }
    // Opens the bar's menu at the icon and clicks its row counted from the top (from
    // the end when negative).
    bool ChooseFromMenu(QRect icon, int row) {
        ClickAt(icon.center(), "right");
        std::vector<QPoint> rows;
        if (!WaitFor([&] { return (rows = MenuRows(icon)).size() >= 3; }, 5000)) {
            Screen("no_menu");
            return false;
        }
        Pump(300);
        rows = MenuRows(icon);
        Screen("tray_menu");
        const int index = row < 0 ? int(rows.size()) + row : row;
        if (index < 0 || index >= int(rows.size())) return false;
        ClickAt(rows[index]);
        return true;
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
    // Runs then once when the condition holds, from within whatever loop runs then (a
    // modal window's).
    static void When(std::function<bool()> condition, std::function<void()> then) {
        auto* poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, poll, [poll, condition, then] {
            if (!condition()) return;
            poll->stop();
            poll->deleteLater();
            then();
        });
        poll->start(100);
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

    // From the end: Exit, then the last station.
    ASSERT_TRUE(ChooseFromMenu(icon, -2)) << "the bar opened no menu at the icon";
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

    // The about box runs its own loop: what is done to it is done from in there.
    bool aboutFixed = false, aboutFloats = false;
    When([] { return AboutBox->Visible(); },
         [&] {
             Pump(500);
             Screen("about_box");
             aboutFixed = FixedAtItsSize(AboutBox);
             aboutFloats = FloatingWindows().count(AboutBox->Caption()) == 1;
             Keys({"Escape"});
             // Closed in any case, or the test would wait in the box's loop for ever.
             if (!WaitFor([] { return !AboutBox->Visible(); }, 3000)) AboutBox->Close();
         });
    ClickAt(icon.center());
    ASSERT_TRUE(WaitFor([] { return RadioFloatWin->Visible() && !AboutBox->Visible(); }, 10000))
        << "no about box, or Escape left it open";
    EXPECT_TRUE(aboutFixed);
    EXPECT_TRUE(aboutFloats) << "the about box is tiled";
    Pump(300);
    Screen("floating_window");
    EXPECT_TRUE(FixedAtItsSize(RadioFloatWin));

    // The configuration window from the window's Configure menu, by its keys; it is
    // modal, so it too is looked at from within its loop.
    bool configFixed = false;
    QSize configSize, floated;
    When([] { return RadioForm->Visible(); },
         [&] {
             Pump(500);
             Screen("configuration_window");
             configFixed = FixedAtItsSize(RadioForm);
             configSize = plat::qt::WidgetOf(RadioForm->Handle())->size();
             const auto floating = FloatingWindows();
             if (floating.count(RadioForm->Caption())) floated = floating.at(RadioForm->Caption());
             Keys({"Return"});  // OK, the default button
             if (!WaitFor([] { return !RadioForm->Visible(); }, 3000)) RadioForm->Close();
         });
    Wtype({"-M", "alt", "-k", "c", "-m", "alt", "-k", "c"});
    ASSERT_TRUE(WaitFor([&] { return configSize.isValid() && !RadioForm->Visible(); }, 10000))
        << "no configuration window, or Enter left it open";
    EXPECT_TRUE(configFixed);
    EXPECT_EQ(floated, configSize) << "the configuration window is tiled, or not at its size";
}

// With no tray the window is the only way back: closing it, as the desktop closes a
// window, asks whether to exit, and No keeps it.
TEST_F(QtWaylandNoTray, ClosingTheWindowAsksWhetherToExit) {
    WriteSettings("[MainForm]\r\nShowWinAtStartCB=0\r\n");
    // The window shows at the start, and with it, the first time, the about box.
    When([] { return AboutBox && AboutBox->Visible(); },
         [&] {
             Pump(500);
             Keys({"Escape"});
             if (!WaitFor([] { return !AboutBox->Visible(); }, 3000)) AboutBox->Close();
         });
    Start();
    EXPECT_FALSE(platform().HasNotificationArea());
    ASSERT_TRUE(WaitFor([] { return RadioFloatWin->Visible(); })) << "no window at the start";
    Pump(500);
    bool asked = false;
    When([] { return QApplication::activeModalWidget() != nullptr; },
         [&] {
             asked = true;
             Pump(500);
             Screen("no_tray_question");
             Keys({"Escape"});  // No
             if (!WaitFor([] { return !QApplication::activeModalWidget(); }, 3000))
                 QApplication::activeModalWidget()->close();
         });
    QProcess::execute("swaymsg", {"[title=\"^Zelvora$\"]", "kill"});
    ASSERT_TRUE(WaitFor([&] { return asked && !QApplication::activeModalWidget(); }, 10000))
        << "no question, or Escape left it open";
    Pump(300);
    EXPECT_TRUE(RadioFloatWin->Visible());
}

}  // namespace
