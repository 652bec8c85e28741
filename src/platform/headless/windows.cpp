// The window table: our windows and foreign ones, the messages sent to them, and the
// state the window calls leave behind for tests to read.
#include "platform/headless/state.h"

namespace plat::headless {

namespace {

constexpr DWORD ERROR_INVALID_WINDOW_HANDLE = 1400;

bool IsTopLevel(const WindowRecord& w) {
    return !w.destroyed && (w.foreign || w.spec.kind == WindowKind::Form);
}

}  // namespace

LRESULT Deliver(WindowRecord& window, HWND handle, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (window.destroyed) return 0;
    if (window.foreign) {
        window.received.push_back({handle, msg, wParam, lParam});
        // Another program's window closes when asked to, as a real one would.
        if (msg == WM_CLOSE) window.destroyed = true;
        return 0;
    }
    // The sink may create windows; the deque keeps this record where it is.
    if (!window.spec.sink) return 0;
    Message m{msg, wParam, lParam, 0};
    window.spec.sink->WndProc(m);
    return m.result;
}

const WindowRecord* HeadlessPlatform::Window(HWND window) const {
    if (window == 0 || window > state_->windows.size()) return nullptr;
    return &state_->windows[window - 1];
}

std::vector<HWND> HeadlessPlatform::WindowsOfClass(const std::string& className) const {
    std::vector<HWND> found;
    for (std::size_t i = 0; i < state_->windows.size(); ++i) {
        const auto& w = state_->windows[i];
        if (!w.destroyed && EqualsIgnoreCase(w.spec.className, className)) found.push_back(i + 1);
    }
    return found;
}

HWND HeadlessPlatform::AddForeignWindow(const std::string& className, const std::string& title) {
    WindowRecord w;
    w.spec.className = className;
    w.spec.text = title;
    w.text = title;
    w.foreign = true;
    w.visible = true;
    state_->windows.push_back(w);
    return static_cast<HWND>(state_->windows.size());
}

HWND HeadlessPlatform::CreateWindowA(const WindowSpec& spec) {
    HWND handle = state_->windows.size() + 1;
    Record(log, "CreateWindowA", static_cast<int>(spec.kind), spec.className, spec.text,
           spec.parent);
    WindowRecord w;
    w.spec = spec;
    w.visible = spec.visible;
    w.enabled = spec.enabled;
    w.text = spec.text;
    w.bounds = spec.bounds;
    state_->windows.push_back(std::move(w));
    return handle;
}

BOOL HeadlessPlatform::DestroyWindow(HWND window) {
    Record(log, "DestroyWindow", window);
    auto& s = *state_;
    auto* w = s.Find(window);
    if (!w || w->foreign)
        return s.lastError = w ? ERROR_ACCESS_DENIED : ERROR_INVALID_WINDOW_HANDLE, 0;
    // Children and owned forms go with their parent, as on Windows.
    std::vector<HWND> doomed{window};
    for (std::size_t i = 0; i < doomed.size(); ++i) {
        s.windows[doomed[i] - 1].destroyed = true;
        for (std::size_t k = 0; k < s.windows.size(); ++k)
            if (!s.windows[k].destroyed && s.windows[k].spec.parent == doomed[i])
                doomed.push_back(k + 1);
    }
    std::erase_if(s.timers, [&](const Timer& t) { return s.windows[t.window - 1].destroyed; });
    for (HWND gone : doomed) DropNetworkOf(gone);
    if (s.focus && s.windows[s.focus - 1].destroyed) s.focus = 0;
    if (s.capture && s.windows[s.capture - 1].destroyed) s.capture = 0;
    return 1;
}

HWND HeadlessPlatform::FindWindowA(const char* className, const char* title) {
    Record(log, "FindWindowA", className, title);
    for (std::size_t i = 0; i < state_->windows.size(); ++i) {
        const auto& w = state_->windows[i];
        if (!IsTopLevel(w)) continue;
        if (className && !EqualsIgnoreCase(w.spec.className, className)) continue;
        if (title && w.text != title) continue;
        return i + 1;
    }
    return 0;
}

LRESULT HeadlessPlatform::SendMessageA(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    Record(log, "SendMessageA", window, msg, wParam, lParam);
    auto* w = state_->Find(window);
    if (!w) return state_->lastError = ERROR_INVALID_WINDOW_HANDLE, 0;
    return Deliver(*w, window, msg, wParam, lParam);
}

BOOL HeadlessPlatform::PostMessageA(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    Record(log, "PostMessageA", window, msg, wParam, lParam);
    if (!state_->Find(window)) return state_->lastError = ERROR_INVALID_WINDOW_HANDLE, 0;
    state_->posted.push_back({window, msg, wParam, lParam});
    return 1;
}

BOOL HeadlessPlatform::ShowWindow(HWND window, int showCmd) {
    Record(log, "ShowWindow", window, showCmd);
    auto* w = state_->Find(window);
    if (!w) return 0;
    bool was = w->visible;
    w->visible = showCmd != SW_HIDE;
    return was ? 1 : 0;
}

BOOL HeadlessPlatform::SetForegroundWindow(HWND window) {
    Record(log, "SetForegroundWindow", window);
    foregroundCalls.push_back(window);
    return state_->Find(window) ? 1 : 0;
}

BOOL HeadlessPlatform::BringWindowToTop(HWND window) {
    Record(log, "BringWindowToTop", window);
    return state_->Find(window) ? 1 : 0;
}

BOOL HeadlessPlatform::EnableWindow(HWND window, BOOL enable) {
    Record(log, "EnableWindow", window, enable);
    auto* w = state_->Find(window);
    if (!w) return 0;
    bool wasDisabled = !w->enabled;
    w->enabled = enable != 0;
    return wasDisabled ? 1 : 0;
}

HWND HeadlessPlatform::SetFocus(HWND window) {
    Record(log, "SetFocus", window);
    if (window && !state_->Find(window)) return 0;
    HWND previous = state_->focus;
    state_->focus = window;
    return previous;
}

BOOL HeadlessPlatform::SetWindowTextA(HWND window, const std::string& text) {
    Record(log, "SetWindowTextA", window, text);
    auto* w = state_->Find(window);
    if (!w) return 0;
    w->text = text;
    return 1;
}

BOOL HeadlessPlatform::MoveWindow(HWND window, const RECT& bounds) {
    Record(log, "MoveWindow", window, bounds.left, bounds.top, bounds.right, bounds.bottom);
    auto* w = state_->Find(window);
    if (!w) return 0;
    w->bounds = bounds;
    return 1;
}

POINT HeadlessPlatform::FrameSize(BorderStyle border, bool hasMenu) {
    Record(log, "FrameSize", static_cast<int>(border), hasMenu);
    // Fixed metrics, so that tests can count on outer sizes: frame width twice, and
    // frame height twice plus the caption.
    POINT size;
    switch (border) {
        case BorderStyle::None:
            size = {0, 0};
            break;
        case BorderStyle::Single:
        case BorderStyle::Dialog:
            size = {6, 25};
            break;
        case BorderStyle::Sizeable:
            size = {8, 27};
            break;
        case BorderStyle::ToolWindow:
            size = {6, 21};
            break;
    }
    if (hasMenu) size.y += 19;
    return size;
}

void HeadlessPlatform::SetFont(HWND window, const FontSpec& font) {
    Record(log, "SetFont", window, font.name, font.pointSize, font.bold, font.italic);
    if (auto* w = state_->Find(window)) w->font = font;
}

void HeadlessPlatform::SetHint(HWND window, const std::string& hint) {
    Record(log, "SetHint", window, hint);
    if (auto* w = state_->Find(window)) w->hint = hint;
}

HWND HeadlessPlatform::SetCapture(HWND window) {
    Record(log, "SetCapture", window);
    HWND previous = state_->capture;
    state_->capture = state_->Find(window) ? window : 0;
    return previous;
}

BOOL HeadlessPlatform::ReleaseCapture() {
    Record(log, "ReleaseCapture");
    state_->capture = 0;
    return 1;
}

void HeadlessPlatform::SetDragCursor(bool dragging, bool accepted) {
    Record(log, "SetDragCursor", dragging, accepted);
}

}  // namespace plat::headless
