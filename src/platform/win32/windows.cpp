// Creating windows from WindowSpec, and the calls on whole windows.
#include <set>

#include "platform/win32/listview.h"
#include "platform/win32/network.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/window_procs.h"
#include "platform/win32/window_styles.h"
#include "platform/win32/window_table.h"

namespace w32 {

namespace {

using plat::WindowKind;

HINSTANCE Instance() {
    return ::GetModuleHandleA(nullptr);
}

BOOL CALLBACK TakeFirstIcon(HMODULE module, LPCSTR, LPSTR name, LONG_PTR icon) {
    *reinterpret_cast<HICON*>(icon) = ::LoadIconA(module, name);
    return FALSE;  // the first one is the program's own
}

// The program's icon on every form's caption: the first icon in its resources, the
// one the shell shows for the program file too; the system's when it has none.
HICON ClassIcon() {
    HICON icon = nullptr;
    ::EnumResourceNamesA(Instance(), RT_GROUP_ICON, TakeFirstIcon,
                         reinterpret_cast<LONG_PTR>(&icon));
    return icon ? icon : ::LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
}

// Each class name is registered once, all with the one window procedure.
bool RegisterOurClass(const std::string& name, bool withIcon) {
    static std::set<std::string> registered;
    if (registered.count(name)) return true;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = OurWindowProc;
    wc.hInstance = Instance();
    wc.hIcon = withIcon ? ClassIcon() : nullptr;
    wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name.c_str();
    if (!::RegisterClassExA(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
    registered.insert(name);
    return true;
}

// Rich edit controls come from riched20.dll, which registers "RichEdit20A". It stays
// loaded for the life of the process: unloading it under a live control would crash.
void LoadRichEdit() {
    static HMODULE module = ::LoadLibraryA("riched20.dll");
    (void)module;
}

// Control ids identify controls to IsDialogMessage (the default button's id);
// they start clear of IDOK and IDCANCEL.
int NextControlId() {
    static int next = 1000;
    if (next > 0x7FF0) next = 1000;
    return next++;
}

std::unique_ptr<WindowInfo> InfoFor(const plat::WindowSpec& spec) {
    auto info = std::make_unique<WindowInfo>();
    info->kind = spec.kind;
    info->sink = spec.sink;
    info->border = spec.border;
    info->flat = spec.flat;
    info->glyph = spec.glyph;
    info->control.SetPosition(spec.rangeMin);
    info->control.Hush();  // what creation itself sends is not the user's doing
    return info;
}

HWND CreateTopLevel(const plat::WindowSpec& spec) {
    bool form = spec.kind == WindowKind::Form;
    if (!RegisterOurClass(spec.className, form)) return nullptr;
    Styles s = form ? FormStyles(spec.border, spec.minimizeBox, spec.maximizeBox)
                    : Styles{WS_POPUP, WS_EX_TOOLWINDOW};  // utility: hidden, out of Alt+Tab
    if (form && spec.visible) s.style |= WS_VISIBLE;
    if (!spec.enabled) s.style |= WS_DISABLED;
    const plat::RECT& b = spec.bounds;
    auto info = InfoFor(spec);
    // WM_NCCREATE moves the info into the table; if creation fails first, it is freed here.
    HWND hwnd =
        ::CreateWindowExA(s.exStyle, spec.className.c_str(), spec.text.c_str(), s.style, b.left,
                          b.top, b.Width(), b.Height(), H(spec.parent), nullptr, Instance(), &info);
    return hwnd;
}

HWND CreateControl(const plat::WindowSpec& spec) {
    if (spec.kind == WindowKind::Panel && !RegisterOurClass(kPanelClass, false)) return nullptr;
    if (spec.kind == WindowKind::RichEdit) LoadRichEdit();
    ControlClass c = ControlClassFor(spec);
    if (!c.className) return nullptr;
    plat::DWORD style = WS_CHILD | c.styles.style | (spec.visible ? WS_VISIBLE : 0u) |
                        (spec.enabled ? 0u : WS_DISABLED) | (spec.tabStop ? WS_TABSTOP : 0u);
    const plat::RECT& b = spec.bounds;
    int height =
        plat::SaturatingAdd(b.Height(), spec.kind == WindowKind::ComboList ? kDropDownHeight : 0);
    auto info = InfoFor(spec);
    HMENU id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(NextControlId()));
    // Panels are ours and take the info at WM_NCCREATE; other controls are subclassed.
    HWND hwnd = ::CreateWindowExA(c.styles.exStyle, c.className, spec.text.c_str(), style, b.left,
                                  b.top, b.Width(), height, H(spec.parent), id, Instance(),
                                  spec.kind == WindowKind::Panel ? &info : nullptr);
    if (!hwnd || spec.kind == WindowKind::Panel) return hwnd;
    Attach(hwnd, std::move(info));
    ::SetWindowSubclass(hwnd, ControlProc, kControlSubclass, 0);
    return hwnd;
}

// What each kind needs set once after it exists.
void InitControl(HWND hwnd, const plat::WindowSpec& spec) {
    switch (spec.kind) {
        case WindowKind::ListBox:
            ::SendMessageA(hwnd, LB_SETITEMHEIGHT, 0, MAKELPARAM(spec.itemHeight, 0));
            break;
        case WindowKind::ListView:
            InitListView(hwnd, spec);
            break;
        case WindowKind::TrackBar:
            ::SendMessageA(hwnd, TBM_SETRANGEMIN, FALSE, spec.rangeMin);
            ::SendMessageA(hwnd, TBM_SETRANGEMAX, TRUE, spec.rangeMax);
            ::SendMessageA(hwnd, TBM_SETTICFREQ, spec.frequency, 0);
            break;
        default:
            break;
    }
}

}  // namespace

PHWND Win32Platform::CreateWindowA(const plat::WindowSpec& spec) {
    bool topLevel = spec.kind == WindowKind::Form || spec.kind == WindowKind::Utility;
    HWND hwnd = topLevel ? CreateTopLevel(spec) : CreateControl(spec);
    if (!hwnd) return 0;
    if (WindowInfo* w = Find(hwnd)) w->control.Unhush();
    if (!topLevel) {
        // Controls start in the forms' usual font rather than the bold system font.
        ::SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<plat::WPARAM>(Font(plat::FontSpec{})),
                       FALSE);
        InitControl(hwnd, spec);
    }
    return P(hwnd);
}

plat::BOOL Win32Platform::DestroyWindow(PHWND window) {
    if (network_) network_->CloseAllOf(H(window));  // no call outlives its window
    return ::DestroyWindow(H(window));
}

PHWND Win32Platform::FindWindowA(const char* className, const char* title) {
    return P(::FindWindowA(className, title));
}

plat::LRESULT Win32Platform::SendMessageA(PHWND window, plat::UINT msg, plat::WPARAM wParam,
                                          plat::LPARAM lParam) {
    return ::SendMessageA(H(window), msg, wParam, lParam);
}

plat::BOOL Win32Platform::PostMessageA(PHWND window, plat::UINT msg, plat::WPARAM wParam,
                                       plat::LPARAM lParam) {
    return ::PostMessageA(H(window), msg, wParam, lParam);
}

plat::BOOL Win32Platform::ShowWindow(PHWND window, int showCmd) {
    Quiet quiet(H(window));  // a first showing moves the window; the user did not
    return ::ShowWindow(H(window), showCmd);
}

plat::BOOL Win32Platform::SetForegroundWindow(PHWND window) {
    return ::SetForegroundWindow(H(window));
}

plat::BOOL Win32Platform::BringWindowToTop(PHWND window) {
    return ::BringWindowToTop(H(window));
}

plat::BOOL Win32Platform::EnableWindow(PHWND window, plat::BOOL enable) {
    return ::EnableWindow(H(window), enable);
}

PHWND Win32Platform::SetFocus(PHWND window) {
    return P(::SetFocus(H(window)));
}

plat::BOOL Win32Platform::SetWindowTextA(PHWND window, const std::string& text) {
    Quiet quiet(H(window));  // EN_CHANGE from here is not the user typing
    return ::SetWindowTextA(H(window), text.c_str());
}

plat::BOOL Win32Platform::MoveWindow(PHWND window, const plat::RECT& bounds) {
    Quiet quiet(H(window));
    WindowInfo* w = Find(H(window));
    int extra = w && w->kind == WindowKind::ComboList ? kDropDownHeight : 0;
    return ::MoveWindow(H(window), bounds.left, bounds.top, bounds.Width(),
                        plat::SaturatingAdd(bounds.Height(), extra), TRUE);
}

plat::POINT Win32Platform::FrameSize(plat::BorderStyle border, bool hasMenu) {
    Styles s = FormStyles(border, false, false);
    RECT r{0, 0, 0, 0};
    ::AdjustWindowRectEx(&r, s.style, hasMenu, s.exStyle);
    return {r.right - r.left, r.bottom - r.top};
}

}  // namespace w32
