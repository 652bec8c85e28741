// Files and folders: the shared POSIX calls, the settings file in the user's
// configuration folder, the station files in the user's data folder, and the user's
// folders as the registry names them on Windows.
#include <QCoreApplication>
#include <cstring>

#include "platform/posix/profile.h"
#include "platform/posix/text.h"
#include "platform/qt/input_filter.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/xdg.h"

namespace qtb {

namespace {

constexpr char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

bool IsBareName(const char* fileName) {
    return !fileName || !std::strpbrk(fileName, "/\\");
}

}  // namespace

// ---- Where the program's files live -----------------------------------------------------

// A bare settings file name lives here, where Windows would use its own folder.
std::string QtPlatform::GetWindowsDirectoryA() {
    return xdg::ConfigHome() + "/zelvora";
}

std::string QtPlatform::UserDataDirectory() {
    const std::string dir = xdg::DataHome() + "/zelvora";
    if (!xdg::MakePath(dir)) lastError_ = plat::ERROR_PATH_NOT_FOUND;
    return dir;
}

std::string QtPlatform::ProgramDataDirectory() {
    return xdg::ProgramDataDir(QCoreApplication::applicationDirPath().toStdString());
}

std::string QtPlatform::LinkFileName(const std::string& title) {
    return QString::fromStdString(title).toLower().toStdString() + ".desktop";
}

std::string QtPlatform::SystemText(const std::string& stored) {
    return plat::posix::Utf8OrWindows1252(stored);
}

// ---- Files ------------------------------------------------------------------------------

DWORD QtPlatform::GetFileAttributesA(const std::string& path) {
    return files_.GetFileAttributesA(path);
}
BOOL QtPlatform::SetFileAttributesA(const std::string& path, DWORD attributes) {
    return files_.SetFileAttributesA(path, attributes);
}
BOOL QtPlatform::CreateDirectoryA(const std::string& path) {
    return files_.CreateDirectoryA(path);
}
BOOL QtPlatform::DeleteFileA(const std::string& path) {
    return files_.DeleteFileA(path);
}
BOOL QtPlatform::CopyFileA(const std::string& from, const std::string& to, BOOL failIfExists) {
    return files_.CopyFileA(from, to, failIfExists);
}
BOOL QtPlatform::MoveFileExA(const std::string& from, const std::string& to, DWORD flags) {
    return files_.MoveFileExA(from, to, flags);
}
HANDLE QtPlatform::CreateFileA(const std::string& path, DWORD access, DWORD creation) {
    return files_.CreateFileA(path, access, creation);
}
BOOL QtPlatform::ReadFile(HANDLE file, void* buffer, DWORD toRead, DWORD* read) {
    return files_.ReadFile(file, buffer, toRead, read);
}
BOOL QtPlatform::WriteFile(HANDLE file, const void* buffer, DWORD toWrite, DWORD* written) {
    return files_.WriteFile(file, buffer, toWrite, written);
}
DWORD QtPlatform::GetFileSize(HANDLE file) {
    return files_.GetFileSize(file);
}
BOOL QtPlatform::CloseHandle(HANDLE file) {
    return files_.CloseHandle(file);
}
std::vector<std::string> QtPlatform::FindFilesA(const std::string& directory) {
    return files_.FindFilesA(directory);
}

// ---- The settings file --------------------------------------------------------------------

DWORD QtPlatform::GetPrivateProfileStringA(const char* section, const char* key,
                                           const char* defaultValue, char* buffer, DWORD size,
                                           const char* fileName) {
    return plat::posix::GetProfileString(files_, GetWindowsDirectoryA(), section, key, defaultValue,
                                         buffer, size, fileName);
}

BOOL QtPlatform::WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                            const char* fileName) {
    // The configuration folder may not be there yet on a fresh account.
    if (IsBareName(fileName)) xdg::MakePath(GetWindowsDirectoryA());
    return plat::posix::WriteProfileString(files_, GetWindowsDirectoryA(), section, key, value,
                                           fileName);
}

// ---- The registry ---------------------------------------------------------------------------

// The folders that Windows names under Shell Folders, as this desktop has them: the menu
// of applications, the desktop and the programs started at login.
void QtPlatform::SeedUserFolders() {
    if (foldersSeeded_) return;
    foldersSeeded_ = true;
    const std::string applications = xdg::DataHome() + "/applications";
    const std::pair<const char*, std::string> folders[] = {
        {"Desktop", xdg::DefaultUserDir("DESKTOP")},
        {"Start Menu", applications},
        {"Programs", applications},
        {"Startup", xdg::ConfigHome() + "/autostart"},
        {"Fonts", xdg::DataHome() + "/fonts"},
    };
    for (const auto& [name, path] : folders)
        registry_.SetString(plat::HKEY_CURRENT_USER, kShellFolders, name, path);
    // The desktop folder the user renamed or moved comes a moment later; the program
    // reads it only when a shortcut is made on the desktop, which is never at start.
    xdg::AskUserDir("DESKTOP", poster_.get(), [this](const std::string& desktop) {
        registry_.SetString(plat::HKEY_CURRENT_USER, kShellFolders, "Desktop", desktop);
    });
}

LONG QtPlatform::RegOpenKeyExA(HKEY root, const char* subKey, DWORD, DWORD, HKEY* result) {
    SeedUserFolders();
    return registry_.OpenKey(root, subKey, result);
}

LONG QtPlatform::RegCreateKeyExA(HKEY root, const char* subKey, DWORD, const char*, DWORD, DWORD,
                                 HKEY* result, DWORD* disposition) {
    SeedUserFolders();
    return registry_.CreateKey(root, subKey, result, disposition);
}

LONG QtPlatform::RegQueryValueExA(HKEY key, const char* valueName, DWORD* type, std::uint8_t* data,
                                  DWORD* dataSize) {
    return registry_.QueryValue(key, valueName, type, data, dataSize);
}

LONG QtPlatform::RegCloseKey(HKEY key) {
    return registry_.CloseKey(key);
}

}  // namespace qtb
