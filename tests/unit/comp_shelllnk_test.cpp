#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "components/RegFiles.h"
#include "components/ShellLnk.h"
#include "platform/headless/headless.h"
#include "support/platform_fixture.h"

namespace {

class CompShellLink : public PlatformTest {
  protected:
    plat::headless::HeadlessPlatform& hp() {
        return static_cast<plat::headless::HeadlessPlatform&>(platform());
    }
    void SetUp() override {
        PlatformTest::SetUp();
        SetFolder("Desktop", "C:\\Users\\me\\Desktop");
        SetFolder("Start Menu", "C:\\Users\\me\\Start Menu");
        link = std::make_unique<TPBShellLink>(nullptr);
    }
    void SetFolder(const std::string& name, const std::string& path) {
        hp().SetRegistryString(plat::HKEY_CURRENT_USER, SShellFoldersKey, name, path);
    }
    // The folder path joined with a name as the platform joins them.
    std::string In(const std::string& folder, const std::string& name) {
        return folder + platform().PathDelimiter() + name;
    }
    template <class E>
    std::string Raised(const std::function<void()>& f) {
        try {
            f();
        } catch (const E& e) {
            return e.Message();
        }
        return "(no error)";
    }
    // Names of the COM and link-object calls made, in order.
    std::vector<std::string> ComCalls() {
        std::vector<std::string> out;
        for (const auto& line : hp().log)
            if (line.rfind("Co", 0) == 0 || line.rfind("ShellLink.", 0) == 0)
                out.push_back(line.substr(0, line.find('(')));
        return out;
    }

    std::unique_ptr<TPBShellLink> link;
};

}  // namespace

TEST_F(CompShellLink, FileNameGetsOneLnkExtension) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\x\\Zelvora", "C:\\x\\Zelvora.lnk"},
        {"C:\\x\\Zelvora.LNK", "C:\\x\\Zelvora.LNK"},
        {"C:\\x.d\\notes.txt", "C:\\x.d\\notes.txt.lnk"},
        {".lnk", ""},
        {"C:\\x\\.LnK", ""},
    };
    for (auto [in, out] : cases) {
        link->SetFileName(in);
        EXPECT_EQ(link->FileName(), out) << in;
    }
}

TEST_F(CompShellLink, FileNameIsPlacedInTheChosenFolder) {
    // Stored order: the file name first, then the folder replaces its directory.
    link->SetFileName("D:\\elsewhere\\Zelvora.lnk");
    link->SetShellFolder(sfDesktop);
    EXPECT_EQ(link->FileName(), In("C:\\Users\\me\\Desktop", "Zelvora.lnk"));
    link->SetFileName("Radio");
    EXPECT_EQ(link->FileName(), In("C:\\Users\\me\\Desktop", "Radio.lnk"));

    link->SetShellFolder(sfStartMenu);
    EXPECT_EQ(link->FileName(), In("C:\\Users\\me\\Start Menu", "Radio.lnk"));
    link->SetShellFolder(sfNone);
    EXPECT_EQ(link->FileName(), In("C:\\Users\\me\\Start Menu", "Radio.lnk"));

    // Looked up afresh each time, used as stored (a trailing delimiter stays), except
    // that the same name again does nothing at all.
    link->SetShellFolder(sfDesktop);
    SetFolder("Desktop", "E:\\Moved\\");
    auto calls = hp().log.size();
    link->SetFileName(link->FileName());
    EXPECT_EQ(hp().log.size(), calls);
    link->SetFileName("Zelvora");
    EXPECT_EQ(link->FileName(), In("E:\\Moved\\", "Zelvora.lnk"));
    EXPECT_EQ(link->ComponentCount(), 0);  // each lookup's helper is gone
}

TEST_F(CompShellLink, FolderValuesThatAreNoTextFailWithoutChangingFileName) {
    link->SetFileName("C:\\x\\Zelvora.lnk");
    hp().DeleteRegistryValue(plat::HKEY_CURRENT_USER, SShellFoldersKey, "Desktop");
    EXPECT_EQ(Raised<EVariantError>([&] { link->SetShellFolder(sfDesktop); }),
              "Invalid variant type conversion");
    EXPECT_EQ(link->ShellFolder(), sfDesktop);

    hp().SetRegistryValue(plat::HKEY_CURRENT_USER, SShellFoldersKey, "Desktop", plat::REG_EXPAND_SZ,
                          {'%', 'U', '%', 0});
    EXPECT_EQ(Raised<EVariantError>([&] { link->SetFileName("Other"); }),
              "Invalid variant operation");
    hp().failNextRegistry["RegCreateKeyExA"] = plat::ERROR_ACCESS_DENIED;
    EXPECT_EQ(Raised<ERegFileError>([&] { link->SetFileName("Other"); }), "Reg Error: 00000005");
    EXPECT_EQ(link->FileName(), "C:\\x\\Zelvora.lnk");
    EXPECT_EQ(link->ComponentCount(), 0);
}

TEST_F(CompShellLink, HotKeyAndShowCommandConvert) {
    link->SetHotKey(0xC074);  // Ctrl+Alt+F5
    EXPECT_EQ(link->HotKeyWord(), 0x0674);
    EXPECT_EQ(link->HotKey(), 0xC074);
    link->SetHotKey(0x2874);  // a code that reaches the extended-key flag 0x08
    EXPECT_EQ(link->HotKeyWord(), 0x0974);
    EXPECT_EQ(link->HotKey(), 0x2074);  // Shift+F5, the extended flag dropped

    // Never written: reads and saves as a normal window, not as SW_HIDE.
    EXPECT_EQ(link->WindowState(), wsNormal);
    link->SaveToFile(dir() + "/a.lnk");
    link->SetWindowState(wsMinimized);
    link->SaveToFile(dir() + "/a.lnk");
    ASSERT_EQ(hp().linkSaves.size(), 2u);
    EXPECT_EQ(hp().linkSaves[0].showCmd, 1);
    EXPECT_EQ(hp().linkSaves[1].showCmd, 7);
}

TEST_F(CompShellLink, SaveHandsEveryFieldToTheShellAndReleasesAll) {
    SetFolder("Desktop", dir());
    link->SetDescription("Zelvora");
    link->SetTarget("C:\\Radio\\zelvora.exe");
    link->SetWorkingDir("C:\\Radio\\");
    link->SetArguments("-x");
    TFileIcon icon;
    icon.SetFileName("C:\\icons.dll");
    icon.SetIconIndex(2);
    link->SetFileIcon(icon);
    link->SetHotKey(0xC074);
    link->SetShellFolder(sfDesktop);
    link->SetFileName("Zelvora");
    link->Save();

    ASSERT_EQ(hp().linkSaves.size(), 1u);
    const auto& s = hp().linkSaves[0];
    EXPECT_EQ(s.description + "|" + s.path + "|" + s.workingDirectory + "|" + s.arguments + "|" +
                  s.iconPath,
              "Zelvora|C:\\Radio\\zelvora.exe|C:\\Radio\\|-x|C:\\icons.dll");
    EXPECT_EQ(s.iconIndex, 2);
    EXPECT_EQ(s.hotKey, 0x0674);
    EXPECT_EQ(s.remember, 1);
    EXPECT_TRUE(std::filesystem::exists(dir() + "/Zelvora.lnk"));
    EXPECT_EQ(ComCalls(),
              (std::vector<std::string>{
                  "CoInitialize", "CoCreateShellLink", "ShellLink.QueryPersistFile",
                  "ShellLink.SetDescription", "ShellLink.SetPath", "ShellLink.SetWorkingDirectory",
                  "ShellLink.SetArguments", "ShellLink.SetShowCmd", "ShellLink.SetHotkey",
                  "ShellLink.SetIconLocation", "ShellLink.Save", "ShellLink.Release",
                  "ShellLink.Release", "CoUninitialize"}));
}

TEST_F(CompShellLink, SaveFailuresReleaseEverything) {
    link->SetFileName(dir() + "/a.lnk");
    auto check = [&](const std::string& message) {
        EXPECT_EQ(Raised<EPBShellLink>([&] { link->Save(); }), message);
        EXPECT_EQ(hp().LiveShellLinks(), 0);
        EXPECT_EQ(hp().comInitCount, 0);
    };
    hp().coCreateResult = plat::REGDB_E_CLASSNOTREG;
    check("CoCreateInstance failed.");
    hp().coCreateResult = plat::S_OK;
    hp().queryPersistFileResult = plat::E_NOINTERFACE;
    check("PersistFile QueryInterface failed.");
    hp().queryPersistFileResult = plat::S_OK;
    link->SetFileName(dir() + "/missing/a.lnk");  // the disk's own refusal
    check(
        "Erreur en \xC3\xA9"
        "criture.");
    EXPECT_TRUE(hp().linkSaves.size() == 1 && !std::filesystem::exists(dir() + "/missing"));
}

TEST_F(CompShellLink, OverlongTextsAreRefusedNotCut) {
    std::string name = dir() + "/";
    name += std::string(MaxLinkFileName - name.size() - 4, 'n') + ".lnk";
    link->SetDescription(std::string(255, 'd'));
    link->SaveToFile(name);  // exactly at both limits
    ASSERT_EQ(hp().linkSaves.size(), 1u);
    EXPECT_EQ(hp().linkSaves[0].description.size(), 255u);

    EXPECT_EQ(Raised<EPBShellLink>([&] { link->SaveToFile(name + "x"); }),
              "The link's file name is longer than 259 characters.");
    link->FileIcon()->SetFileName(std::string(256, 'i'));
    EXPECT_EQ(Raised<EPBShellLink>([&] { link->SaveToFile(name); }),
              "The link's icon file name is longer than 255 characters.");
    EXPECT_EQ(hp().linkSaves.size(), 1u);
    EXPECT_EQ(hp().comInitCount, 0);
}
