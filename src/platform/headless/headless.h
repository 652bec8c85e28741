// The in-memory platform that tests drive. It records every outside call in order,
// answers from the test's script, keeps a virtual clock for timers, and uses real
// files below a root directory of the test's own.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace plat::headless {

// Thrown by ExitProcess so that a test regains control where the process would end.
// Deliberately not an std::exception: no handler of the program catches it.
struct ProcessEnded {
    UINT exitCode = 0;
};

struct MessageBoxCall {
    HWND owner = 0;
    std::string text;
    std::string caption;
    UINT type = 0;
};

struct WinExecCall {
    std::string commandLine;  // a StartProcess's as Windows would make it
    int showCmd = 0;
    std::string program;                 // StartProcess: the program and the arguments
    std::vector<std::string> arguments;  // it was given
};

struct ShellExecuteCall {
    HWND owner = 0;
    std::string operation, file, parameters, directory;
    int showCmd = 0;
};

struct HelpCall {
    HWND owner = 0;
    std::string file;
    UINT command = 0;
    std::string text;  // the macro of HELP_COMMAND, else empty
    std::uintptr_t data = 0;
};

struct NotifyCall {
    DWORD message = 0;
    NOTIFYICONDATA data;
};

struct MessageCall {
    HWND window = 0;
    UINT msg = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

struct PopupCall {
    std::vector<MenuItemSpec> items;
    POINT at;
    HWND owner = 0;
};

// What a saved shell link held; the headless link object also writes a small text
// file at the name, so that the link "exists" on disk.
struct ShellLinkSave {
    std::string description, path, workingDirectory, arguments, iconPath;
    int iconIndex = 0;
    int showCmd = 0;
    WORD hotKey = 0;
    std::u16string fileName;
    BOOL remember = 0;
};

struct AuxDevice {
    AUXCAPS caps;
    DWORD volume = 0;
    MMRESULT getVolumeResult = MMSYSERR_NOERROR;  // answers other than success, for tests
    MMRESULT setVolumeResult = MMSYSERR_NOERROR;
    MMRESULT capsResult = MMSYSERR_NOERROR;
};

// Another program's process, as StartProcess started it or the test put it there.
struct ProcessWindow {
    std::string title;
    bool visible = true;
    bool minimized = false;
};
struct ProcessRecord {
    DWORD id = 0;
    std::string programFile;
    bool running = true;
    // The command line it was started with, then each one a later start handed to it.
    std::vector<std::string> commandLines;
    std::vector<ProcessWindow> windows;
    int closeRequests = 0;     // CloseProcessWindows calls that reached a visible window
    int raises = 0;            // RaiseProcessWindow calls that brought a window forward
    std::uint64_t endsAt = 0;  // asked to close: the clock's time it ends at, 0 for none
};
// How a program behaves when StartProcess starts it. A program not scripted starts
// a new process with one visible window, which ends when asked to close.
struct ProgramScript {
    bool handsOver = false;     // a start while a copy runs hands it the line and ends
    bool hasWindow = true;      // without one it cannot be asked to close or raised
    bool ignoresClose = false;  // asked to close, it runs on
    UINT closingMs = 0;         // asked to close, it ends this much later
    // It opens mpv's channel where its --input-ipc-server= option says, and ends
    // when told to quit on it.
    bool mpvChannel = false;
};

// A player's control channel, by its address.
struct PlayerChannel {
    DWORD process = 0;       // the player listening there
    bool listening = false;  // a connection reaches it
    bool connected = false;
    bool closed = false;  // the player closed it (it ended)
    std::string written;  // what the program sent, in order
    std::string toRead;   // what the player told and the program has not read
};

// One window as the headless backend holds it (the GUI objects keep the real state).
struct WindowRecord {
    WindowSpec spec;
    bool visible = false;
    bool enabled = true;
    bool destroyed = false;
    bool foreign = false;  // a window of another program, added by the test
    std::string text;
    RECT bounds;
    std::vector<std::string> items;  // list box and drop-down list contents
    int selection = -1;
    bool checked = false;
    int position = 0;
    std::vector<MenuItemSpec> menuBar;
    std::string hint;  // tooltip text, empty for none
    FontSpec font;
    std::vector<MessageCall> received;  // messages sent or posted to a foreign window
};

class HeadlessPlatform final : public Platform {
  public:
    // rootDir is the test's own directory: the program lives in rootDir/program, the
    // Windows directory is rootDir/windows. Both are created.
    explicit HeadlessPlatform(const std::string& rootDir);
    ~HeadlessPlatform() override;

    // ---- Script ----------------------------------------------------------------
    std::string rootDir, programDir, windowsDir;
    std::string moduleFileName;  // defaults to programDir/zelvora.exe
    // Where UserDataDirectory and ProgramDataDirectory point; empty: the module's folder.
    std::string userDataDir, programDataDir;
    bool notificationArea = true;  // what HasNotificationArea answers
    // Whose words the program speaks (Desktop): Windows', the Windows texts, unless a
    // test asks for a Linux desktop's.
    DesktopKind desktop = DesktopKind::Windows;

    std::deque<int> messageBoxAnswers;                         // empty: IDOK
    std::deque<std::optional<std::string>> openDialogAnswers;  // nullopt or empty: cancel
    std::deque<std::optional<std::string>> saveDialogAnswers;  // likewise
    std::deque<std::string> popupChoices;  // caption of the item to choose; "" dismisses
    // The scripted user for a modal window: called once when its nested loop starts.
    // When the loop is still running afterwards, the harness closes the window with
    // ZM_CLOSE (as the close box would) and counts it in modalsClosedByHarness.
    std::function<void(HWND modal)> onModal;
    int modalsClosedByHarness = 0;
    // What the user does while a message box is open, before it is answered.
    std::function<void(const MessageBoxCall& box)> onMessageBox;

    std::deque<UINT> winExecResults;  // WinExec and StartProcess; empty: 33 (success)
    std::map<std::string, std::string> environment;  // GetEnvironmentVariableA, names any case
    // The system code page CP_ACP stands for: UTF-8 as on Linux, or 1252 (Western
    // Windows) for tests of texts that code page cannot hold.
    UINT systemCodePage = CP_UTF8;

    // Programs by their program file, and the processes running now or earlier.
    std::map<std::string, ProgramScript> programs;
    std::deque<ProcessRecord> processes;
    // A process the person started themselves, with its windows.
    DWORD AddProcess(const std::string& programFile,
                     std::vector<ProcessWindow> windows = {ProcessWindow{}});
    const ProcessRecord* Process(DWORD id) const;  // null when unknown
    // The PATH separator: ';' as on Windows, ':' for a Linux-like system.
    char pathListSeparator = ';';
    // What players publish as playing now, by process. While publishesNowPlaying is
    // off the system cannot tell (as on Windows) and NowPlayingTitle answers nothing.
    bool publishesNowPlaying = false;
    std::map<DWORD, std::string> nowPlaying;
    // A player publishes a new title: stored, and the watching window is posted.
    void SetNowPlaying(DWORD processId, const std::string& title);
    // The address each player says it plays, while publishesNowPlaying is on.
    std::map<DWORD, std::string> playingAddress;
    int pinnedProcesses = 0;  // StartProcess and OpenProcess minus ReleaseProcess
    // Players' control channels; the addresses NewPlayerChannelAddress gives out.
    std::map<std::string, PlayerChannel> playerChannels;
    // The player at the address tells the line; a line break is added. Posts the
    // WatchNowPlaying message, as the Linux desktop does when bytes arrive.
    void TellOnChannel(const std::string& address, const std::string& line);
    // The address a started process was told to open its channel at; "" for none.
    std::string ChannelOf(DWORD processId) const;
    // Window captions are ProcessWindow titles; PlaybackStatus answers from here.
    std::map<DWORD, std::string> playbackStatus;
    std::string clipboard;  // what SetClipboardText left there
    BOOL clipboardResult = 1;
    std::vector<UINT> processWaits;  // ProcessHasEnded calls that waited, and how long
    HWND nowPlayingWindow = 0;       // as WatchNowPlaying left them
    UINT nowPlayingMessage = 0;
    LRESULT shellExecuteResult = 42;
    BOOL winHelpResult = 1;
    UINT doubleClickTime = 500;
    bool refuseTimers = false;  // SetTimer fails, as when the system has none left
    POINT cursor{100, 100};
    std::map<int, std::int16_t> keyStates;  // virtual key -> GetKeyState answer
    POINT screenSize{1024, 768};

    // The next file call of this name ("CreateFileA", "WriteFile", ...) fails with the error.
    void FailNext(const std::string& call, DWORD error);

    std::vector<AuxDevice> auxDevices;  // device n is auxDevices[n]
    BOOL notifyIconResult = 1;          // what Shell_NotifyIconA answers

    // Icon resources of the program's module that LoadIconA finds. Loaded icons are
    // shared, as on Windows: one handle per name, never counted as owned.
    std::set<std::string> iconResources;
    // Icons made by CreateIconFromFile or CopyIcon and not yet destroyed (leak checks).
    int LiveIcons() const;

    // Registry below the predefined roots.
    void SetRegistryValue(HKEY root, const std::string& keyPath, const std::string& name,
                          DWORD type, const std::vector<std::uint8_t>& data);
    void SetRegistryString(HKEY root, const std::string& keyPath, const std::string& name,
                           const std::string& value);
    void DeleteRegistryValue(HKEY root, const std::string& keyPath, const std::string& name);
    bool RegistryKeyExists(HKEY root, const std::string& keyPath) const;
    std::map<std::string, LONG> failNextRegistry;  // call name -> status of its next call

    HRESULT coCreateResult = S_OK;
    HRESULT queryPersistFileResult = S_OK;
    std::optional<HRESULT> saveLinkResult;  // unset: write the file, failing as the disk does
    int comInitCount = 0;                   // CoInitialize minus CoUninitialize
    int LiveShellLinks() const;             // link objects not yet released (leak checks)

    // Windows of other programs that FindWindowA finds.
    HWND AddForeignWindow(const std::string& className, const std::string& title);

    // Another copy of the program holds the claim: ClaimSingleInstance answers false.
    bool anotherCopyRuns = false;
    int laterStartsTold = 0;  // claims refused, each telling the copy that runs
    // What the system does to the running copy: a later start of the program (the
    // message of WatchLaterStarts is posted), and the end of the session or a signal
    // to end (the message of WatchSessionEnd is sent, wParam 1 when it is to end).
    void StartLaterCopy();
    void EndSession(bool programToEnd);

    // ---- Network script ----------------------------------------------------------
    // The answer to each HTTP request, posted at once; nothing (nullopt) leaves the
    // request pending until the test answers it with AnswerHttp, as a slow server would.
    // Unset: every request fails as a machine without a network does.
    std::function<std::optional<HttpResponse>(const HttpRequest&)> onHttp;
    // The answer to each DNS question; unset: no such name.
    std::function<DnsAnswer(const std::string& name, WORD type)> onDns;
    std::vector<HttpRequest> httpRequests;  // every request sent, in order
    std::vector<std::string> dnsQueries;    // "name type", in order
    // Answers a pending request and posts its message; false when it is not pending.
    bool AnswerHttp(UINT request, const HttpResponse& response);
    std::vector<UINT> PendingHttp() const;  // sent, and neither answered nor closed
    // Requests and queries whose answer was neither taken nor dropped (leak checks).
    int OpenNetworkCalls() const;

    // ---- Clock -----------------------------------------------------------------
    std::uint64_t Now() const;
    // Moves the clock forward, delivering posted messages and every timer tick that
    // falls due on the way, in time order.
    void Advance(std::uint32_t milliseconds);
    // Delivers the messages posted so far.
    void DispatchPosted();

    // ---- What happened -----------------------------------------------------------
    // Every outside call, "Name(arg, arg)": texts in double quotes, null pointers as
    // null, numbers and handles in decimal; shell-link methods as "ShellLink.SetPath(..)".
    std::vector<std::string> log;
    std::vector<MessageBoxCall> messageBoxes;
    std::vector<WinExecCall> winExecs;  // every start, by WinExec or StartProcess
    std::vector<ShellExecuteCall> shellExecutes;
    std::vector<HelpCall> helpCalls;
    std::vector<NotifyCall> notifications;
    std::vector<PopupCall> popups;
    std::vector<OpenFileRequest> openDialogs;
    std::vector<OpenFileRequest> saveDialogs;
    std::vector<ShellLinkSave> linkSaves;
    std::vector<HWND> foregroundCalls;

    const WindowRecord* Window(HWND window) const;  // null when unknown
    // Live windows (not destroyed) whose class name is className, in creation order.
    std::vector<HWND> WindowsOfClass(const std::string& className) const;

    // ---- Platform ----------------------------------------------------------------
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
                      int showCmd, PROCESS* process) override;
    PROCESS OpenProcess(DWORD processId) override;
    void ReleaseProcess(PROCESS process) override;
    DWORD ProcessIdOf(PROCESS process) override;
    bool ProcessHasEnded(PROCESS process, UINT milliseconds) override;
    std::vector<DWORD> ProcessesOfProgram(const std::string& programFile) override;
    std::vector<DWORD> ProcessesPlaying(const std::string& address) override;
    BOOL CloseProcessWindows(PROCESS process) override;
    BOOL RaiseProcessWindow(PROCESS process) override;
    std::optional<std::string> NowPlayingTitle(PROCESS process) override;
    void WatchNowPlaying(HWND window, UINT message) override;
    std::string NewPlayerChannelAddress(const std::string& prefix) override;
    CHANNEL ConnectPlayerChannel(const std::string& address) override;
    BOOL WritePlayerChannel(CHANNEL channel, const std::string& bytes) override;
    BOOL ReadPlayerChannel(CHANNEL channel, std::string& into, std::size_t maxBytes) override;
    void ClosePlayerChannel(CHANNEL channel) override;
    std::optional<std::string> ProcessWindowCaption(PROCESS process) override;
    std::string PlaybackStatus(PROCESS process) override;
    BOOL SetClipboardText(HWND owner, const std::string& text) override;

    DWORD GetLastError() override;
    char PathDelimiter() override;
    char PathListSeparator() override;
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

    HRESULT CoInitialize() override;
    void CoUninitialize() override;
    HRESULT CoCreateShellLink(ShellLink** out) override;

    BOOL Shell_NotifyIconA(DWORD message, const NOTIFYICONDATA& data) override;
    bool HasNotificationArea() override;
    DesktopKind Desktop() override { return desktop; }

    UINT auxGetNumDevs() override;
    MMRESULT auxGetDevCapsA(UINT device, AUXCAPS* caps, UINT size) override;
    MMRESULT auxGetVolume(UINT device, DWORD* volume) override;
    MMRESULT auxSetVolume(UINT device, DWORD volume) override;

    UINT GetDoubleClickTime() override;
    BOOL GetCursorPos(POINT* point) override;
    std::int16_t GetKeyState(int virtualKey) override;
    POINT GetScreenSize() override;

    HICON LoadIconA(const std::string& resourceName) override;
    HICON CreateIconFromFile(const std::vector<std::uint8_t>& icoBytes) override;
    HICON CopyIcon(HICON icon) override;
    BOOL DestroyIcon(HICON icon) override;

    HWND CreateWindowA(const WindowSpec& spec) override;
    BOOL DestroyWindow(HWND window) override;
    HWND FindWindowA(const char* className, const char* title) override;
    LRESULT SendMessageA(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL PostMessageA(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) override;
    UINT RegisterWindowMessageA(const std::string& name) override;
    BOOL ShowWindow(HWND window, int showCmd) override;
    BOOL SetForegroundWindow(HWND window) override;
    BOOL BringWindowToTop(HWND window) override;
    BOOL EnableWindow(HWND window, BOOL enable) override;
    HWND SetFocus(HWND window) override;
    BOOL SetWindowTextA(HWND window, const std::string& text) override;
    BOOL MoveWindow(HWND window, const RECT& bounds) override;
    POINT FrameSize(BorderStyle border, bool hasMenu) override;
    void SetFont(HWND window, const FontSpec& font) override;
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
    void SetMenu(HWND form, const std::vector<MenuItemSpec>& menuBar) override;
    UINT TrackPopupMenu(const std::vector<MenuItemSpec>& items, POINT at, HWND owner) override;
    BOOL SetTimer(HWND window, UINT id, UINT milliseconds) override;
    BOOL KillTimer(HWND window, UINT id) override;

    int MessageBoxA(HWND owner, const std::string& text, const std::string& caption,
                    UINT type) override;
    bool GetOpenFileNameA(OpenFileRequest& request) override;
    bool GetSaveFileNameA(OpenFileRequest& request) override;

    bool ClaimSingleInstance() override;
    void WatchLaterStarts(HWND window, UINT message) override;
    void WatchSessionEnd(HWND window, UINT message) override;

    UINT WinHttpSendRequest(const HttpRequest& request, HWND window, UINT message) override;
    bool WinHttpTakeResponse(UINT request, HttpResponse* response) override;
    void WinHttpCloseRequest(UINT request) override;
    UINT DnsQueryA(const std::string& name, WORD type, HWND window, UINT message) override;
    bool DnsTakeAnswer(UINT query, DnsAnswer* answer) override;
    void DnsCancelQuery(UINT query) override;
    // Drops what the window was waiting for, as its destruction does.
    void DropNetworkOf(HWND window);

    void RunMessageLoop() override;
    void RunModalLoop(HWND modalWindow, const std::function<bool()>& done) override;
    void ProcessMessages() override;

    // The backend's own state, shared by its implementation files; opaque elsewhere.
    struct State;

  private:
    void ListenForPlayer(DWORD process, const std::vector<std::string>& arguments);
    PlayerChannel* ChannelAt(CHANNEL channel);
    std::map<CHANNEL, std::string> channelHandles_;
    CHANNEL nextChannel_ = 1;
    int channelAddresses_ = 0;

    std::unique_ptr<State> state_;
    plat::RegisteredMessages registeredMessages_;
};

}  // namespace plat::headless
