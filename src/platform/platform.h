// The seam to the operating system. Every outside call the program makes goes
// through the process-wide Platform: the Windows backend makes the real call, the
// headless backend records it and answers from the test's script.
//
// Methods are named after the Windows call they stand for and keep its arguments
// and results, so that components read like the behaviour they must have.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/network.h"
#include "platform/types.h"
#include "platform/windowing.h"

namespace plat {

// ---- The shell's link object (IShellLinkA with IPersistFile) -------------------

class PersistFile {
  public:
    virtual HRESULT Save(const char16_t* fileName, BOOL remember) = 0;
    virtual UINT Release() = 0;

  protected:
    ~PersistFile() = default;
};

class ShellLink {
  public:
    // QueryInterface for IID_IPersistFile.
    virtual HRESULT QueryPersistFile(PersistFile** out) = 0;
    virtual HRESULT SetDescription(const char* text) = 0;
    virtual HRESULT SetPath(const char* path) = 0;
    virtual HRESULT SetWorkingDirectory(const char* dir) = 0;
    virtual HRESULT SetArguments(const char* args) = 0;
    virtual HRESULT SetShowCmd(int showCmd) = 0;
    virtual HRESULT SetHotkey(WORD hotKey) = 0;
    virtual HRESULT SetIconLocation(const char* path, int index) = 0;
    virtual UINT Release() = 0;

  protected:
    ~ShellLink() = default;
};

// ---- The platform ---------------------------------------------------------------

// The kinds of desktop whose words the program speaks.
enum class DesktopKind { Windows, Linux };

class Platform {
  public:
    virtual ~Platform() = default;

    // -- Process and module ------------------------------------------------------
    virtual std::string GetModuleFileNameA() = 0;  // full path of the running program
    [[noreturn]] virtual void ExitProcess(UINT exitCode) = 0;
    virtual UINT WinExec(const std::string& commandLine, int showCmd) = 0;
    virtual LRESULT ShellExecuteA(HWND owner, const std::string& operation, const std::string& file,
                                  const std::string& parameters, const std::string& directory,
                                  int showCmd) = 0;
    // The user's locale comparison; flags such as NORM_IGNORECASE. Returns CSTR_*.
    virtual int CompareStringA(DWORD flags, const std::string& a, const std::string& b) = 0;
    virtual BOOL WinHelpA(HWND owner, const std::string& helpFile, UINT command,
                          std::uintptr_t data) = 0;
    virtual int MultiByteToWideChar(UINT codePage, DWORD flags, const char* text, int length,
                                    char16_t* buffer, int bufferLength) = 0;
    // The reverse. usedDefaultChar, when given, tells whether a character had no
    // form in the code page (Windows refuses it, ERROR_INVALID_PARAMETER, for CP_UTF8).
    virtual int WideCharToMultiByte(UINT codePage, DWORD flags, const char16_t* text, int length,
                                    char* buffer, int bufferLength, BOOL* usedDefaultChar) = 0;
    // The value of an environment variable; nothing when it is not set.
    virtual std::optional<std::string> GetEnvironmentVariableA(const std::string& name) = 0;

    // -- Other programs: the player and whatever else a person runs ----------------
    // The app layer decides which processes are the player; these calls act on the
    // processes it hands them and on nothing else.
    //
    // Starts the program with the arguments, each of which reaches it as exactly one
    // argument: Windows makes the command line by the C runtime's quoting rules and
    // waits, as WinExec does, until the program is ready for input; Linux hands the
    // vector over as it is, without a shell, in a session of its own. The program's
    // output goes nowhere. The result is WinExec's (32 or more on success; 0, 2, 3 or
    // 11 on failure); *process is the started process, 0 on failure.
    virtual UINT StartProcess(const std::string& program, const std::vector<std::string>& arguments,
                              int showCmd, PROCESS* process) = 0;
    // Pins the process running under the id; 0 when none does (or it cannot be seen).
    virtual PROCESS OpenProcess(DWORD processId) = 0;
    virtual void ReleaseProcess(PROCESS process) = 0;
    virtual DWORD ProcessIdOf(PROCESS process) = 0;
    // Whether the process has ended, waiting up to the milliseconds for it to end.
    virtual bool ProcessHasEnded(PROCESS process, UINT milliseconds) = 0;
    // The running processes whose program file is this one, compared as the file
    // system compares names; a program file replaced since the process started (an
    // upgrade) still counts. Windows: QueryFullProcessImageNameA of every process;
    // Linux: /proc/<pid>/exe.
    virtual std::vector<DWORD> ProcessesOfProgram(const std::string& programFile) = 0;
    // The processes of the players that say they play this address: nothing where the
    // system cannot tell (Windows). Linux: xesam:url of the MPRIS Metadata.
    virtual std::vector<DWORD> ProcessesPlaying(const std::string& address) = 0;
    // Asks the process to end the way a person would: WM_CLOSE to each of its visible
    // top-level windows (EnumWindows, GetWindowThreadProcessId, IsWindowVisible),
    // posted, so that a program that hangs cannot hang this one. FALSE when it has no
    // such window (or has ended) and so was not asked. Linux: Player.Stop, then Quit,
    // on the MPRIS instance whose bus connection is this process's; without one,
    // SIGTERM to it.
    virtual BOOL CloseProcessWindows(PROCESS process) = 0;
    // Brings the process's main window (its first visible top-level window without an
    // owner) to the front, restored first when minimized (IsIconic, SW_RESTORE,
    // SetForegroundWindow). FALSE when it has none. Linux: Raise on its MPRIS instance.
    virtual BOOL RaiseProcessWindow(PROCESS process) = 0;
    // What the process's player says it is playing now (a stream's song title):
    // nothing where the system cannot tell what players play (Windows: the app layer
    // reads the players' captions), an empty text while the player publishes no title.
    // Linux: vlc:nowplaying (a stream's title in VLC) or else xesam:title of its MPRIS
    // Metadata.
    virtual std::optional<std::string> NowPlayingTitle(PROCESS process) = 0;
    // From now on the window is posted the message (wParam: the process id) whenever a
    // player's title changes, a player appears or a player goes away; window 0 stops
    // it. Linux: from MPRIS PropertiesChanged and the bus's NameOwnerChanged signals.
    virtual void WatchNowPlaying(HWND window, UINT message) = 0;

    // -- What a player plays: its control channel, its window, the clipboard ------
    // A fresh address for a player to open its control channel at (mpv's JSON IPC),
    // unique to this run: the named pipe \\.\pipe\<prefix>-<id> on Windows, a socket
    // <prefix>-<id> in the user's runtime folder on Linux.
    virtual std::string NewPlayerChannelAddress(const std::string& prefix) = 0;
    // Connects to the channel at the address without waiting; 0 while nothing listens
    // there (a player opens it a moment after it starts).
    virtual CHANNEL ConnectPlayerChannel(const std::string& address) = 0;
    // Sends the bytes; FALSE when the channel has closed.
    virtual BOOL WritePlayerChannel(CHANNEL channel, const std::string& bytes) = 0;
    // Appends what has arrived, at most maxBytes, without waiting; FALSE once the
    // channel has closed. Linux also posts the WatchNowPlaying message when bytes
    // arrive; Windows leaves them to the next read.
    virtual BOOL ReadPlayerChannel(CHANNEL channel, std::string& into, std::size_t maxBytes) = 0;
    virtual void ClosePlayerChannel(CHANNEL channel) = 0;
    // The caption of the process's main window (GetWindowTextA of its first visible
    // top-level window without an owner); nothing when it has none. Linux: nothing,
    // another program's windows are the window manager's.
    virtual std::optional<std::string> ProcessWindowCaption(PROCESS process) = 0;
    // What the process's player says of its playback: "Playing", "Paused" or "Stopped";
    // empty where the system cannot tell. Linux: PlaybackStatus of its MPRIS instance.
    virtual std::string PlaybackStatus(PROCESS process) = 0;
    // The text replaces what the clipboard held (CF_TEXT, in the system code page).
    virtual BOOL SetClipboardText(HWND owner, const std::string& text) = 0;

    // -- Files and directories -----------------------------------------------------
    // Failures set the error number that GetLastError returns (ERROR_* values).
    virtual DWORD GetLastError() = 0;
    virtual char PathDelimiter() = 0;  // what joins a directory and a name
    // What separates the folders of the PATH variable: ';' on Windows, ':' on Linux.
    virtual char PathListSeparator() = 0;
    virtual std::string GetWindowsDirectoryA() = 0;
    virtual DWORD GetFileAttributesA(const std::string& path) = 0;
    virtual BOOL SetFileAttributesA(const std::string& path, DWORD attributes) = 0;
    virtual BOOL CreateDirectoryA(const std::string& path) = 0;
    virtual BOOL DeleteFileA(const std::string& path) = 0;
    virtual BOOL CopyFileA(const std::string& from, const std::string& to, BOOL failIfExists) = 0;
    virtual BOOL MoveFileExA(const std::string& from, const std::string& to, DWORD flags) = 0;
    virtual HANDLE CreateFileA(const std::string& path, DWORD access, DWORD creation) = 0;
    virtual BOOL ReadFile(HANDLE file, void* buffer, DWORD toRead, DWORD* read) = 0;
    virtual BOOL WriteFile(HANDLE file, const void* buffer, DWORD toWrite, DWORD* written) = 0;
    virtual DWORD GetFileSize(HANDLE file) = 0;  // INVALID_FILE_ATTRIBUTES value on failure
    virtual BOOL CloseHandle(HANDLE file) = 0;
    // The names of the plain files in a directory (FindFirstFileA and FindNextFileA
    // on directory\*), directories left out, in no particular order; empty when it
    // holds none or cannot be read.
    virtual std::vector<std::string> FindFilesA(const std::string& directory) = 0;

    // -- Where the program's files live --------------------------------------------
    // The folder of the files the program writes beside itself on Windows (the station
    // files' folder and the order file), and the folder of those it ships with (help,
    // introduction). Both are the program's own folder on Windows; on Linux the first
    // is the user's data folder, made when missing, the second the program's own data.
    virtual std::string UserDataDirectory() = 0;
    virtual std::string ProgramDataDirectory() = 0;
    // The file that a shell link with this title is saved as: "Zelvora.lnk" on Windows,
    // a freedesktop entry "zelvora.desktop" on Linux.
    virtual std::string LinkFileName(const std::string& title) = 0;
    // A text read from a stored file (a station's address, a name in the order file) in
    // the system code page. Where that is UTF-8, bytes that are not valid UTF-8 come
    // from the Windows program, in Windows-1252, and are converted.
    virtual std::string SystemText(const std::string& stored) = 0;

    // -- Private-profile (INI) files -----------------------------------------------
    // Null section, key or value pointers have the Windows meanings.
    virtual DWORD GetPrivateProfileStringA(const char* section, const char* key,
                                           const char* defaultValue, char* buffer, DWORD size,
                                           const char* fileName) = 0;
    virtual BOOL WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                            const char* fileName) = 0;

    // -- Registry ------------------------------------------------------------------
    virtual LONG RegOpenKeyExA(HKEY root, const char* subKey, DWORD options, DWORD access,
                               HKEY* result) = 0;
    virtual LONG RegCreateKeyExA(HKEY root, const char* subKey, DWORD reserved,
                                 const char* className, DWORD options, DWORD access, HKEY* result,
                                 DWORD* disposition) = 0;
    virtual LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* type, std::uint8_t* data,
                                  DWORD* dataSize) = 0;
    virtual LONG RegCloseKey(HKEY key) = 0;

    // -- COM and shell links -------------------------------------------------------
    virtual HRESULT CoInitialize() = 0;
    virtual void CoUninitialize() = 0;
    // CoCreateInstance(CLSID_ShellLink, no outer object, CLSCTX_INPROC_SERVER, IID_IShellLinkA).
    virtual HRESULT CoCreateShellLink(ShellLink** out) = 0;

    // -- Notification area ---------------------------------------------------------
    virtual BOOL Shell_NotifyIconA(DWORD message, const NOTIFYICONDATA& data) = 0;
    // Whether the desktop has a notification area to show the icon in (a desktop may
    // have none at all).
    virtual bool HasNotificationArea() = 0;

    // -- The desktop's words ---------------------------------------------------------
    // Whose words the program's texts use for the things of the desktop: Windows' (the
    // Windows texts: "Start Menu", the RealAudio player) unless the backend runs on a
    // desktop of another kind. The texts themselves are the app layer's (app/words.h).
    virtual DesktopKind Desktop() { return DesktopKind::Windows; }

    // -- Auxiliary audio -----------------------------------------------------------
    virtual UINT auxGetNumDevs() = 0;
    virtual MMRESULT auxGetDevCapsA(UINT device, AUXCAPS* caps, UINT size) = 0;
    virtual MMRESULT auxGetVolume(UINT device, DWORD* volume) = 0;
    virtual MMRESULT auxSetVolume(UINT device, DWORD volume) = 0;

    // -- Input state ---------------------------------------------------------------
    virtual UINT GetDoubleClickTime() = 0;
    virtual BOOL GetCursorPos(POINT* point) = 0;
    virtual std::int16_t GetKeyState(int virtualKey) = 0;
    virtual POINT GetScreenSize() = 0;

    // -- Icons ---------------------------------------------------------------------
    virtual HICON LoadIconA(const std::string& resourceName) = 0;  // from the program's module
    // Builds an icon from the bytes of an .ico file already checked by the caller; 0 on failure.
    virtual HICON CreateIconFromFile(const std::vector<std::uint8_t>& icoBytes) = 0;
    virtual HICON CopyIcon(HICON icon) = 0;
    virtual BOOL DestroyIcon(HICON icon) = 0;

    // -- Windows -------------------------------------------------------------------
    // Creates the window described; children are created hidden or shown as spec says.
    virtual HWND CreateWindowA(const WindowSpec& spec) = 0;
    virtual BOOL DestroyWindow(HWND window) = 0;
    // Top-level windows of any program, ours included; null class or title match any.
    virtual HWND FindWindowA(const char* className, const char* title) = 0;
    virtual LRESULT SendMessageA(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) = 0;
    virtual BOOL PostMessageA(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) = 0;
    // The number of a message known by name to every program (0xC000 to 0xFFFF);
    // the same name, in any case, always gives the same number.
    virtual UINT RegisterWindowMessageA(const std::string& name) = 0;
    virtual BOOL ShowWindow(HWND window, int showCmd) = 0;
    virtual BOOL SetForegroundWindow(HWND window) = 0;
    virtual BOOL BringWindowToTop(HWND window) = 0;
    virtual BOOL EnableWindow(HWND window, BOOL enable) = 0;
    // The form is about to show as the modal window of the one active now, or has
    // closed as such. Where a window manager stacks the windows, it keeps a modal one
    // above its owner; on Windows the disabled owner is all it takes.
    virtual void SetModal(HWND, bool) {}
    virtual HWND SetFocus(HWND window) = 0;
    virtual BOOL SetWindowTextA(HWND window, const std::string& text) = 0;
    // Forms: outer bounds on the screen; controls: in the parent's client area.
    virtual BOOL MoveWindow(HWND window, const RECT& bounds) = 0;
    // Extra width and height that a form's frame, caption and menu bar add to its client area.
    virtual POINT FrameSize(BorderStyle border, bool hasMenu) = 0;
    virtual void SetFont(HWND window, const FontSpec& font) = 0;
    virtual void SetHint(HWND window, const std::string& hint) = 0;  // tooltip; empty removes
    virtual HWND SetCapture(HWND window) = 0;
    virtual BOOL ReleaseCapture() = 0;
    virtual void SetDragCursor(bool dragging, bool accepted) = 0;

    // Control contents. Indexes are zero-based; -1 selects nothing.
    virtual void ListInsert(HWND list, int index, const std::string& text) = 0;  // -1 appends
    virtual void ListDelete(HWND list, int index) = 0;
    virtual void ListClear(HWND list) = 0;
    virtual void ListSetSelection(HWND list, int index) = 0;
    virtual int ListGetTopIndex(HWND list) = 0;
    virtual void CheckSet(HWND checkBox, bool checked) = 0;
    virtual void TrackSetRange(HWND trackBar, int min, int max) = 0;
    virtual void TrackSetPosition(HWND trackBar, int position) = 0;
    virtual void TrackSetFrequency(HWND trackBar, int frequency) = 0;
    // Returns false when asRichText is set and the text is not valid rich text.
    virtual bool RichSetText(HWND richEdit, const std::string& text, bool asRichText) = 0;
    virtual void TabAdd(HWND tabs, const std::string& caption) = 0;
    virtual void ButtonSetDefault(HWND button, bool isDefault) = 0;

    // Menus: a form's menu bar (its accelerators included) and popup menus.
    virtual void SetMenu(HWND form, const std::vector<MenuItemSpec>& menuBar) = 0;
    // Shows the menu with its top-left corner at the screen point and returns the id of
    // the chosen item, 0 when the menu was dismissed.
    virtual UINT TrackPopupMenu(const std::vector<MenuItemSpec>& items, POINT at, HWND owner) = 0;

    // Timers deliver ZM_TIMER with the id to the window's sink.
    virtual BOOL SetTimer(HWND window, UINT id, UINT milliseconds) = 0;
    virtual BOOL KillTimer(HWND window, UINT id) = 0;

    // -- Dialogs -------------------------------------------------------------------
    virtual int MessageBoxA(HWND owner, const std::string& text, const std::string& caption,
                            UINT type) = 0;
    virtual bool GetOpenFileNameA(OpenFileRequest& request) = 0;
    // The save-file dialog: the file need not exist; the user is asked before an
    // existing one is replaced; defaultExt is added to a name typed without one.
    virtual bool GetSaveFileNameA(OpenFileRequest& request) = 0;

    // -- The one running copy, and the end of the session ------------------------------
    // Makes this process the one copy of the program that keeps the files of the user's
    // data folder (UserDataDirectory): true when it is now, or was already; false when
    // another copy is, which has then been told of this start (WatchLaterStarts). The
    // claim lasts until the process ends. Windows: a mutex of the session named after
    // the folder, and a message registered under that name posted to every top-level
    // window (HWND_BROADCAST), with the right to take the foreground handed on first.
    // Linux: a local server of the user named after the folder (QLocalServer).
    virtual bool ClaimSingleInstance() = 0;
    // From now on the window is posted the message whenever a later start finds this
    // copy holding the claim; window 0 stops it.
    virtual void WatchLaterStarts(HWND window, UINT message) = 0;
    // From now on the window is sent the message when the session ends or the process
    // is told to end; window 0 stops it. wParam 1: the program is to end itself once it
    // has saved (Linux: SIGTERM, SIGINT, SIGHUP, each handed on through a pipe and never
    // handled in the signal handler). wParam 0: the session may still go on, or the
    // process is ended for it (Windows: WM_QUERYENDSESSION and WM_ENDSESSION, while the
    // window's procedure handles them; Linux: the session manager's commitDataRequest,
    // and aboutToQuit when the session manager has the application quit).
    virtual void WatchSessionEnd(HWND window, UINT message) = 0;

    // -- Network -------------------------------------------------------------------
    // Asynchronous and cancellable: each call returns at once with an id (0 when it
    // could not even start); the work runs off the GUI thread, and its end is posted to
    // the window as the message with wParam = the id. The answer is then taken once.
    // A request closed before its end posts nothing and its answer is dropped; closing
    // the window closes what it waits for. Windows: WinHTTP on a thread of the
    // request's own, DnsQuery_A on one of the query's own; Linux: Qt Network.
    //
    // Sends the request; HTTP errors are answers (status), failures are NET_ errors.
    virtual UINT WinHttpSendRequest(const HttpRequest& request, HWND window, UINT message) = 0;
    // The answer of a request whose message came; false when there is none (yet).
    virtual bool WinHttpTakeResponse(UINT request, HttpResponse* response) = 0;
    virtual void WinHttpCloseRequest(UINT request) = 0;
    // Asks the system's resolver for the records of one type (DNS_TYPE_*) of the name.
    virtual UINT DnsQueryA(const std::string& name, WORD type, HWND window, UINT message) = 0;
    virtual bool DnsTakeAnswer(UINT query, DnsAnswer* answer) = 0;
    virtual void DnsCancelQuery(UINT query) = 0;

    // -- Message loop --------------------------------------------------------------
    // Runs until the process ends.
    virtual void RunMessageLoop() = 0;
    // Runs a nested loop for a modal window until done() holds after a message.
    virtual void RunModalLoop(HWND modalWindow, const std::function<bool()>& done) = 0;
    // Handles the messages already waiting, then returns.
    virtual void ProcessMessages() = 0;
};

// The process-wide platform. main installs the Windows one; each test a fresh headless one.
Platform& Current();
void Install(std::unique_ptr<Platform> platform);
std::unique_ptr<Platform> Uninstall();

// RegisterWindowMessageA for the backends that have no system to ask: numbers from
// 0xC000 as Windows gives them, one per name whatever its case (ASCII), within this
// process; 0 for an empty name and once the 0x4000 numbers are used up.
class RegisteredMessages {
  public:
    UINT Register(const std::string& name);

  private:
    std::vector<std::string> names_;  // message 0xC000 + n is name n
};

}  // namespace plat
