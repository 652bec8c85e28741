// Other programs: starting one as WinExec does but keeping its process handle, finding
// the processes of a program file, and closing or raising a process's windows. A
// process is held by its handle, which names it and no later process of the same id.
#include "platform/command_line.h"
#include "platform/win32/win32_platform.h"

#include <tlhelp32.h>

#include <vector>

namespace w32 {

namespace {

// WinExec gives up waiting for a program that never reads its messages; so do we.
constexpr DWORD kReadyWait = 30000;

// The WinExec result for a CreateProcess failure.
plat::UINT WinExecError(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return error;
        case ERROR_BAD_EXE_FORMAT:
        case ERROR_BAD_FORMAT:
            return ERROR_BAD_FORMAT;
        default:
            return 0;
    }
}

// The full, long form of a path, so that two spellings of one file compare equal.
std::string LongPath(const std::string& path) {
    char full[MAX_PATH * 4] = {};
    DWORD n = ::GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    if (n == 0 || n >= sizeof full) return path;
    char longer[MAX_PATH * 4] = {};
    n = ::GetLongPathNameA(full, longer, sizeof longer);
    return n == 0 || n >= sizeof longer ? std::string(full) : std::string(longer);
}

std::string ImageOf(DWORD process) {
    HANDLE h = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process);
    if (!h) return {};
    char path[MAX_PATH * 4] = {};
    DWORD size = sizeof path;
    bool ok = ::QueryFullProcessImageNameA(h, 0, path, &size);
    ::CloseHandle(h);
    return ok ? LongPath(std::string(path, size)) : std::string();
}

struct WindowSearch {
    DWORD process;
    bool visibleOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK OnTopWindow(HWND window, LPARAM param) {
    auto* s = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == s->process && (!s->visibleOnly || ::IsWindowVisible(window)))
        s->found.push_back(window);
    return TRUE;
}

std::vector<HWND> VisibleWindowsOf(DWORD process) {
    WindowSearch s{process, true, {}};
    ::EnumWindows(OnTopWindow, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HANDLE Native(plat::PROCESS process) {
    return reinterpret_cast<HANDLE>(process);
}

// The process's id while it runs; 0 once it has ended, so that nothing is done to
// another process that the system has given the id since.
DWORD LiveId(plat::PROCESS process) {
    if (!process || ::WaitForSingleObject(Native(process), 0) != WAIT_TIMEOUT) return 0;
    return ::GetProcessId(Native(process));
}

}  // namespace

plat::UINT Win32Platform::StartProcess(const std::string& program,
                                       const std::vector<std::string>& arguments, int showCmd,
                                       plat::PROCESS* process) {
    if (process) *process = 0;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCmd);
    PROCESS_INFORMATION info{};
    const std::string commandLine = plat::JoinCommandLine({program, arguments});
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &info))
        return WinExecError(::GetLastError());
    ::WaitForInputIdle(info.hProcess, kReadyWait);
    ::CloseHandle(info.hThread);
    if (process)
        *process = reinterpret_cast<plat::PROCESS>(info.hProcess);
    else
        ::CloseHandle(info.hProcess);
    return 33;
}

plat::PROCESS Win32Platform::OpenProcess(plat::DWORD processId) {
    HANDLE h = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!h) return 0;
    if (::WaitForSingleObject(h, 0) != WAIT_TIMEOUT) {
        ::CloseHandle(h);
        return 0;
    }
    return reinterpret_cast<plat::PROCESS>(h);
}

void Win32Platform::ReleaseProcess(plat::PROCESS process) {
    if (process) ::CloseHandle(Native(process));
}

plat::DWORD Win32Platform::ProcessIdOf(plat::PROCESS process) {
    return process ? ::GetProcessId(Native(process)) : 0;
}

bool Win32Platform::ProcessHasEnded(plat::PROCESS process, plat::UINT milliseconds) {
    return !process || ::WaitForSingleObject(Native(process), milliseconds) != WAIT_TIMEOUT;
}

std::vector<plat::DWORD> Win32Platform::ProcessesOfProgram(const std::string& programFile) {
    std::vector<plat::DWORD> found;
    const std::string wanted = LongPath(programFile);
    const char* name = wanted.c_str();
    for (const char* p = name; *p; ++p)
        if (*p == '\\' || *p == '/') name = p + 1;
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return found;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32First(snapshot, &entry); more;
         more = ::Process32Next(snapshot, &entry)) {
        // The file name alone first: most processes are left out without being opened.
        if (::lstrcmpiA(entry.szExeFile, name) != 0) continue;
        if (::lstrcmpiA(ImageOf(entry.th32ProcessID).c_str(), wanted.c_str()) == 0)
            found.push_back(entry.th32ProcessID);
    }
    ::CloseHandle(snapshot);
    return found;
}

plat::BOOL Win32Platform::CloseProcessWindows(plat::PROCESS process) {
    const DWORD id = LiveId(process);
    if (!id) return FALSE;
    auto windows = VisibleWindowsOf(id);
    for (HWND window : windows) ::PostMessageA(window, WM_CLOSE, 0, 0);
    return !windows.empty();
}

// Another process's caption is read from the window itself, without a message to
// that process: a player that hangs cannot hang this one.
std::optional<std::string> Win32Platform::ProcessWindowCaption(plat::PROCESS process) {
    const DWORD id = LiveId(process);
    if (!id) return std::nullopt;
    for (HWND window : VisibleWindowsOf(id)) {
        if (::GetWindow(window, GW_OWNER)) continue;
        char caption[1024] = {};
        const int n = ::GetWindowTextA(window, caption, sizeof caption);
        return std::string(caption, n > 0 ? static_cast<std::size_t>(n) : 0);
    }
    return std::nullopt;
}

plat::BOOL Win32Platform::RaiseProcessWindow(plat::PROCESS process) {
    const DWORD id = LiveId(process);
    if (!id) return FALSE;
    for (HWND window : VisibleWindowsOf(id)) {
        if (::GetWindow(window, GW_OWNER)) continue;
        if (::IsIconic(window)) ::ShowWindow(window, SW_RESTORE);
        ::SetForegroundWindow(window);
        return TRUE;
    }
    return FALSE;
}

}  // namespace w32
