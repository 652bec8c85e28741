// The Platform's file calls on real files, with the error numbers Windows gives.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "platform/headless/fileops.h"

namespace plat::headless {

using namespace fileops;

namespace {

// Sets the error number and answers false, for the one-line failure paths below.
BOOL Fail(HeadlessPlatform::State& state, DWORD error) {
    state.lastError = error;
    return 0;
}

int OpenFlags(DWORD access, DWORD creation) {
    bool write = access & GENERIC_WRITE, read = access & GENERIC_READ;
    int flags = write ? (read ? O_RDWR : O_WRONLY) : O_RDONLY;
    switch (creation) {
        case CREATE_NEW:
            return flags | O_CREAT | O_EXCL;
        case CREATE_ALWAYS:
            return (write ? flags : O_RDWR) | O_CREAT | O_TRUNC;
        case OPEN_ALWAYS:
            return flags | O_CREAT;
        default:
            return flags;
    }
}

}  // namespace

DWORD HeadlessPlatform::GetLastError() {
    Record(log, "GetLastError");
    return state_->lastError;
}

char HeadlessPlatform::PathDelimiter() {
    Record(log, "PathDelimiter");
    return '/';
}

std::string HeadlessPlatform::GetWindowsDirectoryA() {
    Record(log, "GetWindowsDirectoryA");
    return windowsDir;
}

DWORD HeadlessPlatform::GetFileAttributesA(const std::string& path) {
    Record(log, "GetFileAttributesA", path);
    auto& s = *state_;
    if (s.Injected("GetFileAttributesA")) return INVALID_FILE_ATTRIBUTES;
    if (IsInvalidName(path)) return Fail(s, ERROR_INVALID_NAME), INVALID_FILE_ATTRIBUTES;
    struct stat st {};
    if (::stat(HostPath(path).c_str(), &st) != 0)
        return Fail(s, ErrorFromErrno(errno, path)), INVALID_FILE_ATTRIBUTES;
    if (S_ISDIR(st.st_mode)) return FILE_ATTRIBUTE_DIRECTORY;
    constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x20;
    return FILE_ATTRIBUTE_ARCHIVE | (IsReadOnly(s, path) ? FILE_ATTRIBUTE_READONLY : 0);
}

BOOL HeadlessPlatform::SetFileAttributesA(const std::string& path, DWORD attributes) {
    Record(log, "SetFileAttributesA", path, attributes);
    auto& s = *state_;
    if (s.Injected("SetFileAttributesA")) return 0;
    if (IsInvalidName(path)) return Fail(s, ERROR_INVALID_NAME);
    if (!Exists(path)) return Fail(s, ErrorFromErrno(ENOENT, path));
    SetReadOnly(s, path, attributes & FILE_ATTRIBUTE_READONLY);
    return 1;
}

BOOL HeadlessPlatform::CreateDirectoryA(const std::string& path) {
    Record(log, "CreateDirectoryA", path);
    auto& s = *state_;
    if (s.Injected("CreateDirectoryA")) return 0;
    if (IsInvalidName(path)) return Fail(s, ERROR_INVALID_NAME);
    if (Exists(path)) return Fail(s, ERROR_ALREADY_EXISTS);
    if (::mkdir(HostPath(path).c_str(), 0755) != 0) return Fail(s, ErrorFromErrno(errno, path));
    return 1;
}

BOOL HeadlessPlatform::DeleteFileA(const std::string& path) {
    Record(log, "DeleteFileA", path);
    auto& s = *state_;
    if (s.Injected("DeleteFileA")) return 0;
    if (IsInvalidName(path)) return Fail(s, ERROR_INVALID_NAME);
    bool dir = false;
    if ((Exists(path, &dir) && dir) || IsReadOnly(s, path)) return Fail(s, ERROR_ACCESS_DENIED);
    if (::unlink(HostPath(path).c_str()) != 0) return Fail(s, ErrorFromErrno(errno, path));
    return 1;
}

BOOL HeadlessPlatform::CopyFileA(const std::string& from, const std::string& to,
                                 BOOL failIfExists) {
    Record(log, "CopyFileA", from, to, failIfExists);
    auto& s = *state_;
    if (s.Injected("CopyFileA")) return 0;
    if (IsInvalidName(from) || IsInvalidName(to)) return Fail(s, ERROR_INVALID_NAME);
    std::string bytes;
    if (DWORD error = ReadAll(from, bytes)) return Fail(s, error);
    if (failIfExists && Exists(to)) return Fail(s, ERROR_FILE_EXISTS);
    if (DWORD error = ReplaceWith(s, to, bytes)) return Fail(s, error);
    // CopyFile carries the attributes over, read-only included.
    if (IsReadOnly(s, from)) SetReadOnly(s, to, true);
    return 1;
}

BOOL HeadlessPlatform::MoveFileExA(const std::string& from, const std::string& to, DWORD flags) {
    Record(log, "MoveFileExA", from, to, flags);
    auto& s = *state_;
    if (s.Injected("MoveFileExA")) return 0;
    if (IsInvalidName(from) || IsInvalidName(to)) return Fail(s, ERROR_INVALID_NAME);
    if (!Exists(from)) return Fail(s, ErrorFromErrno(ENOENT, from));
    bool dir = false;
    if (Exists(to, &dir)) {
        if (!(flags & MOVEFILE_REPLACE_EXISTING)) return Fail(s, ERROR_ALREADY_EXISTS);
        if (dir || IsReadOnly(s, to)) return Fail(s, ERROR_ACCESS_DENIED);
    }
    // rename() replaces the target in one step: no reader ever sees it missing.
    if (::rename(HostPath(from).c_str(), HostPath(to).c_str()) != 0)
        return Fail(s, ErrorFromErrno(errno, to));
    if (IsReadOnly(s, from)) {  // the attribute travels with the file
        SetReadOnly(s, from, false);
        SetReadOnly(s, to, true);
    }
    return 1;
}

HANDLE HeadlessPlatform::CreateFileA(const std::string& path, DWORD access, DWORD creation) {
    Record(log, "CreateFileA", path, access, creation);
    auto& s = *state_;
    if (s.Injected("CreateFileA")) return INVALID_HANDLE_VALUE;
    if (IsInvalidName(path)) return Fail(s, ERROR_INVALID_NAME), INVALID_HANDLE_VALUE;
    if (creation < CREATE_NEW || creation > OPEN_ALWAYS)
        return Fail(s, ERROR_INVALID_PARAMETER), INVALID_HANDLE_VALUE;
    bool dir = false, existed = Exists(path, &dir);
    bool writes = (access & GENERIC_WRITE) || creation == CREATE_ALWAYS;
    // A directory cannot be opened as a file; a read-only file not for writing.
    if (dir || (existed && writes && IsReadOnly(s, path) && creation != CREATE_NEW))
        return Fail(s, ERROR_ACCESS_DENIED), INVALID_HANDLE_VALUE;
    int fd = ::open(HostPath(path).c_str(), OpenFlags(access, creation) | O_CLOEXEC, 0644);
    if (fd < 0) return Fail(s, ErrorFromErrno(errno, path)), INVALID_HANDLE_VALUE;
    HANDLE handle = s.nextFile++;
    s.files[handle] = {fd, path, (access & GENERIC_READ) != 0, (access & GENERIC_WRITE) != 0};
    bool reopened = existed && (creation == CREATE_ALWAYS || creation == OPEN_ALWAYS);
    s.lastError = reopened ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS;
    return handle;
}

BOOL HeadlessPlatform::ReadFile(HANDLE file, void* buffer, DWORD toRead, DWORD* read) {
    Record(log, "ReadFile", file, toRead);
    auto& s = *state_;
    if (read) *read = 0;
    if (s.Injected("ReadFile")) return 0;
    auto it = s.files.find(file);
    if (it == s.files.end()) return Fail(s, ERROR_INVALID_HANDLE);
    if (!buffer && toRead) return Fail(s, ERROR_INVALID_PARAMETER);
    if (!it->second.canRead) return Fail(s, ERROR_ACCESS_DENIED);
    DWORD done = 0;
    while (done < toRead) {
        auto n = ::read(it->second.fd, static_cast<char*>(buffer) + done, toRead - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Fail(s, ErrorFromErrno(errno, it->second.path));
        if (n == 0) break;
        done += static_cast<DWORD>(n);
    }
    if (read) *read = done;
    return 1;
}

BOOL HeadlessPlatform::WriteFile(HANDLE file, const void* buffer, DWORD toWrite, DWORD* written) {
    Record(log, "WriteFile", file, toWrite);
    auto& s = *state_;
    if (written) *written = 0;
    if (s.Injected("WriteFile")) return 0;
    auto it = s.files.find(file);
    if (it == s.files.end()) return Fail(s, ERROR_INVALID_HANDLE);
    if (!buffer && toWrite) return Fail(s, ERROR_INVALID_PARAMETER);
    if (!it->second.canWrite) return Fail(s, ERROR_ACCESS_DENIED);
    DWORD done = 0;
    while (done < toWrite) {
        auto n = ::write(it->second.fd, static_cast<const char*>(buffer) + done, toWrite - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Fail(s, ErrorFromErrno(errno, it->second.path));
        done += static_cast<DWORD>(n);
    }
    if (written) *written = done;
    return 1;
}

DWORD HeadlessPlatform::GetFileSize(HANDLE file) {
    Record(log, "GetFileSize", file);
    auto& s = *state_;
    if (s.Injected("GetFileSize")) return INVALID_FILE_ATTRIBUTES;
    auto it = s.files.find(file);
    struct stat st {};
    if (it == s.files.end()) return Fail(s, ERROR_INVALID_HANDLE), INVALID_FILE_ATTRIBUTES;
    if (::fstat(it->second.fd, &st) != 0)
        return Fail(s, ErrorFromErrno(errno, it->second.path)), INVALID_FILE_ATTRIBUTES;
    return static_cast<DWORD>(st.st_size);
}

BOOL HeadlessPlatform::CloseHandle(HANDLE file) {
    Record(log, "CloseHandle", file);
    auto& s = *state_;
    if (s.Injected("CloseHandle")) return 0;
    auto it = s.files.find(file);
    if (it == s.files.end()) return Fail(s, ERROR_INVALID_HANDLE);
    int result = ::close(it->second.fd);
    int err = errno;
    std::string path = it->second.path;
    s.files.erase(it);
    return result == 0 ? 1 : Fail(s, ErrorFromErrno(err, path));
}

std::vector<std::string> HeadlessPlatform::FindFilesA(const std::string& directory) {
    Record(log, "FindFilesA", directory);
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(HostPath(directory), error))
        if (entry.is_regular_file(error)) names.push_back(entry.path().filename().string());
    return names;
}

}  // namespace plat::headless
