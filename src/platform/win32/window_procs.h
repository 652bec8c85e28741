// The backend's two window procedures: one for the windows of our own classes
// (forms, utility windows, panels) and one subclass procedure for the standard
// controls. Both turn native notifications into ZM_ messages for the sinks.
#pragma once

#include "platform/win32/win.h"

namespace w32 {

LRESULT CALLBACK OurWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                             DWORD_PTR data);

// The end of the session and a later start of the program, handed to the window that
// watches for them (instance.cpp): true when the message was one of them, with the
// answer for Windows in result.
bool LifetimeMessage(HWND hwnd, UINT msg, WPARAM wParam, LRESULT& result);

// The subclass id that ControlProc is installed with.
inline constexpr UINT_PTR kControlSubclass = 1;

}  // namespace w32
