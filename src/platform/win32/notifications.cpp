#include "platform/win32/notifications.h"

#include <string>

#include "platform/win32/glyphs.h"
#include "platform/win32/listview.h"
#include "platform/win32/window_table.h"

namespace w32 {

namespace {

using plat::WindowKind;

}  // namespace

// A list box may notify on button-down, on button-up or both; one ZM_SELECT per
// change is what a person did.
void ReportSelection(WindowInfo& w, UINT getCurSel) {
    int sel = static_cast<int>(::SendMessageA(w.hwnd, getCurSel, 0, 0));
    const bool changed = w.control.TakeSelection(sel);
    if (w.kind == WindowKind::ListBox && !changed) return;
    Notify(w, plat::ZM_SELECT, static_cast<WPARAM>(sel));
}

namespace {

void ReportText(WindowInfo& w) {
    if (w.control.Quiet()) return;  // SetWindowTextA from the GUI library, not typing
    int n = ::GetWindowTextLengthA(w.hwnd);
    std::string text(n + 1, '\0');
    text.resize(::GetWindowTextA(w.hwnd, text.data(), n + 1));
    Notify(w, plat::ZM_TEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool OnCommand(HWND child, UINT code) {
    WindowInfo* w = Find(child);
    if (!w) return false;
    switch (w->kind) {
        case WindowKind::Button:
        case WindowKind::GlyphButton:
            if (code == BN_CLICKED) Notify(*w, plat::ZM_CLICK);
            break;
        case WindowKind::CheckBox:
            if (code == BN_CLICKED) {
                bool on = ::SendMessageA(child, BM_GETCHECK, 0, 0) == BST_CHECKED;
                Notify(*w, plat::ZM_CHECK, on ? 1 : 0);
            }
            break;
        case WindowKind::ListBox:
            if (code == LBN_SELCHANGE) ReportSelection(*w, LB_GETCURSEL);
            break;
        case WindowKind::ComboList:
            if (code == CBN_SELCHANGE) ReportSelection(*w, CB_GETCURSEL);
            break;
        case WindowKind::Edit:
            if (code == EN_CHANGE) ReportText(*w);
            break;
        default:
            break;
    }
    return true;
}

bool OnScroll(HWND child) {
    WindowInfo* w = Find(child);
    if (!w || w->kind != WindowKind::TrackBar) return false;
    // Dragging sends several notifications per position; report each new position once.
    int pos = static_cast<int>(::SendMessageA(child, TBM_GETPOS, 0, 0));
    if (!w->control.TakePosition(pos)) return true;
    Notify(*w, plat::ZM_SCROLL, static_cast<WPARAM>(pos));
    return true;
}

bool OnNotify(const NMHDR& hdr) {
    WindowInfo* w = Find(hdr.hwndFrom);
    if (w && w->kind == WindowKind::ListView) {
        ListViewNotified(*w, hdr);
        return true;
    }
    if (!w || w->kind != WindowKind::TabControl) return false;
    if (hdr.code == static_cast<UINT>(TCN_SELCHANGE)) {
        int sel = static_cast<int>(::SendMessageA(hdr.hwndFrom, TCM_GETCURSEL, 0, 0));
        Notify(*w, plat::ZM_SELECT, static_cast<WPARAM>(sel));
    }
    return true;
}

bool OnDrawItem(const DRAWITEMSTRUCT& item) {
    WindowInfo* w = item.CtlType == ODT_BUTTON ? Find(item.hwndItem) : nullptr;
    if (!w || w->kind != WindowKind::GlyphButton) return false;
    PaintGlyphButton(item, *w);
    return true;
}

}  // namespace

bool ReflectToControl(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (msg) {
        case WM_COMMAND:
            return lParam && OnCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        case WM_HSCROLL:
        case WM_VSCROLL:
            return lParam && OnScroll(reinterpret_cast<HWND>(lParam));
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_DRAWITEM:
            result = TRUE;
            return OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        default:
            return false;
    }
}

}  // namespace w32
