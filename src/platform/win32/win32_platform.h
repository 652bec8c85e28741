// The Windows platform: each method is a thin call of the Windows function it is
// named after. The definitions are spread over files by subject (process.cpp,
// files.cpp, windows.cpp, controls.cpp, menus.cpp, message_loop.cpp ...).
#pragma once

#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "platform/platform.h"
#include "platform/win32/handles.h"

namespace w32 {

using PHWND = plat::HWND;
using PHICON = plat::HICON;
using PHKEY = plat::HKEY;
using PHANDLE = plat::HANDLE;

class NetworkCalls;

class Win32Platform final : public plat::Platform {
  public:
    Win32Platform();
    ~Win32Platform() override;

    std::string GetModuleFileNameA() override;
    [[noreturn]] void ExitProcess(plat::UINT exitCode) override;
    plat::UINT WinExec(const std::string& commandLine, int showCmd) override;
    plat::LRESULT ShellExecuteA(PHWND owner, const std::string& operation, const std::string& file,
                                const std::string& parameters, const std::string& directory,
                                int showCmd) override;
    int CompareStringA(plat::DWORD flags, const std::string& a, const std::string& b) override;
    plat::BOOL WinHelpA(PHWND owner, const std::string& helpFile, plat::UINT command,
                        std::uintptr_t data) override;
    int MultiByteToWideChar(plat::UINT codePage, plat::DWORD flags, const char* text, int length,
                            char16_t* buffer, int bufferLength) override;
    int WideCharToMultiByte(plat::UINT codePage, plat::DWORD flags, const char16_t* text,
                            int length, char* buffer, int bufferLength,
                            plat::BOOL* usedDefaultChar) override;
    std::optional<std::string> GetEnvironmentVariableA(const std::string& name) override;
    plat::UINT StartProcess(const std::string& program, const std::vector<std::string>& arguments,
                            int showCmd, plat::PROCESS* process) override;
    plat::PROCESS OpenProcess(plat::DWORD processId) override;
    void ReleaseProcess(plat::PROCESS process) override;
    plat::DWORD ProcessIdOf(plat::PROCESS process) override;
    bool ProcessHasEnded(plat::PROCESS process, plat::UINT milliseconds) override;
    std::vector<plat::DWORD> ProcessesOfProgram(const std::string& programFile) override;
    plat::BOOL CloseProcessWindows(plat::PROCESS process) override;
    plat::BOOL RaiseProcessWindow(plat::PROCESS process) override;
    // Windows players publish nothing of what they play.
    std::vector<plat::DWORD> ProcessesPlaying(const std::string&) override { return {}; }
    std::optional<std::string> NowPlayingTitle(plat::PROCESS) override { return std::nullopt; }
    void WatchNowPlaying(plat::HWND, plat::UINT) override {}
    std::string NewPlayerChannelAddress(const std::string& prefix) override;
    plat::CHANNEL ConnectPlayerChannel(const std::string& address) override;
    plat::BOOL WritePlayerChannel(plat::CHANNEL channel, const std::string& bytes) override;
    plat::BOOL ReadPlayerChannel(plat::CHANNEL channel, std::string& into,
                                 std::size_t maxBytes) override;
    void ClosePlayerChannel(plat::CHANNEL channel) override;
    std::optional<std::string> ProcessWindowCaption(plat::PROCESS process) override;
    std::string PlaybackStatus(plat::PROCESS) override { return {}; }
    plat::BOOL SetClipboardText(PHWND owner, const std::string& text) override;

    plat::DWORD GetLastError() override;
    char PathDelimiter() override { return '\\'; }
    char PathListSeparator() override { return ';'; }
    std::string GetWindowsDirectoryA() override;
    plat::DWORD GetFileAttributesA(const std::string& path) override;
    plat::BOOL SetFileAttributesA(const std::string& path, plat::DWORD attributes) override;
    plat::BOOL CreateDirectoryA(const std::string& path) override;
    plat::BOOL DeleteFileA(const std::string& path) override;
    plat::BOOL CopyFileA(const std::string& from, const std::string& to,
                         plat::BOOL failIfExists) override;
    plat::BOOL MoveFileExA(const std::string& from, const std::string& to,
                           plat::DWORD flags) override;
    PHANDLE CreateFileA(const std::string& path, plat::DWORD access, plat::DWORD creation) override;
    plat::BOOL ReadFile(PHANDLE file, void* buffer, plat::DWORD toRead, plat::DWORD* read) override;
    plat::BOOL WriteFile(PHANDLE file, const void* buffer, plat::DWORD toWrite,
                         plat::DWORD* written) override;
    plat::DWORD GetFileSize(PHANDLE file) override;
    plat::BOOL CloseHandle(PHANDLE file) override;
    std::vector<std::string> FindFilesA(const std::string& directory) override;
    std::string UserDataDirectory() override;
    std::string ProgramDataDirectory() override;
    std::string LinkFileName(const std::string& title) override { return title + ".lnk"; }
    std::string SystemText(const std::string& stored) override { return stored; }

    plat::DWORD GetPrivateProfileStringA(const char* section, const char* key,
                                         const char* defaultValue, char* buffer, plat::DWORD size,
                                         const char* fileName) override;
    plat::BOOL WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                          const char* fileName) override;

    plat::LONG RegOpenKeyExA(PHKEY root, const char* subKey, plat::DWORD options,
                             plat::DWORD access, PHKEY* result) override;
    plat::LONG RegCreateKeyExA(PHKEY root, const char* subKey, plat::DWORD reserved,
                               const char* className, plat::DWORD options, plat::DWORD access,
                               PHKEY* result, plat::DWORD* disposition) override;
    plat::LONG RegQueryValueExA(PHKEY key, const char* valueName, plat::DWORD* type,
                                std::uint8_t* data, plat::DWORD* dataSize) override;
    plat::LONG RegCloseKey(PHKEY key) override;

    plat::HRESULT CoInitialize() override;
    void CoUninitialize() override;
    plat::HRESULT CoCreateShellLink(plat::ShellLink** out) override;

    plat::BOOL Shell_NotifyIconA(plat::DWORD message, const plat::NOTIFYICONDATA& data) override;
    bool HasNotificationArea() override { return true; }

    plat::UINT auxGetNumDevs() override;
    plat::MMRESULT auxGetDevCapsA(plat::UINT device, plat::AUXCAPS* caps, plat::UINT size) override;
    plat::MMRESULT auxGetVolume(plat::UINT device, plat::DWORD* volume) override;
    plat::MMRESULT auxSetVolume(plat::UINT device, plat::DWORD volume) override;

    plat::UINT GetDoubleClickTime() override;
    plat::BOOL GetCursorPos(plat::POINT* point) override;
    std::int16_t GetKeyState(int virtualKey) override;
    plat::POINT GetScreenSize() override;

    PHICON LoadIconA(const std::string& resourceName) override;
    PHICON CreateIconFromFile(const std::vector<std::uint8_t>& icoBytes) override;
    PHICON CopyIcon(PHICON icon) override;
    plat::BOOL DestroyIcon(PHICON icon) override;

    PHWND CreateWindowA(const plat::WindowSpec& spec) override;
    plat::BOOL DestroyWindow(PHWND window) override;
    PHWND FindWindowA(const char* className, const char* title) override;
    plat::LRESULT SendMessageA(PHWND window, plat::UINT msg, plat::WPARAM wParam,
                               plat::LPARAM lParam) override;
    plat::BOOL PostMessageA(PHWND window, plat::UINT msg, plat::WPARAM wParam,
                            plat::LPARAM lParam) override;
    plat::UINT RegisterWindowMessageA(const std::string& name) override;
    plat::BOOL ShowWindow(PHWND window, int showCmd) override;
    plat::BOOL SetForegroundWindow(PHWND window) override;
    plat::BOOL BringWindowToTop(PHWND window) override;
    plat::BOOL EnableWindow(PHWND window, plat::BOOL enable) override;
    PHWND SetFocus(PHWND window) override;
    plat::BOOL SetWindowTextA(PHWND window, const std::string& text) override;
    plat::BOOL MoveWindow(PHWND window, const plat::RECT& bounds) override;
    plat::POINT FrameSize(plat::BorderStyle border, bool hasMenu) override;
    void SetFont(PHWND window, const plat::FontSpec& font) override;
    void SetHint(PHWND window, const std::string& hint) override;
    PHWND SetCapture(PHWND window) override;
    plat::BOOL ReleaseCapture() override;
    void SetDragCursor(bool dragging, bool accepted) override;

    void ListInsert(PHWND list, int index, const std::string& text) override;
    void ListDelete(PHWND list, int index) override;
    void ListClear(PHWND list) override;
    void ListSetSelection(PHWND list, int index) override;
    int ListGetTopIndex(PHWND list) override;
    void CheckSet(PHWND checkBox, bool checked) override;
    void TrackSetRange(PHWND trackBar, int min, int max) override;
    void TrackSetPosition(PHWND trackBar, int position) override;
    void TrackSetFrequency(PHWND trackBar, int frequency) override;
    bool RichSetText(PHWND richEdit, const std::string& text, bool asRichText) override;
    void TabAdd(PHWND tabs, const std::string& caption) override;
    void ButtonSetDefault(PHWND button, bool isDefault) override;

    void SetMenu(PHWND form, const std::vector<plat::MenuItemSpec>& menuBar) override;
    plat::UINT TrackPopupMenu(const std::vector<plat::MenuItemSpec>& items, plat::POINT at,
                              PHWND owner) override;

    plat::BOOL SetTimer(PHWND window, plat::UINT id, plat::UINT milliseconds) override;
    plat::BOOL KillTimer(PHWND window, plat::UINT id) override;

    int MessageBoxA(PHWND owner, const std::string& text, const std::string& caption,
                    plat::UINT type) override;
    bool GetOpenFileNameA(plat::OpenFileRequest& request) override;
    bool GetSaveFileNameA(plat::OpenFileRequest& request) override;

    bool ClaimSingleInstance() override;
    void WatchLaterStarts(PHWND window, plat::UINT message) override;
    void WatchSessionEnd(PHWND window, plat::UINT message) override;

    void RunMessageLoop() override;
    void RunModalLoop(PHWND modalWindow, const std::function<bool()>& done) override;
    void ProcessMessages() override;

    // -- Network (network.cpp, http_call.cpp, dns_call.cpp) --
    plat::UINT WinHttpSendRequest(const plat::HttpRequest& request, PHWND window,
                                  plat::UINT message) override;
    bool WinHttpTakeResponse(plat::UINT request, plat::HttpResponse* response) override;
    void WinHttpCloseRequest(plat::UINT request) override;
    plat::UINT DnsQueryA(const std::string& name, plat::WORD type, PHWND window,
                         plat::UINT message) override;
    bool DnsTakeAnswer(plat::UINT query, plat::DnsAnswer* answer) override;
    void DnsCancelQuery(plat::UINT query) override;

  private:
    NetworkCalls& Network();  // made at first use
    std::shared_ptr<NetworkCalls> network_;

    HFONT Font(const plat::FontSpec& spec);

    // One font object per distinct spec, shared by every window that uses it.
    std::map<std::tuple<std::string, int, bool, bool>, UniqueFont> fonts_;
};

}  // namespace w32
