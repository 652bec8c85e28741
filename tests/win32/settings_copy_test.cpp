// The settings file's name with no folder: a file in the Windows directory, or the
// user's own copy of it where that directory refuses writes.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/win32/win32.h"

#include "win32/native_windows.h"

#include <shlobj.h>

namespace {

// Where the Windows directory refuses a write (a user without administrator rights;
// here a folder in the file's place, which every system refuses to write as a file),
// the settings go to the user's VirtualStore copy, which is read and written from then
// on, even where the Windows directory would take the write again.
TEST(SettingsCopy, AWriteTheWindowsDirectoryRefusesGoesToTheUsersOwnCopy) {
    char windows[MAX_PATH] = {}, local[MAX_PATH] = {};
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    ASSERT_EQ(::SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, local), S_OK);
    const std::string name = "zel_store_test.ini", original = std::string(windows) + "\\" + name;
    const std::string copy = std::string(local) + "\\VirtualStore" + (windows + 2) + "\\" + name;
    ::DeleteFileA(copy.c_str());
    ASSERT_TRUE(::CreateDirectoryA(original.c_str(), nullptr));
    ASSERT_FALSE(::WritePrivateProfileStringA("S", "A", "0", original.c_str()));

    std::unique_ptr<plat::Platform> p = plat::win32::MakePlatform();
    EXPECT_TRUE(p->WritePrivateProfileStringA("S", "A", "1", name.c_str()));
    ::RemoveDirectoryA(original.c_str());
    EXPECT_TRUE(p->WritePrivateProfileStringA("S", "B", "2", name.c_str()));
    char value[16] = {};
    p->GetPrivateProfileStringA("S", "A", "", value, sizeof value, name.c_str());
    EXPECT_STREQ(value, "1");
    ::GetPrivateProfileStringA("S", "B", "", value, sizeof value, copy.c_str());
    EXPECT_STREQ(value, "2");
    EXPECT_EQ(::GetFileAttributesA(original.c_str()), INVALID_FILE_ATTRIBUTES);
    ::DeleteFileA(copy.c_str());
}

}  // namespace
