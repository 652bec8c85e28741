// Turns what a control tells its parent (WM_COMMAND, WM_NOTIFY, WM_HSCROLL,
// WM_DRAWITEM) into the ZM_ message for the control's own sink.
#pragma once

#include "platform/win32/win.h"

namespace w32 {

// True when the message came from one of our controls and has been handled; result
// is then what the parent's window procedure returns.
bool ReflectToControl(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

// Reports the list box's or drop-down list's selection as ZM_SELECT, unless a list
// box already reported this row during the current mouse press.
struct WindowInfo;
void ReportSelection(WindowInfo& w, UINT getCurSel);

}  // namespace w32
