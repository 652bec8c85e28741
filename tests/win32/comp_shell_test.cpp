// The registry helper and the shell link on the real Windows API. The link is read
// back through the shell's own interfaces, which only this test file includes.
#include <gtest/gtest.h>

#include <string>

#include "components/RegFiles.h"
#include "components/ShellLnk.h"
#include "platform/paths.h"
#include "support/platform_fixture.h"

// Last: our headers use names that <windows.h> defines as macros.
#include <shlobj.h>
#include <windows.h>

#include "win32/link_reader.h"

namespace {

// Our own name, so that the program's real "Zelvora.lnk" is never touched.
const char* const kLinkName = "ZelvoraCompTest.lnk";

std::string DesktopFromShell() {
    // Asking the shell first makes sure the Shell Folders value exists in a fresh prefix.
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY | CSIDL_FLAG_CREATE, nullptr,
                                SHGFP_TYPE_CURRENT, path)))
        return {};
    return path;
}

class CompShellWin : public PlatformTest {
  protected:
    void SetUp() override {
        PlatformTest::SetUp();
        com_ = SUCCEEDED(CoInitialize(nullptr));
    }
    void TearDown() override {
        if (!written_.empty()) DeleteFileA(written_.c_str());
        if (com_) CoUninitialize();
        PlatformTest::TearDown();
    }
    std::string written_;
    bool com_ = false;
};

}  // namespace

TEST_F(CompShellWin, RegistryHelperReadsTheDesktopFolder) {
    std::string desktop = DesktopFromShell();
    ASSERT_FALSE(desktop.empty());
    TRegFile reg(nullptr);
    reg.SetKey(SShellFoldersKey);
    auto value = reg.ReadValue("Desktop");
    ASSERT_EQ(value.VType(), varString);
    EXPECT_EQ(value.AsText(), desktop);
    EXPECT_FALSE(reg.IsOpen());
    EXPECT_TRUE(reg.ReadValue("NoSuchFolder").IsNull());
}

TEST_F(CompShellWin, DesktopLinkIsWrittenAndReadsBack) {
    std::string desktop = DesktopFromShell();
    ASSERT_FALSE(desktop.empty());
    std::string program = platform().GetModuleFileNameA();
    std::string programDir = plat::ExtractFilePath(program);

    TPBShellLink link(nullptr);
    link.SetDescription("Zelvora");
    link.SetWindowState(wsNormal);
    link.SetFileName(kLinkName);
    link.SetShellFolder(sfDesktop);
    EXPECT_EQ(link.FileName(), desktop + "\\" + kLinkName);
    link.SetTarget(program);
    link.SetWorkingDir(programDir);
    written_ = link.FileName();
    link.Save();

    LinkFields fields;
    ASSERT_TRUE(ReadLink(link.FileName(), fields));
    EXPECT_EQ(_stricmp(fields.path.c_str(), program.c_str()), 0) << fields.path;
    EXPECT_EQ(fields.workingDir, programDir);
    EXPECT_EQ(fields.description, "Zelvora");
    EXPECT_EQ(fields.showCmd, SW_SHOWNORMAL);
    EXPECT_EQ(fields.hotKey, 0);

    // Saving again replaces the file with the current fields.
    link.SetDescription("Zelvora again");
    link.SetHotKey(0xC074);
    link.Save();
    ASSERT_TRUE(ReadLink(link.FileName(), fields));
    EXPECT_EQ(fields.description, "Zelvora again");
    EXPECT_EQ(fields.hotKey, 0x0674);
}

TEST_F(CompShellWin, LinkInAMissingFolderIsAWriteError) {
    TPBShellLink link(nullptr);
    link.SetTarget(platform().GetModuleFileNameA());
    link.SetFileName(dir() + "\\missing\\" + kLinkName);
    EXPECT_THROW(
        {
            try {
                link.Save();
            } catch (const EPBShellLink& e) {
                EXPECT_STREQ(e.what(), SLinkWriteError);
                throw;
            }
        },
        EPBShellLink);
    EXPECT_EQ(GetFileAttributesA(link.FileName().c_str()), INVALID_FILE_ATTRIBUTES);
}
