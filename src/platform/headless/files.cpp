// The Platform's file calls: recorded, failed on the test's request, and otherwise
// made on real files below the test's directory.
#include "platform/headless/state.h"
#include "platform/paths.h"

namespace plat::headless {

DWORD HeadlessPlatform::GetLastError() {
    Record(log, "GetLastError");
    return state_->lastError;
}

char HeadlessPlatform::PathDelimiter() {
    Record(log, "PathDelimiter");
    return '/';
}

char HeadlessPlatform::PathListSeparator() {
    Record(log, "PathListSeparator");
    return pathListSeparator;
}

std::string HeadlessPlatform::GetWindowsDirectoryA() {
    Record(log, "GetWindowsDirectoryA");
    return windowsDir;
}

DWORD HeadlessPlatform::GetFileAttributesA(const std::string& path) {
    Record(log, "GetFileAttributesA", path);
    if (state_->Injected("GetFileAttributesA")) return INVALID_FILE_ATTRIBUTES;
    return state_->files.GetFileAttributesA(path);
}

BOOL HeadlessPlatform::SetFileAttributesA(const std::string& path, DWORD attributes) {
    Record(log, "SetFileAttributesA", path, attributes);
    if (state_->Injected("SetFileAttributesA")) return 0;
    return state_->files.SetFileAttributesA(path, attributes);
}

BOOL HeadlessPlatform::CreateDirectoryA(const std::string& path) {
    Record(log, "CreateDirectoryA", path);
    if (state_->Injected("CreateDirectoryA")) return 0;
    return state_->files.CreateDirectoryA(path);
}

BOOL HeadlessPlatform::DeleteFileA(const std::string& path) {
    Record(log, "DeleteFileA", path);
    if (state_->Injected("DeleteFileA")) return 0;
    return state_->files.DeleteFileA(path);
}

BOOL HeadlessPlatform::CopyFileA(const std::string& from, const std::string& to,
                                 BOOL failIfExists) {
    Record(log, "CopyFileA", from, to, failIfExists);
    if (state_->Injected("CopyFileA")) return 0;
    return state_->files.CopyFileA(from, to, failIfExists);
}

BOOL HeadlessPlatform::MoveFileExA(const std::string& from, const std::string& to, DWORD flags) {
    Record(log, "MoveFileExA", from, to, flags);
    if (state_->Injected("MoveFileExA")) return 0;
    return state_->files.MoveFileExA(from, to, flags);
}

HANDLE HeadlessPlatform::CreateFileA(const std::string& path, DWORD access, DWORD creation) {
    Record(log, "CreateFileA", path, access, creation);
    if (state_->Injected("CreateFileA")) return INVALID_HANDLE_VALUE;
    return state_->files.CreateFileA(path, access, creation);
}

BOOL HeadlessPlatform::ReadFile(HANDLE file, void* buffer, DWORD toRead, DWORD* read) {
    Record(log, "ReadFile", file, toRead);
    if (read) *read = 0;
    if (state_->Injected("ReadFile")) return 0;
    return state_->files.ReadFile(file, buffer, toRead, read);
}

BOOL HeadlessPlatform::WriteFile(HANDLE file, const void* buffer, DWORD toWrite, DWORD* written) {
    Record(log, "WriteFile", file, toWrite);
    if (written) *written = 0;
    if (state_->Injected("WriteFile")) return 0;
    return state_->files.WriteFile(file, buffer, toWrite, written);
}

DWORD HeadlessPlatform::GetFileSize(HANDLE file) {
    Record(log, "GetFileSize", file);
    if (state_->Injected("GetFileSize")) return INVALID_FILE_ATTRIBUTES;
    return state_->files.GetFileSize(file);
}

BOOL HeadlessPlatform::CloseHandle(HANDLE file) {
    Record(log, "CloseHandle", file);
    if (state_->Injected("CloseHandle")) return 0;
    return state_->files.CloseHandle(file);
}

std::vector<std::string> HeadlessPlatform::FindFilesA(const std::string& directory) {
    Record(log, "FindFilesA", directory);
    return state_->files.FindFilesA(directory);
}

std::string HeadlessPlatform::UserDataDirectory() {
    Record(log, "UserDataDirectory");
    return userDataDir.empty() ? ExtractFileDir(moduleFileName) : userDataDir;
}

std::string HeadlessPlatform::ProgramDataDirectory() {
    Record(log, "ProgramDataDirectory");
    return programDataDir.empty() ? ExtractFileDir(moduleFileName) : programDataDir;
}

std::string HeadlessPlatform::LinkFileName(const std::string& title) {
    return title + ".lnk";
}

// The texts of this platform are what Windows gives: nothing is converted.
std::string HeadlessPlatform::SystemText(const std::string& stored) {
    return stored;
}

}  // namespace plat::headless
