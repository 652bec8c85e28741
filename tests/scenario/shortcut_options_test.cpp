// The shortcut boxes of the configuration window: links written and deleted at a
// click, followed to the program's new place at start, and the Startup key.
#include <gtest/gtest.h>

#include "app/radiowin.h"
#include "components/ShellLnk.h"
#include "gui/fileutil.h"
#include "platform/paths.h"
#include "support/app_fixture.h"

namespace {

class ShortcutScenario : public AppTest {
  protected:
    // The saves that went to the program's link in that user folder.
    std::vector<plat::headless::ShellLinkSave> SavesTo(const std::string& valueName) {
        std::vector<plat::headless::ShellLinkSave> saves;
        for (const auto& save : harness().linkSaves)
            if (std::string(save.fileName.begin(), save.fileName.end()) == LinkFile(valueName))
                saves.push_back(save);
        return saves;
    }
    void MoveProgramTo(const std::string& folder) {
        const std::string dir = plat::JoinPath(this->dir(), folder);
        platform().CreateDirectoryA(dir);
        harness().moduleFileName = plat::JoinPath(dir, "zelvora.exe");
    }
    std::string SettingsText() {
        return FileExists(SettingsFile()) ? ReadText(SettingsFile()) : "";
    }
};

const plat::HRESULT kAccessDenied = static_cast<plat::HRESULT>(0x80070005u);

TEST_F(ShortcutScenario, CheckedBoxesWriteLinksThatFollowTheProgramWhenItMoves) {
    Start();
    RadioForm->StartMenuCB->UserToggle();
    RadioForm->DesktopCB->UserToggle();
    ASSERT_EQ(SavesTo("Start Menu").size(), 1u);
    const auto link = SavesTo("Desktop").at(0);
    EXPECT_EQ(link.description, "Zelvora");
    EXPECT_EQ(link.path, harness().moduleFileName);
    EXPECT_EQ(link.workingDirectory, ProgramDir() + "/");
    EXPECT_EQ(link.arguments, "");
    EXPECT_EQ(link.iconPath, "");
    EXPECT_EQ(link.iconIndex, 0);
    EXPECT_EQ(link.hotKey, 0);
    EXPECT_EQ(link.showCmd, 1);
    EXPECT_TRUE(FileExists(LinkFile("Start Menu")));
    EXPECT_TRUE(FileExists(LinkFile("Desktop")));
    EXPECT_FALSE(FileExists(LinkFile("Startup")));

    // The end of the session saves nothing; the links alone bring the boxes back.
    MoveProgramTo("moved");
    harness().linkSaves.clear();
    Restart();
    EXPECT_TRUE(RadioForm->StartMenuCB->Checked());
    EXPECT_TRUE(RadioForm->DesktopCB->Checked());
    EXPECT_FALSE(RadioForm->LaunchAtStartCB->Checked());
    for (const char* folder : {"Start Menu", "Desktop"}) {
        ASSERT_EQ(SavesTo(folder).size(), 1u) << folder;
        EXPECT_EQ(SavesTo(folder)[0].path, plat::JoinPath(dir(), "moved/zelvora.exe"));
        EXPECT_EQ(SavesTo(folder)[0].workingDirectory, plat::JoinPath(dir(), "moved") + "/");
    }
    EXPECT_TRUE(SavesTo("Startup").empty());
    EXPECT_FALSE(FileExists(LinkFile("Startup")));
    EXPECT_TRUE(harness().messageBoxes.empty());
}

TEST_F(ShortcutScenario, StartupKeyRecreatesARemovedLinkAndAPresentLinkSetsTheKey) {
    WriteSettings("[MainForm]\r\nLaunchAtStartCB=1\r\n");
    Start();
    EXPECT_TRUE(RadioForm->LaunchAtStartCB->Checked());
    EXPECT_EQ(SavesTo("Startup").size(), 1u);  // once: the restore finds the box checked

    platform().DeleteFileA(LinkFile("Startup"));
    Restart();
    EXPECT_TRUE(FileExists(LinkFile("Startup")));
    EXPECT_TRUE(RadioForm->LaunchAtStartCB->Checked());

    // A link present while the key says no: the box shows it, and exit records it.
    WriteSettings("[MainForm]\r\nLaunchAtStartCB=0\r\n");
    harness().linkSaves.clear();
    Restart();
    EXPECT_TRUE(RadioForm->LaunchAtStartCB->Checked());
    EXPECT_EQ(SavesTo("Startup").size(), 1u);
    ASSERT_TRUE(Exit());
    EXPECT_NE(SettingsText().find("LaunchAtStartCB=1"), std::string::npos);
}

TEST_F(ShortcutScenario, UncheckingDeletesAtOnceAndTheKeyWaitsForExit) {
    WriteSettings("[MainForm]\r\nLaunchAtStartCB=1\r\n");
    Start();
    RadioForm->DesktopCB->UserToggle();
    ASSERT_TRUE(FileExists(LinkFile("Desktop")));

    RadioForm->LaunchAtStartCB->UserToggle();
    EXPECT_FALSE(FileExists(LinkFile("Startup")));
    EXPECT_NE(SettingsText().find("LaunchAtStartCB=1"), std::string::npos);

    // A link the user already removed: unchecking has nothing to do and says nothing.
    platform().DeleteFileA(LinkFile("Desktop"));
    RadioForm->DesktopCB->UserToggle();
    EXPECT_FALSE(RadioForm->DesktopCB->Checked());
    EXPECT_TRUE(harness().messageBoxes.empty());

    ASSERT_TRUE(Exit());
    EXPECT_NE(SettingsText().find("LaunchAtStartCB=0"), std::string::npos);
    EXPECT_FALSE(FileExists(LinkFile("Desktop")));
}

TEST_F(ShortcutScenario, ALinkThatCannotBeWrittenIsReportedAndTheBoxStaysChecked) {
    Start();
    harness().saveLinkResult = kAccessDenied;
    RadioForm->DesktopCB->UserToggle();
    EXPECT_TRUE(RadioForm->DesktopCB->Checked());
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{SLinkWriteError});
    EXPECT_EQ(harness().messageBoxes.at(0).type, plat::MB_OK | plat::MB_ICONSTOP);
    EXPECT_FALSE(FileExists(LinkFile("Desktop")));
}

// A failed rewrite at start is reported and start-up goes on: stopping there would
// leave the station list unread, and the next exit would write it empty.
TEST_F(ShortcutScenario, FailedRewritesAtStartAreReportedAndStartUpGoesOn) {
    SeedStations({{"Jazz", "http://jazz.invalid/"}});
    WriteText(LinkFile("Start Menu"), "old link");
    WriteText(LinkFile("Desktop"), "old link");
    ASSERT_TRUE(
        platform().SetFileAttributesA(LinkFile("Start Menu"), plat::FILE_ATTRIBUTE_READONLY));
    WriteSettings("[MainForm]\r\nLaunchAtStartCB=1\r\n");
    harness().saveLinkResult = kAccessDenied;
    Start();
    EXPECT_EQ(MessageTexts(), std::vector<std::string>(3, SLinkWriteError));
    EXPECT_EQ(RadioForm->StationLB->Items()->Items(), std::vector<std::string>{"Jazz"});
    EXPECT_TRUE(RadioForm->StartMenuCB->Checked());
    EXPECT_TRUE(RadioForm->DesktopCB->Checked());
    EXPECT_TRUE(RadioForm->LaunchAtStartCB->Checked());

    // The disk's own refusal: the read-only link stays as it was, the other is rewritten.
    harness().saveLinkResult.reset();
    harness().messageBoxes.clear();
    Restart();
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{SLinkWriteError});
    EXPECT_EQ(ReadText(LinkFile("Start Menu")), "old link");
    EXPECT_NE(ReadText(LinkFile("Desktop")), "old link");
}

TEST_F(ShortcutScenario, AFolderTheRegistryDoesNotNameDisablesOnlyItsBox) {
    for (bool asNumber : {false, true}) {
        SCOPED_TRACE(asNumber ? "number" : "missing");
        if (asNumber)
            harness().SetRegistryValue(plat::HKEY_CURRENT_USER, SShellFoldersKey, "Startup",
                                       plat::REG_DWORD, {1, 0, 0, 0});
        else
            harness().DeleteRegistryValue(plat::HKEY_CURRENT_USER, SShellFoldersKey, "Startup");
        WriteSettings("[MainForm]\r\nLaunchAtStartCB=1\r\n");
        harness().linkSaves.clear();
        Restart();
        EXPECT_TRUE(harness().messageBoxes.empty());
        EXPECT_TRUE(harness().linkSaves.empty());
        EXPECT_FALSE(RadioForm->LaunchAtStartCB->Enabled());
        EXPECT_NE(RadioForm->LaunchAtStartCB->Hint().find("\"Startup\""), std::string::npos);
        EXPECT_TRUE(RadioForm->LaunchAtStartCB->ShowHint());

        RadioForm->LaunchAtStartCB->UserToggle();  // a disabled box takes no click
        EXPECT_TRUE(RadioForm->LaunchAtStartCB->Checked());
        RadioForm->DesktopCB->UserToggle();
        EXPECT_TRUE(FileExists(LinkFile("Desktop")));
        RadioForm->DesktopCB->UserToggle();
        // The user's choice outlives the missing folder.
        ASSERT_TRUE(Exit());
        EXPECT_NE(SettingsText().find("LaunchAtStartCB=1"), std::string::npos);
    }
    EXPECT_FALSE(FileExists("Zelvora.lnk"));
}

}  // namespace
