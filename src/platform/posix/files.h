// The Platform's file calls on real files, with the error numbers Windows gives: what
// every backend that runs on a POSIX system shares. Each call answers as its Windows
// namesake does and leaves its error number in lastError.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/posix/fileops.h"

namespace plat::posix {

class Files {
  public:
    // lastError is where failures leave their error number (GetLastError's answer).
    explicit Files(DWORD& lastError) : lastError_(lastError) {}
    ~Files();
    Files(const Files&) = delete;
    Files& operator=(const Files&) = delete;

    DWORD GetFileAttributesA(const std::string& path);
    BOOL SetFileAttributesA(const std::string& path, DWORD attributes);
    BOOL CreateDirectoryA(const std::string& path);
    BOOL DeleteFileA(const std::string& path);
    BOOL CopyFileA(const std::string& from, const std::string& to, BOOL failIfExists);
    BOOL MoveFileExA(const std::string& from, const std::string& to, DWORD flags);
    HANDLE CreateFileA(const std::string& path, DWORD access, DWORD creation);
    BOOL ReadFile(HANDLE file, void* buffer, DWORD toRead, DWORD* read);
    BOOL WriteFile(HANDLE file, const void* buffer, DWORD toWrite, DWORD* written);
    DWORD GetFileSize(HANDLE file);
    BOOL CloseHandle(HANDLE file);
    // The names of the plain files in the directory, in no particular order.
    std::vector<std::string> FindFilesA(const std::string& directory);

    const ReadOnlyMarks& ReadOnly() const { return readOnly_; }
    DWORD& LastError() { return lastError_; }

  private:
    struct OpenFile {
        int fd = -1;
        std::string path;
        bool canRead = false;
        bool canWrite = false;
    };
    BOOL Fail(DWORD error);

    DWORD& lastError_;
    ReadOnlyMarks readOnly_;
    std::map<HANDLE, OpenFile> files_;
    HANDLE nextFile_ = 0x100;
};

}  // namespace plat::posix
