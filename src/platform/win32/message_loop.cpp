// The message loops, with the active form's accelerators and dialog navigation,
// and the timers they deliver.
#include "platform/win32/win32_platform.h"
#include "platform/win32/window_table.h"

namespace w32 {

namespace {

// Enter goes to the form with the control that has the focus, and the GUI library
// decides what it presses: a focused push button, or else the default button. The
// dialog manager would press the default button even from a focused push button of
// ours, since only it can make a focused button the default one. A control that
// wants the key itself (an open drop-down list) keeps it.
bool EnterToForm(const MSG& msg, WindowInfo& form) {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_RETURN) return false;
    const LRESULT wants =
        ::SendMessageA(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
    if (wants & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;
    HWND focus = ::GetFocus();
    LPARAM control =
        focus && ::IsChild(form.hwnd, focus) && Find(focus) ? reinterpret_cast<LPARAM>(focus) : 0;
    Notify(form, plat::ZM_DEFAULT, 0, control);
    return true;
}

// Accelerators of the form the message is for, then Tab, Enter and Escape as in a
// dialog box; true when one of them took the message.
bool TakenByForm(MSG& msg) {
    if (!msg.hwnd) return false;
    HWND root = ::GetAncestor(msg.hwnd, GA_ROOT);
    WindowInfo* form = Find(root);
    if (!form || form->kind != plat::WindowKind::Form) return false;
    if (form->accelerators && ::TranslateAcceleratorA(root, form->accelerators.get(), &msg))
        return true;
    if (EnterToForm(msg, *form)) return true;
    return ::IsDialogMessageA(root, &msg);
}

void Dispatch(MSG& msg) {
    if (TakenByForm(msg)) return;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
}

}  // namespace

void Win32Platform::RunMessageLoop() {
    MSG msg{};
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) Dispatch(msg);
}

void Win32Platform::RunModalLoop(PHWND, const std::function<bool()>& done) {
    while (!done()) {
        MSG msg{};
        if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            // PeekMessage has handled what other threads sent meanwhile (another
            // program's BM_CLICK or WM_CLOSE) and that may have ended the showing:
            // asked again before sleeping, or the loop would wait for the next input.
            if (done()) return;
            ::MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
            continue;
        }
        if (msg.message == WM_QUIT) {
            // The outer loop must see it too.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        Dispatch(msg);
    }
}

void Win32Platform::ProcessMessages() {
    MSG msg{};
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        Dispatch(msg);
    }
}

plat::BOOL Win32Platform::SetTimer(PHWND window, plat::UINT id, plat::UINT milliseconds) {
    if (WindowInfo* w = Find(H(window))) w->timers.insert(id);
    return ::SetTimer(H(window), id, milliseconds, nullptr) != 0;
}

plat::BOOL Win32Platform::KillTimer(PHWND window, plat::UINT id) {
    if (WindowInfo* w = Find(H(window))) w->timers.erase(id);
    return ::KillTimer(H(window), id);
}

}  // namespace w32
