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

struct LinkFields {
    std::string path, workingDir, description;
    int showCmd = 0;
    WORD hotKey = 0;
};

// Loads a .lnk file through IShellLinkA and IPersistFile.
bool ReadLink(const std::string& file, LinkFields& out) {
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return false;
    IPersistFile* persist = nullptr;
    bool ok = false;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
        wchar_t wide[MAX_PATH] = {};
        MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
        if (SUCCEEDED(persist->Load(wide, STGM_READ))) {
            char buf[MAX_PATH] = {};
            link->GetPath(buf, MAX_PATH, nullptr, SLGP_RAWPATH);
            out.path = buf;
            buf[0] = 0;
            link->GetWorkingDirectory(buf, MAX_PATH);
            out.workingDir = buf;
            buf[0] = 0;
            link->GetDescription(buf, MAX_PATH);
            out.description = buf;
            link->GetShowCmd(&out.showCmd);
            link->GetHotkey(&out.hotKey);
            ok = true;
        }
        persist->Release();
    }
    link->Release();
    return ok;
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
