// The subclass procedure of the standard controls: focus, timers and the mouse of
// list boxes and flat tool buttons.
#include "platform/win32/notifications.h"
#include "platform/win32/window_procs.h"
#include "platform/win32/window_table.h"

#include <windowsx.h>  // after win.h: it needs <windows.h>

namespace w32 {

namespace {

using plat::WindowKind;

LPARAM ClientPoint(LPARAM lParam) {
    return plat::MakePoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}

// The list box selects the row on button-down but may tell its parent only on
// button-up; the row is reported before ZM_MOUSEDOWN either way, so that the sink
// knows the selection when the press begins.
void SelectionOfPress(HWND hwnd) {
    WindowInfo* w = Find(hwnd);
    if (!w || !w->control.SelectionForgotten()) return;  // the list box told its parent already
    if (::SendMessageA(hwnd, LB_GETCURSEL, 0, 0) >= 0) ReportSelection(*w, LB_GETCURSEL);
}

LRESULT ListMouse(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    UINT zm = 0;
    LRESULT r = 0;
    if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
        if (WindowInfo* w = Find(hwnd)) w->control.ForgetSelection();  // a click always reports its row
        r = ::DefSubclassProc(hwnd, msg, wParam, lParam);
        SelectionOfPress(hwnd);
        zm = plat::ZM_MOUSEDOWN;
    } else if (msg == WM_MOUSEMOVE) {
        // While the GUI library drags an item, the list must not drag its selection along.
        WindowInfo* w = Find(hwnd);
        if (!w || !w->guiCapture) r = ::DefSubclassProc(hwnd, msg, wParam, lParam);
        zm = plat::ZM_MOUSEMOVE;
    } else {
        r = ::DefSubclassProc(hwnd, msg, wParam, lParam);
        zm = plat::ZM_MOUSEUP;
    }
    if (WindowInfo* w = Find(hwnd)) Notify(*w, zm, 0, ClientPoint(lParam));
    return r;
}

bool Inside(HWND hwnd, LPARAM lParam) {
    RECT r{};
    ::GetClientRect(hwnd, &r);
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    return ::PtInRect(&r, p);
}

// A flat tool button is pressed and released like a button but never takes the
// focus, so the button's own mouse handling (which focuses it) is replaced.
bool FlatMouse(WindowInfo& w, UINT msg, LPARAM lParam) {
    HWND hwnd = w.hwnd;
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            w.pressed = true;
            ::SetCapture(hwnd);
            ::SendMessageA(hwnd, BM_SETSTATE, TRUE, 0);
            return true;
        case WM_MOUSEMOVE:
            if (w.pressed) ::SendMessageA(hwnd, BM_SETSTATE, Inside(hwnd, lParam), 0);
            return true;
        case WM_LBUTTONUP: {
            if (!w.pressed) return true;
            w.pressed = false;
            ::SendMessageA(hwnd, BM_SETSTATE, FALSE, 0);
            ::ReleaseCapture();
            if (Inside(hwnd, lParam)) {
                WPARAM code = MAKEWPARAM(::GetDlgCtrlID(hwnd), BN_CLICKED);
                ::SendMessageA(::GetParent(hwnd), WM_COMMAND, code, reinterpret_cast<LPARAM>(hwnd));
            }
            return true;
        }
        case WM_CAPTURECHANGED:
            if (w.pressed) {
                w.pressed = false;
                ::SendMessageA(hwnd, BM_SETSTATE, FALSE, 0);
            }
            return false;
        default:
            return false;
    }
}

bool IsMouse(UINT msg) {
    return msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK || msg == WM_MOUSEMOVE ||
           msg == WM_LBUTTONUP;
}

LRESULT Handle(WindowInfo& w, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = w.hwnd;
    if (msg >= WM_APP) {
        // WM_USER up to WM_APP are the control class's own messages; above that the
        // sink may answer (ZM_ messages sent to the handle, registered messages).
        plat::Message m{msg, wParam, lParam, 0};
        if (Notify(w, m)) return m.result;
        return ::DefSubclassProc(hwnd, msg, wParam, lParam);
    }
    LRESULT result = 0;
    if (ReflectToControl(msg, wParam, lParam, result)) return result;  // tab control pages
    if (w.kind == WindowKind::GlyphButton && w.flat && FlatMouse(w, msg, lParam)) return 0;
    if (w.kind == WindowKind::ListBox && IsMouse(msg)) return ListMouse(hwnd, msg, wParam, lParam);
    switch (msg) {
        case WM_SETFOCUS: {
            // Kept for when the form is activated again: a message box disables the
            // form first, which takes the focus away before the form is deactivated.
            if (WindowInfo* form = FormOf(hwnd)) form->savedFocus = hwnd;
            LRESULT r = ::DefSubclassProc(hwnd, msg, wParam, lParam);
            if (WindowInfo* again = Find(hwnd)) Notify(*again, plat::ZM_FOCUS);
            return r;
        }
        case WM_CAPTURECHANGED:
            w.guiCapture = false;
            break;
        case WM_TIMER:
            // The controls run timers of their own (caret, scrolling); only ours go on.
            if (w.timers.count(static_cast<UINT>(wParam))) {
                Notify(w, plat::ZM_TIMER, wParam);
                return 0;
            }
            break;
        default:
            break;
    }
    return ::DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR) {
    try {
        if (msg == WM_NCDESTROY) {
            ::RemoveWindowSubclass(hwnd, ControlProc, kControlSubclass);
            Detach(hwnd);
            return ::DefSubclassProc(hwnd, msg, wParam, lParam);
        }
        WindowInfo* w = Find(hwnd);
        if (!w) return ::DefSubclassProc(hwnd, msg, wParam, lParam);
        return Handle(*w, msg, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through Windows; the message counts as handled.
        return 0;
    }
}

}  // namespace w32
