// Plain records and constants of the operating-system interface, with the Windows
// names and values. They live in namespace plat so that they never meet <windows.h>
// in one scope; the Windows backend copies them field by field.
#pragma once

#include <cstdint>

namespace plat {

using BOOL = int;
using UINT = std::uint32_t;
using DWORD = std::uint32_t;
using WORD = std::uint16_t;
using LONG = std::int32_t;
using HRESULT = std::int32_t;
using MMRESULT = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

// Opaque handles; 0 is "none". The Windows backend casts its own handles to these.
using HWND = std::uintptr_t;
using HICON = std::uintptr_t;
using HKEY = std::uintptr_t;
using HANDLE = std::uintptr_t;
inline constexpr HANDLE INVALID_HANDLE_VALUE = ~HANDLE{0};
// Another program's process, pinned: it names that process, never a later one given
// the same id, until it is released (Windows: a process handle; Linux: a pidfd).
using PROCESS = std::uintptr_t;
// A connection to a player's control channel (a named pipe, a local socket).
using CHANNEL = std::uintptr_t;

struct POINT {
    LONG x = 0;
    LONG y = 0;
};

// Coordinates summed or subtracted stop at the ends of their range: a position or
// size read from a file may lie at the edge of what 32 bits hold.
constexpr LONG ClampToLong(std::int64_t v) {
    return v < INT32_MIN ? INT32_MIN : v > INT32_MAX ? INT32_MAX : static_cast<LONG>(v);
}
constexpr LONG SaturatingAdd(LONG a, LONG b) {
    return ClampToLong(std::int64_t{a} + b);
}
constexpr LONG SaturatingSub(LONG a, LONG b) {
    return ClampToLong(std::int64_t{a} - b);
}

struct RECT {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
    LONG Width() const { return SaturatingSub(right, left); }
    LONG Height() const { return SaturatingSub(bottom, top); }
};

// ---- Notification area -------------------------------------------------------

// The 88-byte record of the first shell version: cbSize, hWnd, uID, uFlags,
// uCallbackMessage, hIcon and a 64-byte tip; then the balloon's fields of the
// second version (488 bytes), read only with NIF_INFO.
struct NOTIFYICONDATA {
    DWORD cbSize = 0;
    HWND hWnd = 0;
    UINT uID = 0;
    UINT uFlags = 0;
    UINT uCallbackMessage = 0;
    HICON hIcon = 0;
    char szTip[64] = {};
    char szInfo[256] = {};
    char szInfoTitle[64] = {};
    DWORD dwInfoFlags = 0;
};

inline constexpr DWORD NIM_ADD = 0;
inline constexpr DWORD NIM_MODIFY = 1;
inline constexpr DWORD NIM_DELETE = 2;
inline constexpr UINT NIF_MESSAGE = 1;
inline constexpr UINT NIF_ICON = 2;
inline constexpr UINT NIF_TIP = 4;
inline constexpr UINT NIF_INFO = 0x10;
inline constexpr DWORD NIIF_INFO = 1;
inline constexpr DWORD NIIF_NOSOUND = 0x10;

// ---- Auxiliary audio ---------------------------------------------------------

// AUXCAPSA: 48 bytes on Windows.
struct AUXCAPS {
    WORD wMid = 0;
    WORD wPid = 0;
    DWORD vDriverVersion = 0;
    char szPname[32] = {};
    WORD wTechnology = 0;
    WORD wReserved1 = 0;
    DWORD dwSupport = 0;
};

inline constexpr MMRESULT MMSYSERR_NOERROR = 0;
inline constexpr MMRESULT MMSYSERR_ERROR = 1;
inline constexpr MMRESULT MMSYSERR_BADDEVICEID = 2;
inline constexpr MMRESULT MMSYSERR_NOTSUPPORTED = 8;
inline constexpr DWORD AUXCAPS_VOLUME = 1;
inline constexpr DWORD AUXCAPS_LRVOLUME = 2;
inline constexpr WORD MM_MICROSOFT = 1;

// ---- Registry ----------------------------------------------------------------

inline constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;
inline constexpr HKEY HKEY_USERS = 0x80000003u;
inline constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005u;
inline constexpr HKEY HKEY_DYN_DATA = 0x80000006u;

inline constexpr DWORD KEY_ALL_ACCESS = 0xF003F;
inline constexpr DWORD KEY_QUERY_VALUE = 0x0001;
inline constexpr DWORD KEY_READ = 0x20019;
// Which view of HKEY_LOCAL_MACHINE\SOFTWARE a key is opened in on 64-bit Windows:
// the 64-bit programs' keys, or the 32-bit programs' (kept below WOW6432Node).
inline constexpr DWORD KEY_WOW64_64KEY = 0x0100;
inline constexpr DWORD KEY_WOW64_32KEY = 0x0200;
inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;
inline constexpr DWORD REG_MULTI_SZ = 7;
inline constexpr DWORD REG_CREATED_NEW_KEY = 1;
inline constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// ---- System error numbers (GetLastError, registry status) -----------------------

inline constexpr DWORD ERROR_SUCCESS = 0;
inline constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
inline constexpr DWORD ERROR_PATH_NOT_FOUND = 3;
inline constexpr DWORD ERROR_TOO_MANY_OPEN_FILES = 4;
inline constexpr DWORD ERROR_ACCESS_DENIED = 5;
inline constexpr DWORD ERROR_INVALID_HANDLE = 6;
inline constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
inline constexpr DWORD ERROR_BAD_FORMAT = 11;
inline constexpr DWORD ERROR_WRITE_PROTECT = 19;
inline constexpr DWORD ERROR_SHARING_VIOLATION = 32;
inline constexpr DWORD ERROR_HANDLE_EOF = 38;
inline constexpr DWORD ERROR_FILE_EXISTS = 80;
inline constexpr DWORD ERROR_INVALID_PARAMETER = 87;
inline constexpr DWORD ERROR_DISK_FULL = 112;
inline constexpr DWORD ERROR_INVALID_NAME = 123;
inline constexpr DWORD ERROR_DIR_NOT_EMPTY = 145;
inline constexpr DWORD ERROR_ALREADY_EXISTS = 183;
inline constexpr DWORD ERROR_ENVVAR_NOT_FOUND = 203;
inline constexpr DWORD ERROR_MORE_DATA = 234;
inline constexpr DWORD ERROR_NO_UNICODE_TRANSLATION = 1113;

// ---- Files -------------------------------------------------------------------

inline constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFFu;
inline constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x01;
inline constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;

inline constexpr DWORD GENERIC_READ = 0x80000000u;
inline constexpr DWORD GENERIC_WRITE = 0x40000000u;
inline constexpr DWORD CREATE_NEW = 1;
inline constexpr DWORD CREATE_ALWAYS = 2;
inline constexpr DWORD OPEN_EXISTING = 3;
inline constexpr DWORD OPEN_ALWAYS = 4;

inline constexpr DWORD MOVEFILE_REPLACE_EXISTING = 1;

// ---- Windows and messages ----------------------------------------------------

inline constexpr UINT WM_CLOSE = 0x0010;
// Told by a tray whose desktop shows the icon's menu itself: the menu's items are
// wanted now (handed over through TrackPopupMenu), and its commands come as ZM_COMMAND.
inline constexpr UINT WM_CONTEXTMENU = 0x007B;
inline constexpr UINT WM_MOUSEMOVE = 0x0200;
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;
inline constexpr UINT WM_LBUTTONUP = 0x0202;
inline constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
inline constexpr UINT WM_RBUTTONDOWN = 0x0204;
inline constexpr UINT WM_RBUTTONUP = 0x0205;
inline constexpr UINT WM_RBUTTONDBLCLK = 0x0206;
inline constexpr UINT WM_MBUTTONDOWN = 0x0207;
inline constexpr UINT WM_USER = 0x0400;
inline constexpr UINT WM_APP = 0x8000;

inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOWMINIMIZED = 2;
inline constexpr int SW_SHOWMAXIMIZED = 3;
inline constexpr int SW_SHOWNOACTIVATE = 4;
inline constexpr int SW_SHOW = 5;
inline constexpr int SW_MINIMIZE = 6;
inline constexpr int SW_SHOWMINNOACTIVE = 7;
inline constexpr int SW_RESTORE = 9;

// Message boxes
inline constexpr UINT MB_OK = 0x00;
inline constexpr UINT MB_OKCANCEL = 0x01;
inline constexpr UINT MB_YESNO = 0x04;
inline constexpr UINT MB_ICONSTOP = 0x10;  // also MB_ICONERROR, MB_ICONHAND
inline constexpr UINT MB_ICONERROR = 0x10;
inline constexpr UINT MB_ICONQUESTION = 0x20;
inline constexpr UINT MB_ICONWARNING = 0x30;
inline constexpr UINT MB_ICONINFORMATION = 0x40;
inline constexpr UINT MB_TASKMODAL = 0x2000;
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// Virtual keys
inline constexpr int VK_LBUTTON = 0x01;
inline constexpr int VK_RBUTTON = 0x02;
inline constexpr int VK_MBUTTON = 0x04;
inline constexpr int VK_RETURN = 0x0D;
inline constexpr int VK_SHIFT = 0x10;
inline constexpr int VK_CONTROL = 0x11;
inline constexpr int VK_MENU = 0x12;
inline constexpr int VK_ESCAPE = 0x1B;
inline constexpr int VK_F1 = 0x70;
inline constexpr int VK_F5 = 0x74;

// Help viewer
inline constexpr UINT HELP_CONTEXT = 0x0001;
inline constexpr UINT HELP_QUIT = 0x0002;
inline constexpr UINT HELP_CONTENTS = 0x0003;
inline constexpr UINT HELP_COMMAND = 0x0102;

// Locale comparison
inline constexpr DWORD NORM_IGNORECASE = 0x00000001;
inline constexpr int CSTR_LESS_THAN = 1;
inline constexpr int CSTR_EQUAL = 2;
inline constexpr int CSTR_GREATER_THAN = 3;

// ---- COM ---------------------------------------------------------------------

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
inline constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
inline constexpr HRESULT E_ACCESSDENIED = static_cast<HRESULT>(0x80070005u);
inline constexpr HRESULT REGDB_E_CLASSNOTREG = static_cast<HRESULT>(0x80040154u);
inline constexpr UINT CP_ACP = 0;
inline constexpr UINT CP_UTF8 = 65001;
inline constexpr DWORD MB_ERR_INVALID_CHARS = 0x08;
inline constexpr DWORD WC_NO_BEST_FIT_CHARS = 0x400;
inline constexpr bool SUCCEEDED(HRESULT hr) {
    return hr >= 0;
}
inline constexpr bool FAILED(HRESULT hr) {
    return hr < 0;
}

}  // namespace plat
