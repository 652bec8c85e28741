#include "platform/posix/fileops.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

namespace plat::posix::fileops {

namespace {

constexpr DWORD ERROR_GEN_FAILURE = 31;
constexpr DWORD ERROR_FILENAME_EXCED_RANGE = 206;

std::string ReadOnlyKey(const std::string& path) {
    std::error_code ec;
    auto abs = std::filesystem::absolute(HostPath(path), ec);
    return (ec ? std::filesystem::path(HostPath(path)) : abs).lexically_normal().string();
}

std::string ParentOf(const std::string& host) {
    auto slash = host.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : host.substr(0, slash);
}

bool WriteFully(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        auto n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

std::string HostPath(const std::string& path) {
    std::string host = path;
    std::replace(host.begin(), host.end(), '\\', '/');
    return host;
}

bool IsInvalidName(const std::string& path) {
    auto host = HostPath(path);
    auto slash = host.find_last_of('/');
    auto name = slash == std::string::npos ? host : host.substr(slash + 1);
    if (host.empty()) return true;
    return std::any_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) < 32 ||
               std::string_view("<>:\"|?*").find(c) != std::string_view::npos;
    });
}

DWORD ErrorFromErrno(int err, const std::string& path) {
    switch (err) {
        case ENOENT: {
            bool dir = false;
            return Exists(ParentOf(HostPath(path)), &dir) && dir ? ERROR_FILE_NOT_FOUND
                                                                 : ERROR_PATH_NOT_FOUND;
        }
        case ENOTDIR:
            return ERROR_PATH_NOT_FOUND;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
        case ETXTBSY:
            return ERROR_ACCESS_DENIED;
        case EMFILE:
        case ENFILE:
            return ERROR_TOO_MANY_OPEN_FILES;
        case ENOSPC:
        case EDQUOT:
            return ERROR_DISK_FULL;
        case EEXIST:
            return ERROR_FILE_EXISTS;
        case ENOTEMPTY:
            return ERROR_DIR_NOT_EMPTY;
        case ENAMETOOLONG:
            return ERROR_FILENAME_EXCED_RANGE;
        case EINVAL:
            return ERROR_INVALID_PARAMETER;
        default:
            return ERROR_GEN_FAILURE;
    }
}

// Marked through the Platform, or a file without its owner's write bit.
bool IsReadOnly(const ReadOnlyMarks& marks, const std::string& path) {
    if (marks.paths.count(ReadOnlyKey(path)) != 0) return true;
    struct stat st {};
    return ::stat(HostPath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           !(st.st_mode & S_IWUSR);
}

void SetReadOnly(ReadOnlyMarks& marks, const std::string& path, bool readOnly) {
    struct stat st {};
    auto host = HostPath(path);
    if (::stat(host.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
        auto mode = readOnly ? st.st_mode & ~(S_IWUSR | S_IWGRP | S_IWOTH) : st.st_mode | S_IWUSR;
        ::chmod(host.c_str(), mode & 07777);
    }
    if (readOnly)
        marks.paths.insert(ReadOnlyKey(path));
    else
        marks.paths.erase(ReadOnlyKey(path));
}

bool Exists(const std::string& path, bool* isDirectory) {
    struct stat st {};
    if (::stat(HostPath(path).c_str(), &st) != 0) return false;
    if (isDirectory) *isDirectory = S_ISDIR(st.st_mode);
    return true;
}

DWORD ReadAll(const std::string& path, std::string& bytes) {
    if (IsInvalidName(path)) return ERROR_INVALID_NAME;
    bool dir = false;
    if (Exists(path, &dir) && dir) return ERROR_ACCESS_DENIED;
    int fd = ::open(HostPath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return ErrorFromErrno(errno, path);
    bytes.clear();
    char chunk[4096];
    ssize_t n;
    while ((n = ::read(fd, chunk, sizeof chunk)) != 0) {
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            int err = errno;
            ::close(fd);
            return ErrorFromErrno(err, path);
        }
        bytes.append(chunk, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return 0;
}

DWORD ReplaceWith(const ReadOnlyMarks& marks, const std::string& path, const std::string& bytes) {
    if (IsInvalidName(path)) return ERROR_INVALID_NAME;
    bool dir = false;
    if ((Exists(path, &dir) && dir) || IsReadOnly(marks, path)) return ERROR_ACCESS_DENIED;
    auto host = HostPath(path);
    auto temp = host + ".~zel" + std::to_string(::getpid());
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return ErrorFromErrno(errno, path);
    bool ok = WriteFully(fd, bytes);
    int err = errno;
    if (::close(fd) != 0 && ok) ok = false, err = errno;
    if (ok && ::rename(temp.c_str(), host.c_str()) != 0) ok = false, err = errno;
    if (ok) return 0;
    ::unlink(temp.c_str());
    return ErrorFromErrno(err, path);
}

}  // namespace plat::posix::fileops
