// The one door to <windows.h>. It brings in the headers the backend needs and then
// removes the A/W macros that would rename our own methods of the same name (the
// Platform interface is named after these calls); code here calls the ...A
// functions explicitly.
#pragma once

// The seam's own records and constants carry the Windows names, which <windows.h>
// defines as macros: they must be declared before it. Code here uses the native
// constants after this point.
#include "platform/platform.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <mmsystem.h>
#include <objbase.h>
#include <richedit.h>
#include <shellapi.h>
#include <shlobj.h>

#undef MessageBox
#undef CreateWindow
#undef CreateWindowA
#undef GetMessage
#undef LoadIcon
#undef DeleteFile
#undef CopyFile
#undef MoveFile
#undef MoveFileEx
#undef CreateDirectory
#undef FindWindow
#undef SetWindowText
#undef ShellExecute
#undef WinHelp
#undef GetObject
#undef GetModuleFileName
#undef CreateFile
#undef GetFileAttributes
#undef SetFileAttributes
#undef GetPrivateProfileString
#undef WritePrivateProfileString
#undef RegOpenKeyEx
#undef RegCreateKeyEx
#undef RegQueryValueEx
#undef GetWindowsDirectory
#undef CompareString
#undef SendMessage
#undef PostMessage
#undef Shell_NotifyIcon
#undef auxGetDevCaps
#undef GetOpenFileName
#undef SetMenu
#undef TrackPopupMenu
#undef SetTimer
#undef KillTimer
#undef ShowWindow
#undef MoveWindow
#undef SetFont
#undef ExitProcess
#undef WinExec
#undef CopyIcon
#undef DestroyIcon
#undef DestroyWindow
#undef SetFocus
#undef EnableWindow
#undef SetCapture
#undef ReleaseCapture
#undef GetCursorPos
#undef GetKeyState
#undef GetDoubleClickTime
#undef GetLastError
#undef CloseHandle
#undef ReadFile
#undef WriteFile
#undef GetFileSize
#undef CoInitialize
#undef CoUninitialize
#undef RegCloseKey
#undef MultiByteToWideChar
#undef BringWindowToTop
#undef SetForegroundWindow
