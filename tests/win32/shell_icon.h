// Asking the real shell about the program's notification-area icon. Include after
// components/PGTray95.h and win32/native_windows.h.
#pragma once

#include <shellapi.h>  // after windows.h, which it builds on

// Whether the shell holds an icon for (window, 42): only a known icon can be modified.
inline bool ShellHasIcon(HWND window) {
    NOTIFYICONDATAA d{};
    d.cbSize = 88;
    d.hWnd = window;
    d.uID = kTrayIconId;
    d.uFlags = NIF_TIP;
    return ::Shell_NotifyIconA(NIM_MODIFY, &d) != FALSE;
}
