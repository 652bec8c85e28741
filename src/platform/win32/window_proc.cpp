// The window procedure of our own classes: forms, utility windows and panels.
#include <memory>

#include "platform/win32/notifications.h"
#include "platform/win32/window_procs.h"
#include "platform/win32/window_table.h"

namespace w32 {

namespace {

using plat::WindowKind;

// A WM_COMMAND without a control: a menu item, an accelerator, IDOK as a program may
// send it for Enter, or IsDialogMessage's IDCANCEL (Escape).
void OnMenuCommand(WindowInfo& w, UINT id) {
    if (id >= kFirstCommand && id - kFirstCommand < w.commandIds.size()) {
        Notify(w, plat::ZM_COMMAND, w.commandIds[id - kFirstCommand]);
    } else if (id == IDOK && w.kind == WindowKind::Form) {
        Notify(w, plat::ZM_DEFAULT);
    } else if (id == IDCANCEL && w.border == plat::BorderStyle::Dialog) {
        Notify(w, plat::ZM_CLOSE);
    }
}

// A form that gets the focus hands it on to the control that had it last, or to
// its first tab stop, as a dialog does.
void PassFocusOn(WindowInfo& form) {
    HWND target = form.savedFocus;
    if (!target || !::IsWindow(target) || !::IsChild(form.hwnd, target) ||
        !::IsWindowVisible(target) || !::IsWindowEnabled(target)) {
        target = ::GetNextDlgTabItem(form.hwnd, nullptr, FALSE);
    }
    if (target && target != form.hwnd) ::SetFocus(target);
}

// What the dialog manager asks of a dialog to move the focus, as DefDlgProc does it:
// for a label's access key it names the label, then asks for the next control.
void MoveFocus(WindowInfo& form, WPARAM wParam, LPARAM lParam) {
    HWND target = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                 : ::GetNextDlgTabItem(form.hwnd, ::GetFocus(), wParam != 0);
    if (target && ::IsChild(form.hwnd, target)) ::SetFocus(target);
}

void OnMove(WindowInfo& w) {
    if (w.kind != WindowKind::Form || w.control.Quiet()) return;
    RECT r{};
    ::GetWindowRect(w.hwnd, &r);
    Notify(w, plat::ZM_MOVED, 0, plat::MakePoint(r.left, r.top));
}

LRESULT Handle(WindowInfo& w, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = w.hwnd;
    if (LRESULT result = 0; LifetimeMessage(hwnd, msg, wParam, result)) return result;
    if (msg >= WM_USER) {
        // IsDialogMessage asks for the default button: none, since the GUI library
        // decides what Enter presses (the message loop hands it Enter first). Answered
        // here because DM_GETDEFID is WM_USER itself, which a sink may use for its own.
        if (w.kind == WindowKind::Form && msg == DM_GETDEFID) return 0;
        plat::Message m{msg, wParam, lParam, 0};
        if (Notify(w, m)) return m.result;
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    LRESULT result = 0;
    if (ReflectToControl(msg, wParam, lParam, result)) return result;
    switch (msg) {
        case WM_COMMAND:
            if (!lParam) OnMenuCommand(w, LOWORD(wParam));
            return 0;
        case WM_CLOSE:  // the form decides; it is never destroyed here
            Notify(w, plat::ZM_CLOSE);
            return 0;
        case WM_MOVE:
            OnMove(w);
            break;
        case WM_TIMER:
            Notify(w, plat::ZM_TIMER, wParam);
            return 0;
        case WM_ACTIVATE:
            if (w.kind == WindowKind::Form && LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = ::GetFocus();
                if (focus && ::IsChild(hwnd, focus)) w.savedFocus = focus;
            }
            break;
        case WM_SETFOCUS:
            if (w.kind == WindowKind::Form) {
                PassFocusOn(w);
                return 0;
            }
            break;
        case WM_NEXTDLGCTL:
            if (w.kind == WindowKind::Form) {
                MoveFocus(w, wParam, lParam);
                return 0;
            }
            break;
        default:
            break;
    }
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK OurWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
        if (msg == WM_NCCREATE) {
            // CreateWindowA passes the info it prepared; from here the table owns it.
            auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
            auto* pending = static_cast<std::unique_ptr<WindowInfo>*>(cs->lpCreateParams);
            if (pending && *pending) Attach(hwnd, std::move(*pending));
        }
        if (msg == WM_NCDESTROY) {
            Detach(hwnd);
            return ::DefWindowProcA(hwnd, msg, wParam, lParam);
        }
        WindowInfo* w = Find(hwnd);
        if (!w) return ::DefWindowProcA(hwnd, msg, wParam, lParam);
        return Handle(*w, msg, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through Windows; the message counts as handled.
        return 0;
    }
}

}  // namespace w32
