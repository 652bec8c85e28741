// The thin calls where a wrong cast or record size would go unnoticed: the shell
// link adapter, icons from .ico bytes, registry handles, error numbers.
#include <cstring>
#include <vector>

#include "support/platform_fixture.h"

namespace {

using SystemCallsTest = PlatformTest;

TEST_F(SystemCallsTest, ShellLinkIsSavedThroughItsPersistFile) {
    auto& p = platform();
    ASSERT_TRUE(plat::SUCCEEDED(p.CoInitialize()));
    plat::ShellLink* link = nullptr;
    ASSERT_EQ(p.CoCreateShellLink(&link), plat::S_OK);
    EXPECT_EQ(link->SetPath(p.GetModuleFileNameA().c_str()), plat::S_OK);
    EXPECT_EQ(link->SetDescription("Zelvora"), plat::S_OK);
    plat::PersistFile* file = nullptr;
    ASSERT_EQ(link->QueryPersistFile(&file), plat::S_OK);
    std::string path = dir() + "\\Zelvora.lnk";
    std::u16string wide(path.begin(), path.end());
    EXPECT_EQ(file->Save(wide.c_str(), 1), plat::S_OK);
    file->Release();
    link->Release();
    p.CoUninitialize();
    EXPECT_NE(p.GetFileAttributesA(path), plat::INVALID_FILE_ATTRIBUTES);
}

// A 32x32 icon of 32-bit pixels, as an .ico file holds it.
std::vector<std::uint8_t> IcoFile() {
    const int side = 32, pixels = side * side * 4, mask = side * 4;
    const std::uint32_t imageSize = 40 + pixels + mask;
    std::vector<std::uint8_t> f = {0,  0,  1, 0, 1, 0,          // header, one image
                                   32, 32, 0, 0, 1, 0, 32, 0};  // entry up to bitCount
    auto put32 = [&f](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) f.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    put32(imageSize);
    put32(22);  // the image follows the 6-byte header and the 16-byte entry
    put32(40), put32(side), put32(2 * side);  // BITMAPINFOHEADER: colour and mask heights
    f.insert(f.end(), {1, 0, 32, 0});
    for (int i = 0; i < 6; ++i) put32(0);
    f.insert(f.end(), pixels, 0x80);
    f.insert(f.end(), mask, 0);
    return f;
}

TEST_F(SystemCallsTest, IconIsMadeFromIcoBytesAndCopied) {
    auto& p = platform();
    std::vector<std::uint8_t> ico = IcoFile();
    plat::HICON icon = p.CreateIconFromFile(ico);
    ASSERT_NE(icon, 0u);
    plat::HICON copy = p.CopyIcon(icon);
    EXPECT_NE(copy, 0u);
    EXPECT_TRUE(p.DestroyIcon(copy));
    EXPECT_TRUE(p.DestroyIcon(icon));
    ico.resize(40);  // the image lies beyond the end
    EXPECT_EQ(p.CreateIconFromFile(ico), 0u);
}

TEST_F(SystemCallsTest, RegistryKeysOpenCreateAndReportMissingValues) {
    auto& p = platform();
    plat::HKEY key = 0;
    plat::DWORD disposition = 0;
    ASSERT_EQ(p.RegCreateKeyExA(plat::HKEY_CURRENT_USER, "Software\\ZelvoraTest", 0, nullptr, 0,
                                plat::KEY_ALL_ACCESS, &key, &disposition),
              0);
    EXPECT_NE(key, 0u);
    EXPECT_TRUE(disposition == plat::REG_CREATED_NEW_KEY ||
                disposition == plat::REG_OPENED_EXISTING_KEY);
    plat::DWORD type = 0, size = 0;
    EXPECT_EQ(p.RegQueryValueExA(key, "Nothing", &type, nullptr, &size),
              static_cast<plat::LONG>(plat::ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(p.RegCloseKey(key), 0);
    plat::HKEY missing = 123;
    EXPECT_EQ(p.RegOpenKeyExA(plat::HKEY_CURRENT_USER, "Software\\NoSuchZelvoraKey", 0,
                              plat::KEY_ALL_ACCESS, &missing),
              static_cast<plat::LONG>(plat::ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(missing, 0u);
}

TEST_F(SystemCallsTest, FailedFileCallsSetTheErrorNumber) {
    auto& p = platform();
    EXPECT_EQ(p.CreateFileA(dir() + "\\missing.txt", plat::GENERIC_READ, plat::OPEN_EXISTING),
              plat::INVALID_HANDLE_VALUE);
    EXPECT_EQ(p.GetLastError(), plat::ERROR_FILE_NOT_FOUND);
    plat::HANDLE h = p.CreateFileA(dir() + "\\a.txt", plat::GENERIC_WRITE, plat::CREATE_ALWAYS);
    ASSERT_NE(h, plat::INVALID_HANDLE_VALUE);
    plat::DWORD written = 0;
    EXPECT_TRUE(p.WriteFile(h, "abc", 3, &written));
    EXPECT_EQ(written, 3u);
    EXPECT_EQ(p.GetFileSize(h), 3u);
    EXPECT_TRUE(p.CloseHandle(h));
    EXPECT_FALSE(p.CopyFileA(dir() + "\\a.txt", dir() + "\\a.txt", 1));
    EXPECT_EQ(p.GetLastError(), plat::ERROR_FILE_EXISTS);
}

TEST_F(SystemCallsTest, LocaleAndCodePageCalls) {
    auto& p = platform();
    EXPECT_EQ(p.CompareStringA(plat::NORM_IGNORECASE, "Jazz", "JAZZ"), plat::CSTR_EQUAL);
    EXPECT_EQ(p.CompareStringA(0, "abc", "abd"), plat::CSTR_LESS_THAN);
    char16_t out[8] = {};
    EXPECT_EQ(p.MultiByteToWideChar(plat::CP_ACP, 0, "Zel", -1, out, 8), 4);
    EXPECT_EQ(std::u16string(out), u"Zel");
    EXPECT_EQ(p.PathDelimiter(), '\\');
}

}  // namespace
