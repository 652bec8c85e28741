#include "platform/win32/window_table.h"

#include <memory>
#include <unordered_map>

namespace w32 {

namespace {

// One GUI thread owns every window, so the table needs no lock.
std::unordered_map<HWND, std::unique_ptr<WindowInfo>>& Table() {
    static std::unordered_map<HWND, std::unique_ptr<WindowInfo>> table;
    return table;
}

}  // namespace

WindowInfo* Find(HWND hwnd) {
    auto& t = Table();
    auto it = t.find(hwnd);
    return it == t.end() ? nullptr : it->second.get();
}

WindowInfo& Attach(HWND hwnd, std::unique_ptr<WindowInfo> info) {
    info->hwnd = hwnd;
    auto& slot = Table()[hwnd];
    slot = std::move(info);
    return *slot;
}

void Detach(HWND hwnd) {
    Table().erase(hwnd);
}

WindowInfo* FormOf(HWND hwnd) {
    WindowInfo* w = Find(::GetAncestor(hwnd, GA_ROOT));
    return w && w->kind == plat::WindowKind::Form ? w : nullptr;
}

bool Notify(WindowInfo& w, plat::Message& m) {
    return w.sink && w.sink->WndProc(m);
}

bool Notify(WindowInfo& w, UINT msg, WPARAM wParam, LPARAM lParam) {
    plat::Message m{msg, wParam, lParam, 0};
    return Notify(w, m);
}

}  // namespace w32
