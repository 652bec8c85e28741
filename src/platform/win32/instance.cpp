// The one running copy of the program for a user data folder, and the end of the
// session: a mutex of the session and a message registered under one name made from
// the folder, and the session's end messages, each handed to the window that watches.
#include "platform/paths.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/window_procs.h"
#include "platform/win32/window_table.h"

namespace w32 {

namespace {

void CloseKernelHandle(HANDLE h) {
    ::CloseHandle(h);
}

struct Watch {
    HWND window = nullptr;
    UINT message = 0;
};

// Held until the process ends; the system closes it then, whatever way it ends.
Unique<HANDLE, CloseKernelHandle> instanceMutex;
UINT laterStartMessage = 0;  // registered under the mutex's name
Watch laterStarts, sessionEnd;

// Sent to the watching window itself, so that the save is done before the answer:
// once every program has answered WM_ENDSESSION, the system may end them at once.
bool HandOn(const Watch& watch, HWND hwnd, WPARAM wParam) {
    if (!watch.window || hwnd != watch.window) return false;
    if (WindowInfo* w = Find(hwnd)) Notify(*w, watch.message, wParam);
    return true;
}

}  // namespace

bool Win32Platform::ClaimSingleInstance() {
    if (instanceMutex) return true;
    const std::string name = plat::InstanceName(UserDataDirectory(), true);
    laterStartMessage = ::RegisterWindowMessageA(name.c_str());
    HANDLE mutex = ::CreateMutexA(nullptr, FALSE, ("Local\\" + name).c_str());
    const DWORD error = ::GetLastError();
    if (mutex && error != ERROR_ALREADY_EXISTS) {
        instanceMutex.reset(mutex);
        return true;
    }
    if (mutex) ::CloseHandle(mutex);
    // Refused for a reason other than another copy's mutex: run rather than not at all.
    if (!mutex && error != ERROR_ACCESS_DENIED) return true;
    // The start a person made may take the foreground; the copy that runs may have it.
    ::AllowSetForegroundWindow(ASFW_ANY);
    ::PostMessageA(HWND_BROADCAST, laterStartMessage, 0, 0);
    return false;
}

void Win32Platform::WatchLaterStarts(PHWND window, plat::UINT message) {
    laterStarts = {H(window), message};
}

void Win32Platform::WatchSessionEnd(PHWND window, plat::UINT message) {
    sessionEnd = {H(window), message};
}

// The process goes on after both answers: the system ends it when the session ends,
// and a session whose end was called off goes on with the program running.
bool LifetimeMessage(HWND hwnd, UINT msg, WPARAM wParam, LRESULT& result) {
    if (msg == WM_QUERYENDSESSION) {
        result = TRUE;
        return HandOn(sessionEnd, hwnd, 0);
    }
    if (msg == WM_ENDSESSION) {
        result = 0;
        return wParam && HandOn(sessionEnd, hwnd, 0);
    }
    if (laterStartMessage && msg == laterStartMessage) {
        result = 0;
        return HandOn(laterStarts, hwnd, 0);
    }
    return false;
}

}  // namespace w32
