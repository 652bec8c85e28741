// The Linux platform on Qt 6: each method a thin call of Qt or of the shared POSIX
// pieces. The definitions are spread over files by subject (process.cpp, files.cpp,
// windows.cpp, controls.cpp, menus.cpp, message_loop.cpp, tray.cpp ...).
#pragma once

#include <QApplication>
#include <QCollator>
#include <QIcon>
#include <QObject>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>

class QSocketNotifier;
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/files.h"
#include "platform/posix/registry.h"
#include "platform/qt/lifetime.h"
#include "platform/qt/session_bus.h"
#include "platform/qt/window_table.h"

namespace qtb {

using plat::BOOL;
using plat::DWORD;
using plat::HANDLE;
using plat::HICON;
using plat::HKEY;
using plat::HRESULT;
using plat::HWND;
using plat::LONG;
using plat::LPARAM;
using plat::LRESULT;
using plat::MMRESULT;
using plat::UINT;
using plat::WPARAM;

class DesktopNotifier;
class InputFilter;
class Mpris;
class Network;
class PinnedProcesses;
class Poster;
class PulseVolume;

class QtPlatform final : public plat::Platform {
  public:
    QtPlatform(int& argc, char** argv);
    ~QtPlatform() override;

    WindowTable& Windows() { return windows_; }
    QIcon IconOf(HICON icon) const;

    std::string GetModuleFileNameA() override;
    [[noreturn]] void ExitProcess(UINT exitCode) override;
    UINT WinExec(const std::string& commandLine, int showCmd) override;
    LRESULT ShellExecuteA(HWND owner, const std::string& operation, const std::string& file,
                          const std::string& parameters, const std::string& directory,
                          int showCmd) override;
    int CompareStringA(DWORD flags, const std::string& a, const std::string& b) override;
    BOOL WinHelpA(HWND owner, const std::string& helpFile, UINT command,
                  std::uintptr_t data) override;
    int MultiByteToWideChar(UINT codePage, DWORD flags, const char* text, int length,
                            char16_t* buffer, int bufferLength) override;
    int WideCharToMultiByte(UINT codePage, DWORD flags, const char16_t* text, int length,
                            char* buffer, int bufferLength, BOOL* usedDefaultChar) override;
    std::optional<std::string> GetEnvironmentVariableA(const std::string& name) override;
    UINT StartProcess(const std::string& program, const std::vector<std::string>& arguments,
                      int showCmd, plat::PROCESS* process) override;
    plat::PROCESS OpenProcess(DWORD processId) override;
    void ReleaseProcess(plat::PROCESS process) override;
    DWORD ProcessIdOf(plat::PROCESS process) override;
    bool ProcessHasEnded(plat::PROCESS process, UINT milliseconds) override;
    std::vector<DWORD> ProcessesOfProgram(const std::string& programFile) override;
    std::vector<DWORD> ProcessesPlaying(const std::string& address) override;
    BOOL CloseProcessWindows(plat::PROCESS process) override;
    BOOL RaiseProcessWindow(plat::PROCESS process) override;
    std::optional<std::string> NowPlayingTitle(plat::PROCESS process) override;
    void WatchNowPlaying(HWND window, UINT message) override;
    std::string NewPlayerChannelAddress(const std::string& prefix) override;
    plat::CHANNEL ConnectPlayerChannel(const std::string& address) override;
    BOOL WritePlayerChannel(plat::CHANNEL channel, const std::string& bytes) override;
    BOOL ReadPlayerChannel(plat::CHANNEL channel, std::string& into, std::size_t maxBytes) override;
    void ClosePlayerChannel(plat::CHANNEL channel) override;
    // Another program's windows are the window manager's.
    std::optional<std::string> ProcessWindowCaption(plat::PROCESS) override { return {}; }
    std::string PlaybackStatus(plat::PROCESS process) override;
    BOOL SetClipboardText(HWND owner, const std::string& text) override;

    DWORD GetLastError() override { return lastError_; }
    char PathDelimiter() override { return '/'; }
    char PathListSeparator() override { return ':'; }
    std::string GetWindowsDirectoryA() override;
    DWORD GetFileAttributesA(const std::string& path) override;
    BOOL SetFileAttributesA(const std::string& path, DWORD attributes) override;
    BOOL CreateDirectoryA(const std::string& path) override;
    BOOL DeleteFileA(const std::string& path) override;
    BOOL CopyFileA(const std::string& from, const std::string& to, BOOL failIfExists) override;
    BOOL MoveFileExA(const std::string& from, const std::string& to, DWORD flags) override;
    HANDLE CreateFileA(const std::string& path, DWORD access, DWORD creation) override;
    BOOL ReadFile(HANDLE file, void* buffer, DWORD toRead, DWORD* read) override;
    BOOL WriteFile(HANDLE file, const void* buffer, DWORD toWrite, DWORD* written) override;
    DWORD GetFileSize(HANDLE file) override;
    BOOL CloseHandle(HANDLE file) override;
    std::vector<std::string> FindFilesA(const std::string& directory) override;
    std::string UserDataDirectory() override;
    std::string ProgramDataDirectory() override;
    std::string LinkFileName(const std::string& title) override;
    std::string SystemText(const std::string& stored) override;

    DWORD GetPrivateProfileStringA(const char* section, const char* key, const char* defaultValue,
                                   char* buffer, DWORD size, const char* fileName) override;
    BOOL WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                    const char* fileName) override;

    LONG RegOpenKeyExA(HKEY root, const char* subKey, DWORD options, DWORD access,
                       HKEY* result) override;
    LONG RegCreateKeyExA(HKEY root, const char* subKey, DWORD reserved, const char* className,
                         DWORD options, DWORD access, HKEY* result, DWORD* disposition) override;
    LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* type, std::uint8_t* data,
                          DWORD* dataSize) override;
    LONG RegCloseKey(HKEY key) override;

    HRESULT CoInitialize() override { return plat::S_OK; }
    void CoUninitialize() override {}
    HRESULT CoCreateShellLink(plat::ShellLink** out) override;

    BOOL Shell_NotifyIconA(DWORD message, const plat::NOTIFYICONDATA& data) override;
    bool HasNotificationArea() override;
    plat::DesktopKind Desktop() override { return plat::DesktopKind::Linux; }

    UINT auxGetNumDevs() override;
    MMRESULT auxGetDevCapsA(UINT device, plat::AUXCAPS* caps, UINT size) override;
    MMRESULT auxGetVolume(UINT device, DWORD* volume) override;
    MMRESULT auxSetVolume(UINT device, DWORD volume) override;

    UINT GetDoubleClickTime() override;
    BOOL GetCursorPos(plat::POINT* point) override;
    std::int16_t GetKeyState(int virtualKey) override;
    plat::POINT GetScreenSize() override;

    HICON LoadIconA(const std::string& resourceName) override;
    HICON CreateIconFromFile(const std::vector<std::uint8_t>& icoBytes) override;
    HICON CopyIcon(HICON icon) override;
    BOOL DestroyIcon(HICON icon) override;

    HWND CreateWindowA(const plat::WindowSpec& spec) override;
    BOOL DestroyWindow(HWND window) override;
    HWND FindWindowA(const char* className, const char* title) override;
    LRESULT SendMessageA(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL PostMessageA(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) override;
    UINT RegisterWindowMessageA(const std::string& name) override;
    BOOL ShowWindow(HWND window, int showCmd) override;
    BOOL SetForegroundWindow(HWND window) override;
    BOOL BringWindowToTop(HWND window) override;
    BOOL EnableWindow(HWND window, BOOL enable) override;
    void SetModal(HWND window, bool modal) override;
    HWND SetFocus(HWND window) override;
    BOOL SetWindowTextA(HWND window, const std::string& text) override;
    BOOL MoveWindow(HWND window, const plat::RECT& bounds) override;
    plat::POINT FrameSize(plat::BorderStyle border, bool hasMenu) override;
    void SetFont(HWND window, const plat::FontSpec& font) override;
    void SetHint(HWND window, const std::string& hint) override;
    HWND SetCapture(HWND window) override;
    BOOL ReleaseCapture() override;
    void SetDragCursor(bool dragging, bool accepted) override;

    void ListInsert(HWND list, int index, const std::string& text) override;
    void ListDelete(HWND list, int index) override;
    void ListClear(HWND list) override;
    void ListSetSelection(HWND list, int index) override;
    int ListGetTopIndex(HWND list) override;
    void CheckSet(HWND checkBox, bool checked) override;
    void TrackSetRange(HWND trackBar, int min, int max) override;
    void TrackSetPosition(HWND trackBar, int position) override;
    void TrackSetFrequency(HWND trackBar, int frequency) override;
    bool RichSetText(HWND richEdit, const std::string& text, bool asRichText) override;
    void TabAdd(HWND tabs, const std::string& caption) override;
    void ButtonSetDefault(HWND button, bool isDefault) override;

    void SetMenu(HWND form, const std::vector<plat::MenuItemSpec>& menuBar) override;
    UINT TrackPopupMenu(const std::vector<plat::MenuItemSpec>& items, plat::POINT at,
                        HWND owner) override;

    BOOL SetTimer(HWND window, UINT id, UINT milliseconds) override;
    BOOL KillTimer(HWND window, UINT id) override;

    int MessageBoxA(HWND owner, const std::string& text, const std::string& caption,
                    UINT type) override;
    bool GetOpenFileNameA(plat::OpenFileRequest& request) override;
    bool GetSaveFileNameA(plat::OpenFileRequest& request) override;

    bool ClaimSingleInstance() override;
    void WatchLaterStarts(HWND window, UINT message) override;
    void WatchSessionEnd(HWND window, UINT message) override;

    void RunMessageLoop() override;
    void RunModalLoop(HWND modalWindow, const std::function<bool()>& done) override;
    void ProcessMessages() override;

    // -- Network (network_calls.cpp) --
    UINT WinHttpSendRequest(const plat::HttpRequest& request, HWND window, UINT message) override;
    bool WinHttpTakeResponse(UINT request, plat::HttpResponse* response) override;
    void WinHttpCloseRequest(UINT request) override;
    UINT DnsQueryA(const std::string& name, plat::WORD type, HWND window, UINT message) override;
    bool DnsTakeAnswer(UINT query, plat::DnsAnswer* answer) override;
    void DnsCancelQuery(UINT query) override;

  private:
    Network& Net();  // made at first use
    std::shared_ptr<Network> network_;

    void SeedUserFolders();
    void BelongTo(QWidget& box, HWND owner);
    void ConnectControl(Window& w);
    void OpenHelpPage(const std::string& page, const std::string& topic);
    PulseVolume& Volume();  // connected at the first question

    std::unique_ptr<SessionBusProbe> bus_;  // asked before anything uses the bus
    std::unique_ptr<QApplication> ownApp_;  // when this platform made the application
    DWORD lastError_ = 0;
    plat::posix::Files files_{lastError_};
    plat::posix::RegistryTree registry_;
    bool foldersSeeded_ = false;

    WindowTable windows_;
    std::unique_ptr<InputFilter> input_;
    std::unique_ptr<Poster> poster_;
    std::map<std::pair<HWND, UINT>, std::unique_ptr<QTimer>> timers_;
    // An icon and the menu its desktop shows: on a StatusNotifierItem host (Wayland,
    // and X11 desktops with a watcher) the host draws the menu itself, where its tray
    // is; the icon's window hands the items over whenever they are asked for.
    struct TrayIcon {
        std::unique_ptr<QMenu> menu;
        std::unique_ptr<QSystemTrayIcon> icon;  // after the menu: it goes first
        UINT callback = 0;
        ~TrayIcon();
    };
    using TrayKey = std::pair<HWND, UINT>;
    std::map<TrayKey, TrayIcon> trayIcons_;
    void AddTrayIcon(TrayKey key, UINT callback);
    void AskForTrayMenu(TrayKey key);
    QMenu* trayMenuWanted_ = nullptr;  // while an icon's window hands its menu over
    std::map<HICON, QIcon> icons_;
    std::map<std::string, HICON> sharedIcons_;
    HICON nextIcon_ = 0x100;
    plat::RegisteredMessages registeredMessages_;
    std::unique_ptr<QTimer> pendingContents_;      // a help contents request not yet opened
    std::string pendingPage_;
    bool dragCursor_ = false;
    Mpris& Players();  // made at first use
    std::unique_ptr<Mpris> mpris_;
    std::unique_ptr<PinnedProcesses> pinned_;
    HWND nowPlayingWindow_ = 0;
    UINT nowPlayingMessage_ = 0;
    std::unique_ptr<PulseVolume> volume_;
    // One collator of the user's locale for each case sensitivity, made at first use:
    // making one for every comparison made an import of 1000 stations take seconds.
    std::unique_ptr<QCollator> collators_[2];
    Lifetime& Life();  // made at first use
    std::unique_ptr<Lifetime> lifetime_;
    struct Channel {
        int fd = -1;
        std::unique_ptr<QSocketNotifier> readable;
        ~Channel();
    };
    std::map<plat::CHANNEL, std::unique_ptr<Channel>> channels_;
    plat::CHANNEL nextChannel_ = 1;
    std::unique_ptr<DesktopNotifier> notifier_;  // the balloons, made at the first one
};

}  // namespace qtb
