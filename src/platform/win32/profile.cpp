// Private-profile (INI) files: the real functions, and the user's own copy of a
// settings file in the Windows directory.
//
// A bare file name is a file in the Windows directory, where a user without
// administrator rights may not write. Windows gives a 32-bit program like this one
// (its manifest asks for no execution level) a copy of its own in the user's
// VirtualStore folder the first time it writes, and reads that copy from then on. A
// 64-bit program gets no such thing: its writes would fail and its settings be lost at
// every exit. So the same rule is kept here, for both builds: the VirtualStore copy is
// read where there is one, and made when the Windows directory refuses a write. Both
// builds then share the user's one settings file.
#include <cstring>

#include "platform/win32/win32_platform.h"

namespace w32 {

namespace {

bool IsBareName(const char* fileName) {
    return fileName && *fileName && !std::strpbrk(fileName, "\\/:");
}

// %LOCALAPPDATA%\VirtualStore\Windows\<name>: where Windows keeps the user's copy of
// <Windows directory>\<name>; empty when a folder cannot be found.
std::string StoreCopyOf(const std::string& windows, const char* fileName) {
    char local[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT,
                                  local)) ||
        windows.size() < 3 || windows[1] != ':')
        return {};
    return std::string(local) + "\\VirtualStore" + windows.substr(2) + "\\" + fileName;
}

bool Exists(const std::string& path) {
    return !path.empty() && ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Makes every folder of the path up to its last part.
void MakeFoldersOf(const std::string& path) {
    for (std::size_t at = path.find('\\', 3); at != std::string::npos;
         at = path.find('\\', at + 1))
        ::CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
}

}  // namespace

plat::DWORD Win32Platform::GetPrivateProfileStringA(const char* section, const char* key,
                                                    const char* defaultValue, char* buffer,
                                                    plat::DWORD size, const char* fileName) {
    if (IsBareName(fileName)) {
        const std::string copy = StoreCopyOf(GetWindowsDirectoryA(), fileName);
        if (Exists(copy))
            return ::GetPrivateProfileStringA(section, key, defaultValue, buffer, size,
                                              copy.c_str());
    }
    return ::GetPrivateProfileStringA(section, key, defaultValue, buffer, size, fileName);
}

plat::BOOL Win32Platform::WritePrivateProfileStringA(const char* section, const char* key,
                                                     const char* value, const char* fileName) {
    if (!IsBareName(fileName)) return ::WritePrivateProfileStringA(section, key, value, fileName);
    const std::string windows = GetWindowsDirectoryA();
    const std::string copy = StoreCopyOf(windows, fileName);
    if (Exists(copy)) return ::WritePrivateProfileStringA(section, key, value, copy.c_str());
    if (::WritePrivateProfileStringA(section, key, value, fileName)) return TRUE;
    const DWORD error = ::GetLastError();
    if (error != ERROR_ACCESS_DENIED || copy.empty()) return FALSE;
    // The user's copy starts as the file the Windows directory holds, as Windows does it.
    MakeFoldersOf(copy);
    ::CopyFileA((windows + "\\" + fileName).c_str(), copy.c_str(), TRUE);
    if (::WritePrivateProfileStringA(section, key, value, copy.c_str())) return TRUE;
    ::SetLastError(error);
    return FALSE;
}

}  // namespace w32
