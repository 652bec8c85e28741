// The Linux program speaks its desktop's words and keeps its habits: the menus, boxes
// and dialogs of the real windows, the tray icon's tip, the file dialogs' filters, the
// large icons, and the program's answers to --help, --version and options it does not
// know, run as a person runs it from a terminal.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/radiotoolbar.h"
#include "app/radiowin.h"
#include "gui/application.h"
#include "qt/program_fixture.h"

namespace {

using Texts = std::vector<std::string>;

// The words of the Windows program that a Linux desktop has others for.
const char* const kWindowsWords[] = {"RealAudio",         "raplayer",   ".exe",
                                     "windows directory", "Start Menu", "Startup"};

class QtWords : public QtProgram {
  protected:
    // Hands each modal window, as it comes up, to the next of the steps; each step
    // closes its window. Runs the action, whose modal loops they end.
    void WithModals(std::vector<std::function<void(QWidget*)>> steps,
                    const std::function<void()>& action) {
        auto* poll = new QTimer;
        std::size_t next = 0;
        QWidget* last = nullptr;
        QObject::connect(poll, &QTimer::timeout, poll, [&, poll] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal == last || !modal->isVisible() || next >= steps.size()) return;
            last = modal;
            steps[next++](modal);
        });
        poll->start(50);
        action();
        delete poll;
        EXPECT_EQ(next, steps.size()) << "fewer windows came up than expected";
    }
    // What the screen shows there, for a person to look at, in $ZEL_TEST_OUTPUT.
    void ShotOfScreen(const QRect& area, const std::string& name) {
        const char* out = std::getenv("ZEL_TEST_OUTPUT");
        if (!out || !*out) return;
        std::filesystem::create_directories(out);
        const QRect r = area.adjusted(-4, -4, 4, 4);
        QGuiApplication::primaryScreen()
            ->grabWindow(0, r.x(), r.y(), r.width(), r.height())
            .save(QString::fromStdString(std::string(out) + "/" + name + ".png"));
    }
    // The filters and title of a file dialog, which it then cancels.
    std::function<void(QWidget*)> ReadDialog(QString& title, QStringList& filters) {
        return [&title, &filters](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr) << modal->metaObject()->className();
            title = dialog->windowTitle();
            filters = dialog->nameFilters();
            dialog->reject();
        };
    }
    // The finished program's exit status, what it wrote to stdout and to stderr, run
    // without any display: what it answers needs none.
    struct Run {
        int status = -1;
        std::string out, err;
    };
    Run RunProgram(const QStringList& args) {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        env.insert("QT_QPA_PLATFORM", "xcb");
        program.setProcessEnvironment(env);
        program.start(ZEL_PROGRAM, args);
        Run run;
        if (!program.waitForFinished(10000)) {
            program.kill();
            program.waitForFinished(1000);
            return run;
        }
        run.status = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
        run.out = program.readAllStandardOutput().toStdString();
        run.err = program.readAllStandardError().toStdString();
        return run;
    }
};

Texts ActionTexts(const QList<QAction*>& actions) {
    Texts texts;
    for (QAction* a : actions)
        if (!a->isSeparator()) texts.push_back(a->text().toStdString());
    return texts;
}

TEST_F(QtWords, TheWindowsMenusAndBoxesSpeakTheLinuxDesktopsWords) {
    WriteSettings("[MainForm]\r\nShowWinAtStartCB=0\r\n");
    Start();
    RadioFloatWin->Show();
    ASSERT_TRUE(ShowAndWait(RadioFloatWin->Handle()));
    auto* bar = Widget(RadioFloatWin->Handle())->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    Texts menus;
    for (QAction* top : bar->actions()) {
        ASSERT_NE(top->menu(), nullptr) << top->text().toStdString();
        for (const std::string& text : ActionTexts(top->menu()->actions())) menus.push_back(text);
    }
    EXPECT_NE(std::find(menus.begin(), menus.end(), "&Open Player Window"), menus.end());
    EXPECT_NE(std::find(menus.begin(), menus.end(), "Choose Player..."), menus.end());
    // Each menu open below its window, for a person to read.
    for (int i : {0, 1}) {
        QAction* top = bar->actions()[i];
        bar->setActiveAction(top);
        QMenu* menu = top->menu();
        ASSERT_TRUE(WaitFor([menu] {
            return menu->isVisible() && menu->windowHandle() && menu->windowHandle()->isExposed();
        }));
        Pump(200);
        ShotOfScreen(Widget(RadioFloatWin->Handle())->frameGeometry().united(menu->geometry()),
                     i == 0 ? "qt_floating_window_file_menu" : "qt_floating_window_configure_menu");
        menu->hide();
        Pump(100);
    }

    RadioForm->Show();
    ASSERT_TRUE(ShowAndWait(RadioForm->Handle()));
    Texts boxes;
    for (QCheckBox* box : Widget(RadioForm->Handle())->findChildren<QCheckBox*>())
        boxes.push_back(box->text().toStdString());
    for (const char* word : {"Applications Menu", "Desktop", "Start at Login"})
        EXPECT_NE(std::find(boxes.begin(), boxes.end(), word), boxes.end()) << word;
    // Each box shows its whole caption.
    for (QCheckBox* box : Widget(RadioForm->Handle())->findChildren<QCheckBox*>())
        EXPECT_GE(box->width(), box->sizeHint().width()) << box->text().toStdString();
    Shot(RadioForm->Handle(), "qt_configuration_window_words");

    Texts all = menus;
    all.insert(all.end(), boxes.begin(), boxes.end());
    for (const std::string& text : all)
        for (const char* windows : kWindowsWords)
            EXPECT_EQ(text.find(windows), std::string::npos) << windows << " in: " << text;
}

// The message names the players of this desktop, the dialog asks for a player, and a
// player that cannot be started says where to choose another.
TEST_F(QtWords, ChoosingThePlayerAndItsFailureNameTheLinuxPlayers) {
    SeedWindowsStations({{"Jazz", "http://jazz.invalid/"}});
    WriteSettings("[MainForm]\r\nShowWinAtStartCB=0\r\n");
    Start();
    QString prompt, title, failure;
    QStringList filters;
    WithModals({[&](QWidget* modal) {
                    auto* box = qobject_cast<QMessageBox*>(modal);
                    ASSERT_NE(box, nullptr);
                    prompt = box->text();
                    box->accept();
                },
                ReadDialog(title, filters)},
               [] { RadioFloatWin->ConfigureRealAudioLocation1->Click(); });
    EXPECT_TRUE(prompt.contains("mpv, VLC or Audacious")) << prompt.toStdString();
    EXPECT_EQ(title.toStdString(), "Choose Player");
    EXPECT_EQ(filters, (QStringList{"Applications (*)", "All Files (*)"}));

    RadioForm->RealAudioLoc = Home() + "/no-such-player";
    WithModals({[&](QWidget* modal) {
                   auto* box = qobject_cast<QMessageBox*>(modal);
                   ASSERT_NE(box, nullptr);
                   failure = box->text();
                   box->accept();
               }},
               [] { RadioForm->LaunchStation("Jazz"); });
    EXPECT_TRUE(failure.contains("\"Choose Player...\" from the Configure menu"))
        << failure.toStdString();
    for (const QString& text : {prompt, title, failure})
        for (const char* windows : kWindowsWords)
            EXPECT_FALSE(text.contains(windows)) << windows << " in: " << text.toStdString();
}

TEST_F(QtWords, EachFileDialogFilterHasOneListOfPatterns) {
    WriteSettings("[MainForm]\r\nShowWinAtStartCB=0\r\n");
    Start();
    QString title;
    QStringList filters;
    WithModals({ReadDialog(title, filters)}, [] { RadioFloatWin->ImportStations1->Click(); });
    EXPECT_EQ(filters, (QStringList{"Playlists (*.m3u *.m3u8 *.pls *.txt)", "All Files (*)"}));
    WithModals({ReadDialog(title, filters)}, [] { RadioFloatWin->ExportStations1->Click(); });
    EXPECT_EQ(filters, (QStringList{"Playlist in UTF-8 (*.m3u8)", "Playlist (*.m3u)"}));
}

// The tip shows where a person rests the mouse on the docked icon.
TEST_F(QtWords, TheTrayIconsTipSaysZelvoraWhileNothingPlays) {
    WriteSettings("[MainForm]\r\nShowWinAtStartCB=0\r\n");
    Start();
    QRect icon;
    ASSERT_TRUE(WaitFor([&] {
        return (icon = IconInTray(QCoreApplication::applicationPid())).isValid();
    })) << "the icon did not dock in the tray";
    Xdo({"mousemove", std::to_string(icon.center().x() - 2), std::to_string(icon.center().y()),
         "sleep", "0.1", "mousemove", std::to_string(icon.center().x()),
         std::to_string(icon.center().y())});
    QString tip;
    EXPECT_TRUE(WaitFor([&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->inherits("QTipLabel") && w->isVisible()) tip = qobject_cast<QLabel*>(w)->text();
        return !tip.isEmpty();
    })) << "no tip came up";
    EXPECT_EQ(tip.toStdString(), "Zelvora");
}

// The large sizes are the picture drawn at that size, not the 32 pixels enlarged: its
// edges are smooth, so the picture has colours between its own.
TEST_F(QtWords, TheProgramsLargeIconsAreRenderedFromItsDrawing) {
    const QIcon icon = QApplication::windowIcon();
    const QList<QSize> sizes = icon.availableSizes();
    for (int size : {32, 48, 64, 128, 256}) EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
    const QImage large = icon.pixmap(QSize(256, 256)).toImage();
    ASSERT_EQ(large.size(), QSize(256, 256));
    // Enlarged by whole pixels, every 8x8 block would be one colour.
    int blocksOfManyColours = 0;
    for (int y = 0; y < 256; y += 8)
        for (int x = 0; x < 256; x += 8) {
            const QRgb first = large.pixel(x, y);
            bool many = false;
            for (int dy = 0; dy < 8 && !many; ++dy)
                for (int dx = 0; dx < 8 && !many; ++dx) many = large.pixel(x + dx, y + dy) != first;
            blocksOfManyColours += many;
        }
    EXPECT_GT(blocksOfManyColours, 20);
}

TEST_F(QtWords, HelpAndVersionPrintAndEndAndAnUnknownOptionGivesTheUsageLine) {
    const Run help = RunProgram({"--help"});
    EXPECT_EQ(help.status, 0) << help.err;
    EXPECT_TRUE(help.out.starts_with("Usage: zelvora [--help] [--version]\n")) << help.out;
    EXPECT_NE(help.out.find("--version"), std::string::npos);
    EXPECT_EQ(help.err, "");

    const Run version = RunProgram({"--version"});
    EXPECT_EQ(version.status, 0) << version.err;
    EXPECT_TRUE(version.out.starts_with("Zelvora ")) << version.out;
    EXPECT_NE(version.out.find_first_of("0123456789"), std::string::npos) << version.out;
    EXPECT_TRUE(version.out.ends_with("\n"));
    EXPECT_EQ(version.out.find('\n'), version.out.size() - 1) << version.out;

    // Qt's own options are Qt's: with them the answers are the same.
    EXPECT_EQ(RunProgram({"-platform", "offscreen", "--version"}).out, version.out);

    for (const char* option : {"--frobnicate", "-x"}) {
        const Run unknown = RunProgram({option});
        EXPECT_EQ(unknown.status, 2) << option;
        EXPECT_EQ(unknown.out, "");
        EXPECT_EQ(unknown.err, "zelvora: unknown option '" + std::string(option) +
                                   "'\nUsage: zelvora [--help] [--version]\n");
    }
}

}  // namespace
