#include "platform/posix/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace plat::posix {

using namespace fileops;

namespace {

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

Files::~Files() {
    for (auto& [handle, file] : files_) ::close(file.fd);
}

// Sets the error number and answers false, for the one-line failure paths below.
BOOL Files::Fail(DWORD error) {
    lastError_ = error;
    return 0;
}

DWORD Files::GetFileAttributesA(const std::string& path) {
    if (IsInvalidName(path)) return Fail(ERROR_INVALID_NAME), INVALID_FILE_ATTRIBUTES;
    struct stat st {};
    if (::stat(HostPath(path).c_str(), &st) != 0)
        return Fail(ErrorFromErrno(errno, path)), INVALID_FILE_ATTRIBUTES;
    if (S_ISDIR(st.st_mode)) return FILE_ATTRIBUTE_DIRECTORY;
    constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x20;
    return FILE_ATTRIBUTE_ARCHIVE | (IsReadOnly(readOnly_, path) ? FILE_ATTRIBUTE_READONLY : 0);
}

BOOL Files::SetFileAttributesA(const std::string& path, DWORD attributes) {
    if (IsInvalidName(path)) return Fail(ERROR_INVALID_NAME);
    if (!Exists(path)) return Fail(ErrorFromErrno(ENOENT, path));
    SetReadOnly(readOnly_, path, attributes & FILE_ATTRIBUTE_READONLY);
    return 1;
}

BOOL Files::CreateDirectoryA(const std::string& path) {
    if (IsInvalidName(path)) return Fail(ERROR_INVALID_NAME);
    if (Exists(path)) return Fail(ERROR_ALREADY_EXISTS);
    if (::mkdir(HostPath(path).c_str(), 0755) != 0) return Fail(ErrorFromErrno(errno, path));
    return 1;
}

BOOL Files::DeleteFileA(const std::string& path) {
    if (IsInvalidName(path)) return Fail(ERROR_INVALID_NAME);
    bool dir = false;
    if ((Exists(path, &dir) && dir) || IsReadOnly(readOnly_, path))
        return Fail(ERROR_ACCESS_DENIED);
    if (::unlink(HostPath(path).c_str()) != 0) return Fail(ErrorFromErrno(errno, path));
    return 1;
}

BOOL Files::CopyFileA(const std::string& from, const std::string& to, BOOL failIfExists) {
    if (IsInvalidName(from) || IsInvalidName(to)) return Fail(ERROR_INVALID_NAME);
    std::string bytes;
    if (DWORD error = ReadAll(from, bytes)) return Fail(error);
    if (failIfExists && Exists(to)) return Fail(ERROR_FILE_EXISTS);
    if (DWORD error = ReplaceWith(readOnly_, to, bytes)) return Fail(error);
    // CopyFile carries the attributes over, read-only included.
    if (IsReadOnly(readOnly_, from)) SetReadOnly(readOnly_, to, true);
    return 1;
}

BOOL Files::MoveFileExA(const std::string& from, const std::string& to, DWORD flags) {
    if (IsInvalidName(from) || IsInvalidName(to)) return Fail(ERROR_INVALID_NAME);
    if (!Exists(from)) return Fail(ErrorFromErrno(ENOENT, from));
    bool dir = false;
    if (Exists(to, &dir)) {
        if (!(flags & MOVEFILE_REPLACE_EXISTING)) return Fail(ERROR_ALREADY_EXISTS);
        if (dir || IsReadOnly(readOnly_, to)) return Fail(ERROR_ACCESS_DENIED);
    }
    // rename() replaces the target in one step: no reader ever sees it missing.
    if (::rename(HostPath(from).c_str(), HostPath(to).c_str()) != 0)
        return Fail(ErrorFromErrno(errno, to));
    if (IsReadOnly(readOnly_, from)) {  // the attribute travels with the file
        SetReadOnly(readOnly_, from, false);
        SetReadOnly(readOnly_, to, true);
    }
    return 1;
}

HANDLE Files::CreateFileA(const std::string& path, DWORD access, DWORD creation) {
    if (IsInvalidName(path)) return Fail(ERROR_INVALID_NAME), INVALID_HANDLE_VALUE;
    if (creation < CREATE_NEW || creation > OPEN_ALWAYS)
        return Fail(ERROR_INVALID_PARAMETER), INVALID_HANDLE_VALUE;
    bool dir = false, existed = Exists(path, &dir);
    bool writes = (access & GENERIC_WRITE) || creation == CREATE_ALWAYS;
    // A directory cannot be opened as a file; a read-only file not for writing.
    if (dir || (existed && writes && IsReadOnly(readOnly_, path) && creation != CREATE_NEW))
        return Fail(ERROR_ACCESS_DENIED), INVALID_HANDLE_VALUE;
    int fd = ::open(HostPath(path).c_str(), OpenFlags(access, creation) | O_CLOEXEC, 0644);
    if (fd < 0) return Fail(ErrorFromErrno(errno, path)), INVALID_HANDLE_VALUE;
    HANDLE handle = nextFile_++;
    files_[handle] = {fd, path, (access & GENERIC_READ) != 0, (access & GENERIC_WRITE) != 0};
    bool reopened = existed && (creation == CREATE_ALWAYS || creation == OPEN_ALWAYS);
    lastError_ = reopened ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS;
    return handle;
}

BOOL Files::ReadFile(HANDLE file, void* buffer, DWORD toRead, DWORD* read) {
    if (read) *read = 0;
    auto it = files_.find(file);
    if (it == files_.end()) return Fail(ERROR_INVALID_HANDLE);
    if (!buffer && toRead) return Fail(ERROR_INVALID_PARAMETER);
    if (!it->second.canRead) return Fail(ERROR_ACCESS_DENIED);
    DWORD done = 0;
    while (done < toRead) {
        auto n = ::read(it->second.fd, static_cast<char*>(buffer) + done, toRead - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Fail(ErrorFromErrno(errno, it->second.path));
        if (n == 0) break;
        done += static_cast<DWORD>(n);
    }
    if (read) *read = done;
    return 1;
}

BOOL Files::WriteFile(HANDLE file, const void* buffer, DWORD toWrite, DWORD* written) {
    if (written) *written = 0;
    auto it = files_.find(file);
    if (it == files_.end()) return Fail(ERROR_INVALID_HANDLE);
    if (!buffer && toWrite) return Fail(ERROR_INVALID_PARAMETER);
    if (!it->second.canWrite) return Fail(ERROR_ACCESS_DENIED);
    DWORD done = 0;
    while (done < toWrite) {
        auto n = ::write(it->second.fd, static_cast<const char*>(buffer) + done, toWrite - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Fail(ErrorFromErrno(errno, it->second.path));
        done += static_cast<DWORD>(n);
    }
    if (written) *written = done;
    return 1;
}

DWORD Files::GetFileSize(HANDLE file) {
    auto it = files_.find(file);
    struct stat st {};
    if (it == files_.end()) return Fail(ERROR_INVALID_HANDLE), INVALID_FILE_ATTRIBUTES;
    if (::fstat(it->second.fd, &st) != 0)
        return Fail(ErrorFromErrno(errno, it->second.path)), INVALID_FILE_ATTRIBUTES;
    return static_cast<DWORD>(st.st_size);
}

BOOL Files::CloseHandle(HANDLE file) {
    auto it = files_.find(file);
    if (it == files_.end()) return Fail(ERROR_INVALID_HANDLE);
    int result = ::close(it->second.fd);
    int err = errno;
    std::string path = it->second.path;
    files_.erase(it);
    return result == 0 ? 1 : Fail(ErrorFromErrno(err, path));
}

std::vector<std::string> Files::FindFilesA(const std::string& directory) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(HostPath(directory), error))
        if (entry.is_regular_file(error)) names.push_back(entry.path().filename().string());
    return names;
}

}  // namespace plat::posix
