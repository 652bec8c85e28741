// The registry's status codes, which the registry helper turns into its errors.
#include "headless_test.h"

using namespace plat;

namespace {

using HeadlessRegistry = HeadlessTest;

constexpr const char* kFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

TEST_F(HeadlessRegistry, OpenQueryAndCloseAnswerWithWindowsStatusCodes) {
    hl().SetRegistryString(HKEY_CURRENT_USER, kFolders, "Desktop", "C:\\Desk");
    HKEY key = 0;
    EXPECT_EQ(hl().RegOpenKeyExA(HKEY_CURRENT_USER,
                                 "software\\MICROSOFT\\Windows\\CurrentVersion"
                                 "\\Explorer\\shell folders",
                                 0, KEY_ALL_ACCESS, &key),
              ERROR_SUCCESS);
    ASSERT_NE(key, 0u);

    DWORD type = 0, size = 0;
    EXPECT_EQ(hl().RegQueryValueExA(key, "desktop", &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, 8u);  // the text and its NUL
    std::uint8_t small[4];
    size = sizeof small;
    EXPECT_EQ(hl().RegQueryValueExA(key, "Desktop", &type, small, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 8u);
    std::uint8_t data[16] = {};
    size = sizeof data;
    EXPECT_EQ(hl().RegQueryValueExA(key, "Desktop", &type, data, &size), ERROR_SUCCESS);
    EXPECT_STREQ(reinterpret_cast<char*>(data), "C:\\Desk");
    EXPECT_EQ(hl().RegQueryValueExA(key, "Startup", &type, data, &size), ERROR_FILE_NOT_FOUND);

    EXPECT_EQ(hl().RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(hl().RegCloseKey(key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(hl().RegQueryValueExA(key, "Desktop", &type, data, &size), ERROR_INVALID_HANDLE);
    EXPECT_EQ(hl().RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\None", 0, KEY_ALL_ACCESS, &key),
              ERROR_FILE_NOT_FOUND);
}

TEST_F(HeadlessRegistry, CreateMakesMissingKeysExceptBelowDynamicData) {
    HKEY key = 0;
    DWORD disposition = 0;
    EXPECT_EQ(hl().RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Zel\\Sub", 0, "", 0,
                                   KEY_ALL_ACCESS, &key, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    EXPECT_TRUE(hl().RegistryKeyExists(HKEY_CURRENT_USER, "SOFTWARE\\zel\\sub"));
    EXPECT_EQ(hl().RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Zel", 0, "", 0, KEY_ALL_ACCESS,
                                   &key, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);

    EXPECT_NE(hl().RegCreateKeyExA(HKEY_DYN_DATA, "PerfStats", 0, "", 0, KEY_ALL_ACCESS, &key,
                                   &disposition),
              ERROR_SUCCESS);
    EXPECT_FALSE(hl().RegistryKeyExists(HKEY_DYN_DATA, "PerfStats"));
    EXPECT_EQ(hl().RegCreateKeyExA(0x1234, "X", 0, "", 0, KEY_ALL_ACCESS, &key, &disposition),
              ERROR_INVALID_HANDLE);
}

TEST_F(HeadlessRegistry, InjectedFailuresHitTheNextCallOnly) {
    hl().failNextRegistry["RegOpenKeyExA"] = ERROR_ACCESS_DENIED;
    HKEY key = 0;
    EXPECT_EQ(hl().RegOpenKeyExA(HKEY_CURRENT_USER, "", 0, KEY_ALL_ACCESS, &key),
              static_cast<LONG>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(hl().RegOpenKeyExA(HKEY_CURRENT_USER, "", 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
}

}  // namespace
