// The shortcut boxes of the real configuration window under Wine: real ".lnk" files
// in the user's folders that the registry names, read back through the shell.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/radiowin.h"
#include "app/stationorder.h"
#include "gui/application.h"
#include "platform/platform.h"
#include "support/platform_fixture.h"

// Last: our headers use names that <windows.h> defines as macros.
#include <shlobj.h>
#include <windows.h>

#include "win32/link_reader.h"

namespace {

struct Folder {
    const char* valueName;
    int csidl;
};
const Folder kFolders[] = {{"Start Menu", CSIDL_STARTMENU},
                           {"Desktop", CSIDL_DESKTOPDIRECTORY},
                           {"Startup", CSIDL_STARTUP}};

// The folder as the program finds it: the string value of the user's Shell Folders
// key. Asking the shell first makes sure a fresh prefix has the value and the folder.
std::string UserFolder(const Folder& folder) {
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, folder.csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path);
    char value[MAX_PATH] = {};
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_CURRENT_USER,
                     "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                     folder.valueName, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return {};
    return value;
}

std::string LinkFile(const Folder& folder) {
    return UserFolder(folder) + "\\Zelvora.lnk";
}

bool Exists(const std::string& file) {
    return GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string SettingsFile() {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    return std::string(windows) + "\\zelvora.ini";
}

// Links and the settings file are the real ones of the prefix: each test starts
// without them and leaves none behind for the tests that follow.
class ShortcutBoxesWine : public PlatformTest {
  protected:
    void SetUp() override {
        PlatformTest::SetUp();
        // Saving a link in these folders makes Wine start its menu builder, which
        // would copy the link into the desktop of the machine running the tests.
        char overrides[512] = {};
        hadOverrides_ = GetEnvironmentVariableA("WINEDLLOVERRIDES", overrides, sizeof overrides);
        overrides_ = overrides;
        SetEnvironmentVariableA(
            "WINEDLLOVERRIDES",
            (overrides_ + (hadOverrides_ ? ";" : "") + "winemenubuilder.exe=d").c_str());
        com_ = SUCCEEDED(CoInitialize(nullptr));
        settingsDir_ =
            std::filesystem::path(plat::Current().GetModuleFileNameA()).parent_path() / "settings";
        hadSettingsDir_ = std::filesystem::exists(settingsDir_);
        RemoveLinksAndSettings();
        RegisterStationListClass();
    }
    void TearDown() override {
        Close();
        RemoveLinksAndSettings();
        std::error_code ec;
        if (!hadSettingsDir_) std::filesystem::remove_all(settingsDir_, ec);
        if (com_) CoUninitialize();
        SetEnvironmentVariableA("WINEDLLOVERRIDES", hadOverrides_ ? overrides_.c_str() : nullptr);
        PlatformTest::TearDown();
    }

    // Creates the configuration window as the main program does, with its start-up.
    void Open() {
        Close();
        Application = new TApplication();
        Application->SetTitle("Zelvora");
        RadioForm = Application->CreateForm<TRadioForm>();
    }
    void Close() {
        delete Application;
        Application = nullptr;
    }
    static void RemoveLinksAndSettings() {
        for (const Folder& f : kFolders) DeleteFileA(LinkFile(f).c_str());
        DeleteFileA(SettingsFile().c_str());
    }

    bool com_ = false;
    bool hadOverrides_ = false;
    std::string overrides_;
    std::filesystem::path settingsDir_;
    bool hadSettingsDir_ = false;
};

TEST_F(ShortcutBoxesWine, EachBoxWritesItsLinkAndDeletesItAgain) {
    Open();
    const std::string program = plat::Current().GetModuleFileNameA();
    const std::string programDir = program.substr(0, program.find_last_of('\\') + 1);
    TCheckBox* boxes[] = {RadioForm->StartMenuCB, RadioForm->DesktopCB, RadioForm->LaunchAtStartCB};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(kFolders[i].valueName);
        ASSERT_FALSE(UserFolder(kFolders[i]).empty());
        boxes[i]->UserToggle();
        LinkFields link;
        ASSERT_TRUE(ReadLink(LinkFile(kFolders[i]), link));
        EXPECT_EQ(link.path, program);
        EXPECT_EQ(link.workingDir, programDir);
        EXPECT_EQ(link.description, "Zelvora");
        EXPECT_EQ(link.showCmd, SW_SHOWNORMAL);

        boxes[i]->UserToggle();
        EXPECT_FALSE(Exists(LinkFile(kFolders[i])));
    }
}

TEST_F(ShortcutBoxesWine, StartWithTheStartupKeySetRecreatesARemovedLink) {
    ASSERT_TRUE(WritePrivateProfileStringA("MainForm", "LaunchAtStartCB", "1", "zelvora.ini"));
    Open();
    EXPECT_TRUE(RadioForm->LaunchAtStartCB->Checked());
    EXPECT_TRUE(Exists(LinkFile(kFolders[2])));

    DeleteFileA(LinkFile(kFolders[2]).c_str());
    Open();
    LinkFields link;
    ASSERT_TRUE(ReadLink(LinkFile(kFolders[2]), link));
    EXPECT_EQ(link.path, plat::Current().GetModuleFileNameA());
    EXPECT_TRUE(RadioForm->LaunchAtStartCB->Checked());
    EXPECT_FALSE(RadioForm->StartMenuCB->Checked());
    EXPECT_FALSE(Exists(LinkFile(kFolders[0])));
}

}  // namespace
