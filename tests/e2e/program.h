// The program under test as another program sees it: a process started from its
// folder, its windows found by class, and the files it leaves on disk.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace e2e {

class Program {
  public:
    Program() = default;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    ~Program();

    // Starts the program file with its own folder as the working folder.
    bool Start(const std::string& exe);
    bool Running() const;
    DWORD Pid() const { return pid_; }
    // Waits for the process to end by itself; true when it did.
    bool WaitEnd(DWORD ms);
    // Ends it without asking, as the end of the Windows session would.
    void Kill();

    HWND Window(const std::string& cls) const;
    HWND ShownWindow(const std::string& cls, const std::string& captionPart = "") const;
    // The window the tray icon's mouse messages go to.
    HWND TrayWindow() const;

  private:
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
};

// ---- Files ------------------------------------------------------------------------
bool FileExists(const std::string& path);
bool DirExists(const std::string& path);
std::optional<std::string> ReadFile(const std::string& path);
// The directory part of a path, without the separator.
std::string DirOf(const std::string& path);
// The settings file: zelvora.ini in the Windows directory.
std::string SettingsFile();
std::string IniValue(const std::string& section, const std::string& key);
void SetIniValue(const std::string& section, const std::string& key, const std::string& value);

// Writes what the whole screen shows as a .bmp file.
bool Screenshot(const std::string& path);

}  // namespace e2e
