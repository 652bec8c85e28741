// The program on the Linux desktop as a person meets it: its icon in the tray, the
// tray menu built from the list, a station played from it, the files the Windows
// program wrote, the shortcut boxes, the about box and help.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QScreen>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <filesystem>
#include <functional>

#include "app/AboutUNIT.h"
#include "app/radiotoolbar.h"
#include "app/radiowin.h"
#include "app/stationorder.h"
#include "gui/application.h"
#include "platform/qt/qt.h"
#include "qt/program_fixture.h"

namespace {

namespace fs = std::filesystem;

QMenu* OpenMenu() {
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

std::vector<std::string> Captions(QMenu* menu) {
    std::vector<std::string> captions;
    for (QAction* a : menu->actions())
        captions.push_back(a->isSeparator() ? "-" : a->text().toStdString());
    return captions;
}

class QtDesktop : public QtProgram {
  protected:
    QRect TrayIcon() { return IconInTray(QCoreApplication::applicationPid()); }
    // Runs desktop-file-validate on an entry; its complaints, "" for none.
    std::string Validate(const std::string& path) {
        const std::string out = RecordDir() + "/validate";
        const std::string command = "desktop-file-validate '" + path + "' >'" + out + "' 2>&1";
        const int status = std::system(command.c_str());
        return status == 0 ? std::string()
                           : "status " + std::to_string(status) + ": " + ReadFile(out);
    }
    // Calls then once, from within the menu's own loop, when a menu is on the screen:
    // visible is not enough, as the X server maps and exposes the popup later.
    void WhenMenuOpens(std::function<void(QMenu*)> then) {
        auto* poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, poll, [poll, then] {
            QMenu* menu = OpenMenu();
            if (!menu || !menu->isVisible() || !menu->windowHandle() ||
                !menu->windowHandle()->isExposed())
                return;
            poll->stop();
            poll->deleteLater();
            then(menu);
        });
        poll->start(100);
    }
    void ShotOfMenu(QMenu* menu, const std::string& name) {
        const std::string path = ShotPath(name);
        if (path.empty()) return;
        // Painted and flushed now, so that the screen holds it when the picture is read.
        menu->repaint();
        const qreal ratio = menu->devicePixelRatioF();  // the tray's place is the X server's
        const QRect icon = TrayIcon();
        const QRect r = menu->geometry()
                            .united(QRect(icon.topLeft() / ratio, icon.size() / ratio))
                            .adjusted(-8, -8, 8, 8);
        QGuiApplication::primaryScreen()
            ->grabWindow(0, r.x(), r.y(), r.width(), r.height())
            .save(QString::fromStdString(path));
    }
};

TEST_F(QtDesktop, TheTrayIconDocksAndItsMenuFromTheListPlaysTheChosenStation) {
    SeedWindowsStations({{"Jazz", "http://jazz.invalid/"},
                         {"News", "http://news.invalid/live.m3u"},
                         {"Rock FM", "http://rock.invalid/"}});
    WriteSettings("[MainForm]\r\nShowWinAtStartCB=0\r\n");
    Start();
    ASSERT_TRUE(WaitFor([this] { return TrayIcon().isValid(); }))
        << "the icon did not dock in the tray";
    EXPECT_TRUE(platform().HasNotificationArea());

    // The menu runs its own loop: what is done to it is done from in there.
    std::vector<std::string> captions;
    WhenMenuOpens([&](QMenu* menu) {
        captions = Captions(menu);
        ShotOfMenu(menu, "qt_tray_menu");
        // Counted from the end: News, Rock FM, a separator, Exit.
        const auto actions = menu->actions();
        const QPoint news =
            OnScreen(menu->mapToGlobal(menu->actionGeometry(actions[actions.size() - 4]).center()));
        XdoLater({"mousemove", std::to_string(news.x()), std::to_string(news.y()), "sleep", "0.2",
                  "click", "1"});
    });
    ClickAt(TrayIcon().center(), 3);
    ASSERT_TRUE(WaitFor([this] { return !Record("player").empty(); }));
    EXPECT_EQ(captions,
              (std::vector<std::string>{"Zelvora...", "-", "Song Notifications", "Copy Song Title",
                                        "Sleep", "-", "Jazz", "News", "Rock FM", "-", "Exit"}));
    EXPECT_EQ(Record("player"), "http://news.invalid/live.m3u\n");
    EXPECT_FALSE(RadioFloatWin->Visible());

    // A click on the icon brings up the floating window.
    ClickAt(TrayIcon().center());
    EXPECT_TRUE(WaitFor([] { return RadioFloatWin->Visible(); }));
}

// On Wayland only the token of whoever started the program brings a window to the
// front: a later start hands its own to the copy that runs, which shows its window.
TEST_F(QtDesktop, ALaterStartHandsItsActivationTokenToTheRunningCopy) {
    WriteSettings("[MainForm]\r\nShowWinAtStartCB=0\r\n");
    Start();
    ::unsetenv("XDG_ACTIVATION_TOKEN");
    QProcess later;
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_ACTIVATION_TOKEN", "zelvora-test_token.1");
    later.setProcessEnvironment(env);
    later.start(ZEL_PROGRAM);
    ASSERT_TRUE(WaitFor([&] { return later.state() == QProcess::NotRunning; }, 10000));
    EXPECT_TRUE(WaitFor([] { return RadioFloatWin->Visible(); }));
    EXPECT_EQ(qgetenv("XDG_ACTIVATION_TOKEN"), "zelvora-test_token.1");
    ::unsetenv("XDG_ACTIVATION_TOKEN");
}

TEST_F(QtDesktop, AListWrittenOnWindowsLoadsWithItsNamesInUtf8) {
    SeedWindowsStations({{"Caf\xE9 Jazz", "http://caf\xE9.invalid/"}, {"Radio 1", "http://r1/"}});
    WriteSettings("[MainForm]\r\nShowWinAtStartCB=0\r\nStationLBItemIndex=0\r\n");
    Start();
    const auto& names = RadioForm->StationLB->Items()->Items();
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0], "Caf\xC3\xA9 Jazz");
    EXPECT_EQ(RadioForm->Stations().ReadURL(names[0]), "http://caf\xC3\xA9.invalid/");
    auto* combo = static_cast<QComboBox*>(Widget(RadioFloatWin->StationCB->Handle()));
    EXPECT_EQ(combo->itemText(0).toStdString(), "Caf\xC3\xA9 Jazz");
    RadioForm->PlayButton->Click();
    ASSERT_TRUE(WaitFor([this] { return !Record("player").empty(); }));
    EXPECT_EQ(Record("player"), "http://caf\xC3\xA9.invalid/\n");
}

// A playlist written on Windows, in Windows-1252: its names come in as this system's
// text, the same in the list, the order file and the station file's name, so that the
// station still plays after a restart.
TEST_F(QtDesktop, AWindowsPlaylistImportsInUtf8AndItsStationPlaysAfterARestart) {
    WriteSettings("[MainForm]\r\nShowWinAtStartCB=0\r\n");
    Start();
    const std::string list = Home() + "/old.m3u";
    WriteFile(list, "#EXTINF:-1,Caf\xE9 del Mar\r\nhttp://caf\xE9.invalid/\r\n");
    auto* poll = new QTimer;  // closes the import's summary box once it is up
    QObject::connect(poll, &QTimer::timeout, poll, [poll] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            poll->deleteLater();
            box->close();
        }
    });
    poll->start(20);
    RadioForm->ImportStations(list);
    EXPECT_EQ(RadioForm->StationLB->Items()->Items(),
              std::vector<std::string>{"Caf\xC3\xA9 del Mar"});
    EXPECT_TRUE(fs::exists(DataDir() + "/settings/Caf\xC3\xA9_del_Mar"));
    SaveStationList(*RadioForm->StationLB, DataDir() + "/zelvora.set");  // as Exit does

    Restart();
    RadioForm->StationLB->SetItemIndex(0);
    RadioForm->PlayButton->Click();
    ASSERT_TRUE(WaitFor([this] { return !Record("player").empty(); }));
    EXPECT_EQ(Record("player"), "http://caf\xC3\xA9.invalid/\n");
}

TEST_F(QtDesktop, TheShortcutBoxesWriteValidDesktopEntriesAndRemoveThem) {
    WriteSettings("[MainForm]\r\nShowWinAtStartCB=0\r\n");
    Start();
    const std::string entries[] = {Home() + "/.local/share/applications/zelvora.desktop",
                                   Home() + "/Desktop/zelvora.desktop",
                                   Home() + "/.config/autostart/zelvora.desktop"};
    TCheckBox* boxes[] = {RadioForm->StartMenuCB, RadioForm->DesktopCB, RadioForm->LaunchAtStartCB};
    RadioForm->Show();
    ASSERT_TRUE(ShowAndWait(RadioForm->Handle()));
    for (TCheckBox* box : boxes) Click(box->Handle());
    for (const std::string& entry : entries) {
        ASSERT_TRUE(fs::exists(entry)) << entry;
        EXPECT_EQ(Validate(entry), "") << entry;
        const std::string text = ReadFile(entry);
        EXPECT_NE(text.find("Exec=" + platform().GetModuleFileNameA() + "\n"), std::string::npos)
            << text;
        EXPECT_NE(text.find("Name=Zelvora\n"), std::string::npos) << text;
        // What the package's entry tells menus and their searches, and no Path: the
        // program finds its files by where it is.
        for (const char* field :
             {"GenericName=Internet Radio Launcher\n", "Comment=Start internet radio stations",
              "Keywords=radio;stream;internet radio;\n", "Categories=AudioVideo;Audio;Player;\n"})
            EXPECT_NE(text.find(field), std::string::npos) << field << " in:\n" << text;
        EXPECT_EQ(text.find("Path="), std::string::npos) << text;
    }
    EXPECT_TRUE(fs::exists(Home() + "/.local/share/icons/hicolor/32x32/apps/zelvora.png"));
    for (TCheckBox* box : boxes) Click(box->Handle());
    for (const std::string& entry : entries) EXPECT_FALSE(fs::exists(entry)) << entry;

    // The autostart entry comes back at the next start when the settings ask for it,
    // and an entry still there checks its box and is written again.
    WriteSettings("[MainForm]\r\nShowWinAtStartCB=0\r\nLaunchAtStartCB=1\r\n");
    WriteFile(entries[1], "[Desktop Entry]\nType=Application\nName=Old\nExec=old\n");
    Restart();
    EXPECT_TRUE(fs::exists(entries[2]));
    EXPECT_TRUE(RadioForm->DesktopCB->Checked());
    EXPECT_NE(ReadFile(entries[1]).find("Name=Zelvora"), std::string::npos);
    EXPECT_FALSE(RadioForm->StartMenuCB->Checked());
}

// The applications menu's entry takes the place of the installed entry of the same
// name: it carries that entry's description, its translations included.
TEST_F(QtDesktop, TheMenuEntryCarriesTheInstalledEntrysDescription) {
    const std::string system = dir() + "/system";
    WriteFile(system + "/applications/zelvora.desktop",
              "[Desktop Entry]\nType=Application\nName=Zelvora\nGenericName=Radio Launcher\n"
              "GenericName[de]=Internetradio\nComment=Radio from the tray\nExec=zelvora\n"
              "Icon=zelvora\nKeywords=radio;sender;\nCategories=Audio;AudioVideo;\n"
              "\n[Desktop Action Other]\nName=Other\nComment=Not this one\nExec=zelvora\n");
    const char* saved = std::getenv("XDG_DATA_DIRS");
    const std::string savedDirs = saved ? saved : "";
    ::setenv("XDG_DATA_DIRS", system.c_str(), 1);
    WriteSettings("[MainForm]\r\nShowWinAtStartCB=0\r\n");
    Start();
    RadioForm->StartMenuCB->SetChecked(true);
    if (saved)
        ::setenv("XDG_DATA_DIRS", savedDirs.c_str(), 1);
    else
        ::unsetenv("XDG_DATA_DIRS");
    const std::string entry = Home() + "/.local/share/applications/zelvora.desktop";
    EXPECT_EQ(Validate(entry), "");
    const std::string text = ReadFile(entry);
    for (const char* field : {"GenericName=Radio Launcher\n", "GenericName[de]=Internetradio\n",
                              "Comment=Radio from the tray\n", "Keywords=radio;sender;\n",
                              "Categories=Audio;AudioVideo;\n"})
        EXPECT_NE(text.find(field), std::string::npos) << field << " in:\n" << text;
    EXPECT_EQ(text.find("Not this one"), std::string::npos) << text;
    EXPECT_EQ(text.find("Categories=AudioVideo;Audio;Player;"), std::string::npos) << text;
    EXPECT_NE(text.find("Exec=" + platform().GetModuleFileNameA() + "\n"), std::string::npos);
}

TEST_F(QtDesktop, TheAboutBoxShowsTheIntroductionFormattedAndHelpOpensAtItsTopic) {
    WriteSettings("[MainForm]\r\nShowWinAtStartCB=0\r\n");
    Start();
    AboutBox->Show();
    ASSERT_TRUE(ShowAndWait(AboutBox->Handle()));
    auto* text = static_cast<QTextEdit*>(Widget(AboutBox->RichEdit1->Handle()));
    const QString html = text->toHtml();
    EXPECT_TRUE(html.contains("font-weight:700")) << html.toStdString();
    EXPECT_TRUE(html.contains("#000080")) << html.toStdString();
    EXPECT_TRUE(html.contains("align=\"center\"")) << html.toStdString();
    Shot(AboutBox->Handle(), "qt_about_box");
    Click(AboutBox->Button1->Handle());
    EXPECT_TRUE(WaitFor([] { return !AboutBox->Visible(); }));

    RadioFloatWin->Show();
    ASSERT_TRUE(ShowAndWait(RadioFloatWin->Handle()));
    Keys({"F1"});
    ASSERT_TRUE(WaitFor([this] { return !Record("browser").empty(); }));
    EXPECT_EQ(Record("browser"),
              "file://" + platform().ProgramDataDirectory() + "/zelvora.html#Table_Of_Contents\n");
    AboutBox->Show();
    ASSERT_TRUE(ShowAndWait(AboutBox->Handle()));
    Click(AboutBox->VisitPublisherBtn->Handle());
    ASSERT_TRUE(WaitFor([this] { return !Record("xdg-open").empty(); }));
    EXPECT_EQ(Record("xdg-open"), std::string(kPublisherAddress) + "\n");
}

TEST_F(QtDesktop, TheThreeWindowsAsAPersonSeesThem) {
    SeedWindowsStations({{"Jazz", "http://jazz.invalid/"},
                         {"News", "http://news.invalid/"},
                         {"Rock FM", "http://rock.invalid/"}});
    WriteSettings(
        "[MainForm]\r\nShowWinAtStartCB=0\r\nStatus=1\r\nTop=120\r\nLeft=90\r\n"
        "StationLBItemIndex=1\r\n");
    Start();
    RadioFloatWin->Show();
    ASSERT_TRUE(ShowAndWait(RadioFloatWin->Handle()));
    EXPECT_EQ(Widget(RadioFloatWin->Handle())->frameGeometry().topLeft(), QPoint(90, 120));
    Shot(RadioFloatWin->Handle(), "qt_floating_window");
    RadioForm->Show();
    ASSERT_TRUE(ShowAndWait(RadioForm->Handle()));
    Click(RadioForm->StationLB->Handle(), {20, 8});
    EXPECT_EQ(RadioForm->NameEdit->Text(), "Jazz");
    EXPECT_EQ(RadioForm->URLEdit->Text(), "http://jazz.invalid/");
    Shot(RadioForm->Handle(), "qt_configuration_window");
    // Dragged to the last row, the first station goes last; the list does not drag its
    // selection along meanwhile.
    auto* list = static_cast<QListWidget*>(Widget(RadioForm->StationLB->Handle()));
    const QPoint from =
        OnScreen(list->viewport()->mapToGlobal(list->visualItemRect(list->item(0)).center()));
    const QPoint to =
        OnScreen(list->viewport()->mapToGlobal(list->visualItemRect(list->item(2)).center()));
    Xdo({"mousemove", std::to_string(from.x()), std::to_string(from.y()), "mousedown", "1", "sleep",
         "0.1", "mousemove", std::to_string(from.x()), std::to_string(from.y() + 12), "sleep",
         "0.1", "mousemove", std::to_string(to.x()), std::to_string(to.y()), "sleep", "0.1",
         "mouseup", "1"});
    EXPECT_EQ(RadioForm->StationLB->Items()->Items(),
              (std::vector<std::string>{"News", "Rock FM", "Jazz"}));
    EXPECT_EQ(RadioForm->StationLB->ItemIndex(), 2);
    // The layout's client size, in pixels at 96 DPI.
    EXPECT_EQ(Widget(RadioForm->Handle())->size(), QSize(497, 328));
}

// Opened from the floating window, the configuration window is its modal child, so the
// desktop keeps it above that one; shown later from the tray, it is its own again.
TEST_F(QtDesktop, TheConfigurationWindowBelongsToTheWindowItWasOpenedFrom) {
    WriteSettings("[MainForm]\r\nShowWinAtStartCB=0\r\n");
    Start();
    RadioFloatWin->Show();
    ASSERT_TRUE(ShowAndWait(RadioFloatWin->Handle()));
    QWidget* owner = Widget(RadioFloatWin->Handle());
    owner->activateWindow();
    ASSERT_TRUE(WaitFor([owner] { return QApplication::activeWindow() == owner; }));
    QWidget* form = Widget(RadioForm->Handle());
    const QWindow* parent = nullptr;
    Qt::WindowModality modality = Qt::NonModal;
    QTimer::singleShot(1000, form, [&] {
        parent = form->windowHandle()->transientParent();
        modality = form->windowModality();
    });
    XdoLater({"sleep", "1.5", "key", "Escape"});
    RadioFloatWin->N1->Click();
    EXPECT_EQ(parent, owner->windowHandle());
    EXPECT_EQ(modality, Qt::WindowModal);
    EXPECT_EQ(form->windowHandle()->transientParent(), nullptr);
    EXPECT_EQ(form->windowModality(), Qt::NonModal);
}

// The player location: the message first, then the file dialog, both answered from
// the keyboard while their loops run.
TEST_F(QtDesktop, ThePlayerIsChosenInTheFileDialogAfterTheMessage) {
    WriteSettings("[MainForm]\r\nShowWinAtStartCB=0\r\n");
    Start();
    RadioFloatWin->Show();
    ASSERT_TRUE(ShowAndWait(RadioFloatWin->Handle()));
    // The name's completion may pop up over the dialog and take the first Return.
    XdoLater({"sleep", "1", "key", "Return", "sleep", "1.5", "type", "--delay", "20", Player()});
    XdoLater({"sleep", "4.2", "key", "Return", "sleep", "0.4", "key", "Return"});
    RadioFloatWin->ConfigureRealAudioLocation1->Click();
    EXPECT_EQ(RadioForm->RealAudioLoc, Player());
}

}  // namespace

// At half as large again as the desktop's font, the windows grow with it and every
// label's text fits its label: the user's size is kept, never shrunk to fit.
TEST_F(QtDesktop, AtALargerFontTheWindowsGrowAndNoLabelClipsItsText) {
    const QFont desktop = QApplication::font();
    QFont larger = desktop;
    larger.setPointSizeF(desktop.pointSizeF() * 1.5);
    QApplication::setFont(larger);
    struct Restore {
        QFont font;
        ~Restore() { QApplication::setFont(font); }
    } restore{desktop};
    WriteSettings("[MainForm]\r\nShowWinAtStartCB=0\r\n");
    Start();
    const std::pair<TForm*, const char*> windows[] = {{RadioForm, "qt_configuration_window_1.5x"},
                                                      {RadioFloatWin, "qt_floating_window_1.5x"},
                                                      {AboutBox, "qt_about_box_1.5x"}};
    for (const auto& [form, shot] : windows) {
        form->Show();
        ASSERT_TRUE(ShowAndWait(form->Handle())) << shot;
        Shot(form->Handle(), shot);
        for (const QCheckBox* box : Widget(form->Handle())->findChildren<QCheckBox*>())
            EXPECT_GE(box->width(), box->sizeHint().width())
                << shot << ": " << box->text().toStdString();
        for (const QToolButton* more : Widget(form->Handle())->findChildren<QToolButton*>(
                 "qt_menubar_ext_button"))
            EXPECT_FALSE(more->isVisible()) << shot << ": menus folded away";
        for (const QLabel* label : Widget(form->Handle())->findChildren<QLabel*>()) {
            if (!label->isVisibleTo(label->window()) || label->text().isEmpty()) continue;
            for (const QWidget* control : label->parentWidget()->findChildren<QWidget*>(
                     Qt::FindDirectChildrenOnly)) {
                const bool input = control->inherits("QAbstractSlider") ||
                                   control->inherits("QComboBox") || control->inherits("QLineEdit");
                EXPECT_FALSE(input && control->isVisible() &&
                             label->geometry().intersects(control->geometry()))
                    << shot << ": " << label->text().toStdString() << " covers a control";
            }
            const QFontMetrics metrics(label->font());
            EXPECT_GE(QFontInfo(label->font()).pointSizeF(), larger.pointSizeF() - 0.5)
                << shot << ": " << label->text().toStdString();
            if (label->height() >= 2 * metrics.lineSpacing()) continue;  // wraps
            EXPECT_LE(metrics.horizontalAdvance(label->text()), label->width())
                << shot << ": " << label->text().toStdString();
        }
        form->Hide();
    }
    // 497 x 328 at the desktop's font; the edges are rounded each on its own.
    const QSize grown = Widget(RadioForm->Handle())->size();
    EXPECT_NEAR(grown.width(), 746, 1);
    EXPECT_NEAR(grown.height(), 492, 1);
}
