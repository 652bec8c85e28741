#include "qt/program_fixture.h"

#include <QSystemTrayIcon>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/AboutUNIT.h"
#include "app/program.h"
#include "app/radiowin.h"
#include "app/stationstore.h"
#include "gui/application.h"
#include "platform/posix/text.h"

void QtProgram::TearDown() {
    delete Application;
    Application = nullptr;
    Pump(50);
    QtTest::TearDown();
}

std::string QtProgram::Player() const {
    return std::string(ZEL_TEST_BIN) + "/zel-test-player";
}

// Without a tray the window shows at the start, and with it the about box in a loop of
// its own: where a tray was wanted, that fails the test and the box is closed, so that
// the test goes on to its end rather than wait in the box.
void QtProgram::Start() {
    Application = new TApplication();
    QTimer closer;
    if (!std::getenv("ZEL_WL_NO_TRAY") &&
        !WaitFor([] { return QSystemTrayIcon::isSystemTrayAvailable(); }, 10000)) {
        ADD_FAILURE() << "the session has no tray";
        QObject::connect(&closer, &QTimer::timeout, [] {
            if (AboutBox && AboutBox->Visible()) AboutBox->Close();
        });
        closer.start(500);
    }
    StartProgram();
    RadioForm->AboutShown = true;
    RadioForm->RealAudioLoc = Player();
}

void QtProgram::Restart() {
    delete Application;
    Application = nullptr;
    Pump(50);
    Start();
}

void QtProgram::WriteFile(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::string QtProgram::ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The order file's layout is fixed to the byte: the list control's class and name,
// its place, its drag mode, its row height, the names, its tab position.
void QtProgram::SeedWindowsStations(
    const std::vector<std::pair<std::string, std::string>>& stations) {
    auto shortString = [](const std::string& s) { return std::string(1, char(s.size())) + s; };
    std::string set = "TPF0" + shortString("TListBox") + shortString("StationLB");
    set += shortString("Left") + "\x02\x10" + shortString("Top") + "\x02\x20";
    set +=
        shortString("Width") + std::string("\x03\xB9\x00", 3) + shortString("Height") + "\x02\x79";
    set += shortString("DragMode") + "\x07" + shortString("dmAutomatic");
    set += shortString("ItemHeight") + "\x02\x0D";
    set += shortString("Items.Strings") + "\x01";
    for (const auto& [name, url] : stations) {
        set += "\x06" + shortString(name);
        // On Windows the file names are Unicode: a copy onto this system has them in UTF-8.
        WriteFile(DataDir() + "/settings/" + plat::posix::Utf8OrWindows1252(StationFileName(name)),
                  url + "\r\n");
    }
    set += std::string("\x00", 1) + shortString("TabOrder") + std::string("\x02\x00\x00\x00", 4);
    WriteFile(DataDir() + "/zelvora.set", set);
}
