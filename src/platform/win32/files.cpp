// Plain files and directories: the ...A calls, errors through GetLastError.
#include "platform/paths.h"
#include "platform/win32/win32_platform.h"

namespace w32 {

namespace {

::HANDLE Native(PHANDLE h) {
    return reinterpret_cast<::HANDLE>(h);
}

}  // namespace

plat::DWORD Win32Platform::GetLastError() {
    return ::GetLastError();
}

std::string Win32Platform::GetWindowsDirectoryA() {
    char buf[MAX_PATH + 1] = {};
    plat::UINT n = ::GetWindowsDirectoryA(buf, sizeof buf);
    return std::string(buf, n < sizeof buf ? n : 0);
}

plat::DWORD Win32Platform::GetFileAttributesA(const std::string& path) {
    return ::GetFileAttributesA(path.c_str());
}

plat::BOOL Win32Platform::SetFileAttributesA(const std::string& path, plat::DWORD attributes) {
    return ::SetFileAttributesA(path.c_str(), attributes);
}

plat::BOOL Win32Platform::CreateDirectoryA(const std::string& path) {
    return ::CreateDirectoryA(path.c_str(), nullptr);
}

plat::BOOL Win32Platform::DeleteFileA(const std::string& path) {
    return ::DeleteFileA(path.c_str());
}

plat::BOOL Win32Platform::CopyFileA(const std::string& from, const std::string& to,
                                    plat::BOOL failIfExists) {
    return ::CopyFileA(from.c_str(), to.c_str(), failIfExists);
}

plat::BOOL Win32Platform::MoveFileExA(const std::string& from, const std::string& to,
                                      plat::DWORD flags) {
    return ::MoveFileExA(from.c_str(), to.c_str(), flags);
}

PHANDLE Win32Platform::CreateFileA(const std::string& path, plat::DWORD access,
                                   plat::DWORD creation) {
    // Readers share with readers; a writer keeps the file to itself while it writes.
    plat::DWORD share = (access & GENERIC_WRITE) ? 0 : FILE_SHARE_READ;
    ::HANDLE h = ::CreateFileA(path.c_str(), access, share, nullptr, creation,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    return reinterpret_cast<PHANDLE>(h);
}

plat::BOOL Win32Platform::ReadFile(PHANDLE file, void* buffer, plat::DWORD toRead,
                                   plat::DWORD* read) {
    ::DWORD n = 0;
    plat::BOOL ok = ::ReadFile(Native(file), buffer, toRead, &n, nullptr);
    if (read) *read = n;
    return ok;
}

plat::BOOL Win32Platform::WriteFile(PHANDLE file, const void* buffer, plat::DWORD toWrite,
                                    plat::DWORD* written) {
    ::DWORD n = 0;
    plat::BOOL ok = ::WriteFile(Native(file), buffer, toWrite, &n, nullptr);
    if (written) *written = n;
    return ok;
}

plat::DWORD Win32Platform::GetFileSize(PHANDLE file) {
    return ::GetFileSize(Native(file), nullptr);
}

plat::BOOL Win32Platform::CloseHandle(PHANDLE file) {
    return ::CloseHandle(Native(file));
}

std::vector<std::string> Win32Platform::FindFilesA(const std::string& directory) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    std::string pattern = directory;
    if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != '/') pattern += '\\';
    ::HANDLE h = ::FindFirstFileA((pattern + "*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (::FindNextFileA(h, &found));
    ::FindClose(h);
    return names;
}

// Everything the program reads and writes of its own lies beside the program.
std::string Win32Platform::UserDataDirectory() {
    return plat::ExtractFileDir(GetModuleFileNameA());
}

std::string Win32Platform::ProgramDataDirectory() {
    return plat::ExtractFileDir(GetModuleFileNameA());
}

}  // namespace w32
