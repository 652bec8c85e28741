// Fonts, tooltips, mouse capture and the drag cursor.
#include "platform/win32/win32_platform.h"
#include "platform/win32/window_table.h"

namespace w32 {

namespace {

// One tooltip control per form, made when the form's first hint is set.
HWND TooltipOf(WindowInfo& form) {
    if (form.tooltip && ::IsWindow(form.tooltip)) return form.tooltip;
    form.tooltip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                     WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form.hwnd,
                                     nullptr, ::GetModuleHandleA(nullptr), nullptr);
    return form.tooltip;
}

}  // namespace

HFONT Win32Platform::Font(const plat::FontSpec& spec) {
    auto key = std::make_tuple(spec.name, spec.pointSize, spec.bold, spec.italic);
    auto it = fonts_.find(key);
    if (it != fonts_.end()) return it->second.get();
    HDC screen = ::GetDC(nullptr);
    int height = -::MulDiv(spec.pointSize, ::GetDeviceCaps(screen, LOGPIXELSY), 72);
    ::ReleaseDC(nullptr, screen);
    HFONT font = ::CreateFontA(height, 0, 0, 0, spec.bold ? FW_BOLD : FW_NORMAL, spec.italic, FALSE,
                               FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                               DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, spec.name.c_str());
    return fonts_.emplace(key, UniqueFont(font)).first->second.get();
}

void Win32Platform::SetFont(PHWND window, const plat::FontSpec& font) {
    ::SendMessageA(H(window), WM_SETFONT, reinterpret_cast<plat::WPARAM>(Font(font)), TRUE);
}

void Win32Platform::SetHint(PHWND window, const std::string& hint) {
    HWND control = H(window);
    WindowInfo* form = FormOf(control);
    if (!form) return;
    HWND tip = TooltipOf(*form);
    if (!tip) return;
    // TTTOOLINFOA grew in later common controls; the V2 size is understood by all.
    TTTOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = ::GetParent(control) ? ::GetParent(control) : control;
    ti.uId = reinterpret_cast<UINT_PTR>(control);
    ::SendMessageA(tip, TTM_DELTOOLA, 0, reinterpret_cast<plat::LPARAM>(&ti));
    if (hint.empty()) return;
    ti.lpszText = const_cast<char*>(hint.c_str());  // the tooltip keeps a copy
    ::SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<plat::LPARAM>(&ti));
}

PHWND Win32Platform::SetCapture(PHWND window) {
    HWND previous = ::SetCapture(H(window));
    // Marked after the call: taking the capture may first report it lost.
    if (WindowInfo* w = Find(H(window))) w->guiCapture = true;
    return P(previous);
}

plat::BOOL Win32Platform::ReleaseCapture() {
    if (WindowInfo* w = Find(::GetCapture())) w->guiCapture = false;
    return ::ReleaseCapture();
}

void Win32Platform::SetDragCursor(bool dragging, bool accepted) {
    // While the mouse is captured no WM_SETCURSOR arrives, so the cursor set here stays.
    LPCSTR shape = !dragging ? IDC_ARROW : accepted ? IDC_SIZEALL : IDC_NO;
    ::SetCursor(::LoadCursorA(nullptr, shape));
}

}  // namespace w32
