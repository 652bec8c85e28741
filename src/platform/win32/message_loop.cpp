// The message loops, with the active form's accelerators and dialog navigation,
// and the timers they deliver.
#include "platform/win32/win32_platform.h"
#include "platform/win32/window_table.h"

namespace w32 {

namespace {

// Accelerators of the form the message is for, then Tab, Enter and Escape as in a
// dialog box; true when one of them took the message.
bool TakenByForm(MSG& msg) {
    if (!msg.hwnd) return false;
    HWND root = ::GetAncestor(msg.hwnd, GA_ROOT);
    WindowInfo* form = Find(root);
    if (!form || form->kind != plat::WindowKind::Form) return false;
    if (form->accelerators && ::TranslateAcceleratorA(root, form->accelerators.get(), &msg))
        return true;
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
            // Sleeps until something arrives; sent messages are handled by the next
            // PeekMessage, after which done() is asked again.
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
