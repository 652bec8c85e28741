// The file rules the program's tests count on: Windows error numbers, read-only files
// and the replace that never leaves a file half written.
#include "headless_test.h"
#include "platform/paths.h"

using namespace plat;

namespace {

class HeadlessFiles : public HeadlessTest {
  protected:
    std::string At(const std::string& name) const { return dir() + "/" + name; }

    bool Write(const std::string& path, const std::string& bytes, DWORD creation = CREATE_ALWAYS) {
        HANDLE file = hl().CreateFileA(path, GENERIC_WRITE, creation);
        if (file == INVALID_HANDLE_VALUE) return false;
        DWORD written = 0;
        bool ok = hl().WriteFile(file, bytes.data(), bytes.size(), &written);
        return hl().CloseHandle(file) && ok && written == bytes.size();
    }
    std::string Read(const std::string& path) {
        HANDLE file = hl().CreateFileA(path, GENERIC_READ, OPEN_EXISTING);
        if (file == INVALID_HANDLE_VALUE)
            return "<error " + std::to_string(hl().GetLastError()) + ">";
        std::string bytes(hl().GetFileSize(file), '\0');
        DWORD read = 0;
        hl().ReadFile(file, bytes.data(), bytes.size(), &read);
        hl().CloseHandle(file);
        return bytes.substr(0, read);
    }
    // The error number a failed call left, or 0 when it succeeded.
    DWORD ErrorOf(bool succeeded) { return succeeded ? 0 : hl().GetLastError(); }
};

TEST_F(HeadlessFiles, MissingFilesAndDirectoriesGiveTheirOwnNumbers) {
    EXPECT_EQ(hl().CreateFileA(At("none"), GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_EQ(hl().GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(hl().CreateFileA(At("nodir/x"), GENERIC_WRITE, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
    EXPECT_EQ(hl().GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(ErrorOf(hl().DeleteFileA(At("none"))), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(ErrorOf(hl().DeleteFileA(At("nodir/x"))), ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(hl().GetFileAttributesA(At("nodir/x")), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(hl().GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(ErrorOf(hl().CreateDirectoryA(At("a/b"))), ERROR_PATH_NOT_FOUND);
}

TEST_F(HeadlessFiles, NamesWindowsRefusesAreInvalid) {
    for (const char* name : {"a:b", "a*", "what?", "x<y", "pipe|", "quote\"", "tab\tname"}) {
        EXPECT_FALSE(Write(At(name), "x")) << name;
        EXPECT_EQ(hl().GetLastError(), ERROR_INVALID_NAME) << name;
    }
    // Only the last component counts: a drive colon in a directory is no name error.
    EXPECT_EQ(ErrorOf(Write(At("C:/sub/ok"), "x")), ERROR_PATH_NOT_FOUND);
}

TEST_F(HeadlessFiles, CreationDispositionsAnswerAsWindowsDoes) {
    ASSERT_TRUE(Write(At("f"), "old"));
    EXPECT_EQ(ErrorOf(Write(At("f"), "x", CREATE_NEW)), ERROR_FILE_EXISTS);
    HANDLE again = hl().CreateFileA(At("f"), GENERIC_WRITE, CREATE_ALWAYS);
    EXPECT_EQ(hl().GetLastError(), ERROR_ALREADY_EXISTS);  // success that replaced a file
    hl().CloseHandle(again);
    EXPECT_EQ(Read(At("f")), "");
    EXPECT_EQ(hl().CreateFileA(dir(), GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_EQ(hl().GetLastError(), ERROR_ACCESS_DENIED);  // a directory is no file
    EXPECT_EQ(ErrorOf(hl().CloseHandle(12345)), ERROR_INVALID_HANDLE);
}

TEST_F(HeadlessFiles, ReadOnlyFilesRefuseWritesReplacesAndDeletes) {
    ASSERT_TRUE(Write(At("ro"), "kept"));
    ASSERT_TRUE(Write(At("new"), "new"));
    ASSERT_TRUE(hl().SetFileAttributesA(At("ro"), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(hl().GetFileAttributesA(At("ro")) & FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_READONLY);

    EXPECT_EQ(ErrorOf(Write(At("ro"), "x")), ERROR_ACCESS_DENIED);
    EXPECT_EQ(ErrorOf(hl().MoveFileExA(At("new"), At("ro"), MOVEFILE_REPLACE_EXISTING)),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(ErrorOf(hl().CopyFileA(At("new"), At("ro"), 0)), ERROR_ACCESS_DENIED);
    EXPECT_EQ(ErrorOf(hl().DeleteFileA(At("ro"))), ERROR_ACCESS_DENIED);
    EXPECT_FALSE(hl().WritePrivateProfileStringA("A", "k", "v", At("ro").c_str()));
    EXPECT_EQ(hl().GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(Read(At("ro")), "kept");

    ASSERT_TRUE(hl().SetFileAttributesA(At("ro"), FILE_ATTRIBUTE_NORMAL));
    EXPECT_TRUE(hl().DeleteFileA(At("ro")));
}

TEST_F(HeadlessFiles, MoveReplacesOnlyWhenAskedAndInOneStep) {
    ASSERT_TRUE(Write(At("target"), "old"));
    ASSERT_TRUE(Write(At("temp"), "new"));
    EXPECT_EQ(ErrorOf(hl().MoveFileExA(At("temp"), At("target"), 0)), ERROR_ALREADY_EXISTS);
    EXPECT_EQ(Read(At("target")), "old");

    // Held open across the replace, the old file stays whole: a rename, not a rewrite.
    HANDLE reader = hl().CreateFileA(At("target"), GENERIC_READ, OPEN_EXISTING);
    EXPECT_TRUE(hl().MoveFileExA(At("temp"), At("target"), MOVEFILE_REPLACE_EXISTING));
    char old[8] = {};
    DWORD read = 0;
    EXPECT_TRUE(hl().ReadFile(reader, old, sizeof old, &read));
    EXPECT_EQ(std::string(old, read), "old");
    hl().CloseHandle(reader);
    EXPECT_EQ(Read(At("target")), "new");
    EXPECT_EQ(hl().GetFileAttributesA(At("temp")), INVALID_FILE_ATTRIBUTES);
}

TEST_F(HeadlessFiles, FailNextBreaksOnlyTheNextCallOfThatName) {
    hl().FailNext("WriteFile", ERROR_DISK_FULL);
    EXPECT_EQ(ErrorOf(Write(At("f"), "x")), ERROR_DISK_FULL);
    EXPECT_TRUE(Write(At("f"), "x"));
    hl().FailNext("WritePrivateProfileStringA", ERROR_ACCESS_DENIED);
    EXPECT_FALSE(hl().WritePrivateProfileStringA("A", "k", "v", "x.ini"));
    EXPECT_TRUE(hl().WritePrivateProfileStringA("A", "k", "v", "x.ini"));
    // A bare INI name lives in the Windows directory.
    EXPECT_EQ(Read(hl().windowsDir + "/x.ini"), "[A]\r\nk=v\r\n");
}

TEST_F(HeadlessFiles, CallsAreLoggedWithTheirArguments) {
    hl().log.clear();
    hl().DeleteFileA("a b");
    hl().GetPrivateProfileStringA("S", nullptr, "d", nullptr, 0, "f.ini");
    EXPECT_EQ(hl().log, (std::vector<std::string>{
                            R"(DeleteFileA("a b"))",
                            R"(GetPrivateProfileStringA("S", null, "d", 0, "f.ini"))"}));
}

}  // namespace
