#include "support/app_fixture.h"

#include "app/program.h"
#include "app/radiowin.h"
#include "app/stationorder.h"
#include "components/ShellLnk.h"
#include "gui/application.h"
#include "gui/fileutil.h"
#include "platform/paths.h"

void AppTest::SetUp() {
    GuiTest::SetUp();
    for (const char* name : {"Desktop", "Start Menu", "Startup"}) {
        platform().CreateDirectoryA(plat::JoinPath(dir(), "user"));
        ASSERT_TRUE(platform().CreateDirectoryA(UserFolder(name))) << name;
        harness().SetRegistryString(plat::HKEY_CURRENT_USER, SShellFoldersKey, name,
                                    UserFolder(name));
    }
}

void AppTest::Start() {
    StartProgram();
}

bool AppTest::Exit() {
    try {
        Application->Dispatch([] { RadioForm->Exit1Click(nullptr); });
    } catch (const plat::headless::ProcessEnded&) {
        return true;
    }
    return false;
}

void AppTest::Restart() {
    delete Application;
    Application = new TApplication();
    Start();
}

std::string AppTest::ProgramDir() {
    return harness().programDir;
}
std::string AppTest::SettingsDir() {
    return plat::JoinPath(ProgramDir(), "settings");
}
std::string AppTest::SettingsFile() {
    return plat::JoinPath(harness().windowsDir, "zelvora.ini");
}
std::string AppTest::OrderFile() {
    return plat::JoinPath(ProgramDir(), "zelvora.set");
}

std::string AppTest::UserFolder(const std::string& valueName) {
    return plat::JoinPath(plat::JoinPath(dir(), "user"), valueName);
}

std::string AppTest::LinkFile(const std::string& valueName) {
    return plat::JoinPath(UserFolder(valueName), "Zelvora.lnk");
}

std::string AppTest::ReadText(const std::string& path) {
    std::string bytes;
    EXPECT_EQ(ReadWholeFile(path, bytes), 0u) << path;
    return bytes;
}

void AppTest::WriteText(const std::string& path, const std::string& text) {
    ASSERT_EQ(WriteFileReplacing(path, text), 0u) << path;
}

void AppTest::SeedStations(const std::vector<std::pair<std::string, std::string>>& stations) {
    platform().CreateDirectoryA(SettingsDir());
    TListBox list(nullptr);
    list.SetBounds(16, 32, 185, 121);  // where the window's layout has it
    for (const auto& [name, url] : stations) {
        list.Items()->Add(name);
        WriteText(plat::JoinPath(SettingsDir(), StationFileName(name)), url + "\r\n");
    }
    SaveStationList(list, OrderFile());
}

std::vector<std::string> AppTest::MessageTexts() {
    std::vector<std::string> texts;
    for (const auto& box : harness().messageBoxes) texts.push_back(box.text);
    return texts;
}
