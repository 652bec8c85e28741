// The shell link, text conversion, audio devices and icons.
#include <filesystem>

#include "headless_test.h"
#include "platform/posix/text.h"

using namespace plat;

namespace {

using HeadlessServices = HeadlessTest;

TEST_F(HeadlessServices, ASavedLinkIsRecordedAndExistsOnDisk) {
    auto wide = [this](const std::string& text) {
        std::u16string out(text.size() + 1, u'\0');
        int n = hl().MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, out.data(), out.size());
        out.resize(n > 0 ? n - 1 : 0);
        return out;
    };
    ShellLink* link = nullptr;
    ASSERT_EQ(hl().CoCreateShellLink(&link), S_OK);
    link->SetPath("/prog/zelvora.exe");
    link->SetDescription("Zelvora");
    PersistFile* file = nullptr;
    ASSERT_EQ(link->QueryPersistFile(&file), S_OK);

    auto name = dir() + "/Zelvora \xC3\xA9.lnk";  // an e with an accent, in UTF-8
    EXPECT_EQ(file->Save(wide(name).c_str(), 1), S_OK);
    EXPECT_TRUE(std::filesystem::exists(name));
    ASSERT_EQ(hl().linkSaves.size(), 1u);
    EXPECT_EQ(hl().linkSaves[0].path, "/prog/zelvora.exe");
    EXPECT_EQ(hl().linkSaves[0].fileName, wide(name));

    // The disk's refusal comes back as an HRESULT of its error number.
    EXPECT_EQ(file->Save(wide(dir() + "/nodir/Zelvora.lnk").c_str(), 1),
              static_cast<HRESULT>(0x80070003u));
    hl().saveLinkResult = E_ACCESSDENIED;
    EXPECT_EQ(file->Save(wide(name).c_str(), 1), E_ACCESSDENIED);

    file->Release();
    EXPECT_EQ(hl().LiveShellLinks(), 1);
    link->Release();
    EXPECT_EQ(hl().LiveShellLinks(), 0);
}

TEST_F(HeadlessServices, MultiByteToWideCharFollowsTheWindowsConventions) {
    char16_t buffer[4];
    EXPECT_EQ(hl().MultiByteToWideChar(CP_ACP, 0, "abc", -1, nullptr, 0), 4);
    EXPECT_EQ(hl().MultiByteToWideChar(CP_ACP, 0, "abc", 3, buffer, 4), 3);
    const char unterminated[] = {'x', 'y'};  // a length given: nothing beyond it is read
    EXPECT_EQ(hl().MultiByteToWideChar(CP_ACP, 0, unterminated, 2, buffer, 4), 2);
    EXPECT_EQ(hl().MultiByteToWideChar(CP_ACP, 0, "abcd", -1, buffer, 4), 0);  // no room for NUL
    EXPECT_EQ(hl().GetLastError(), 122u);  // ERROR_INSUFFICIENT_BUFFER
    EXPECT_EQ(hl().MultiByteToWideChar(CP_ACP, 0, "\xF0\x9F\x8E\xB5", 4, buffer, 4), 2);
    EXPECT_EQ(buffer[0], 0xD83C);  // a surrogate pair
}

TEST_F(HeadlessServices, CompareStringIgnoresCaseWhenAsked) {
    EXPECT_EQ(hl().CompareStringA(NORM_IGNORECASE, "Jazz", "JAZZ"), CSTR_EQUAL);
    EXPECT_EQ(hl().CompareStringA(NORM_IGNORECASE, "\xC3\x89t\xC3\xA9", "\xC3\xA9T\xC3\x89"),
              CSTR_EQUAL);
    EXPECT_EQ(hl().CompareStringA(NORM_IGNORECASE, "abc", "ABD"), CSTR_LESS_THAN);
    EXPECT_EQ(hl().CompareStringA(0, "b", "A"), CSTR_GREATER_THAN);
    EXPECT_EQ(hl().CompareStringA(0, "a", "A"), CSTR_LESS_THAN);
}

// Names and addresses that the Windows program wrote in its code page.
TEST(PosixText, TextsThatAreNotUtf8AreReadAsWindows1252) {
    EXPECT_EQ(posix::Utf8OrWindows1252("Caf\xE9 \x80 \x9D"), "Caf\xC3\xA9 \xE2\x82\xAC \xC2\x9D");
    EXPECT_EQ(posix::Utf8OrWindows1252("Caf\xC3\xA9 \xEF\xBF\xBD"), "Caf\xC3\xA9 \xEF\xBF\xBD");
    EXPECT_EQ(posix::Utf8OrWindows1252("\xC3"), "\xC3\x83");  // a sequence cut short
    EXPECT_EQ(posix::Utf8OrWindows1252(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST_F(HeadlessServices, AudioDevicesBeyondTheListAreBadIds) {
    hl().auxDevices.resize(1);
    hl().auxDevices[0].volume = 0x80008000;
    DWORD volume = 0;
    EXPECT_EQ(hl().auxGetNumDevs(), 1u);
    EXPECT_EQ(hl().auxSetVolume(0, 0x1234), MMSYSERR_NOERROR);
    EXPECT_EQ(hl().auxGetVolume(0, &volume), MMSYSERR_NOERROR);
    EXPECT_EQ(volume, 0x1234u);
    EXPECT_EQ(hl().auxGetVolume(1, &volume), MMSYSERR_BADDEVICEID);
    AUXCAPS caps;
    EXPECT_EQ(hl().auxGetDevCapsA(1, &caps, sizeof caps), MMSYSERR_BADDEVICEID);
}

TEST_F(HeadlessServices, OwnedIconsAreCountedUntilDestroyed) {
    hl().iconResources = {"MAINICON"};
    HICON shared = hl().LoadIconA("MAINICON");
    EXPECT_NE(shared, 0u);
    EXPECT_EQ(hl().LoadIconA("MAINICON"), shared);
    EXPECT_EQ(hl().LoadIconA("OTHER"), 0u);
    HICON copy = hl().CopyIcon(shared);
    HICON made = hl().CreateIconFromFile({0, 0, 1, 0});
    EXPECT_EQ(hl().LiveIcons(), 2);
    EXPECT_TRUE(hl().DestroyIcon(copy));
    EXPECT_TRUE(hl().DestroyIcon(made));
    EXPECT_FALSE(hl().DestroyIcon(made));
    EXPECT_EQ(hl().LiveIcons(), 0);
}

}  // namespace
