#include "platform/qt/window_table.h"

#include <QVariant>

namespace qtb {

Window& WindowTable::Add(std::unique_ptr<Window> window) {
    if (window->widget)
        window->widget->setProperty(kHandleProperty, QVariant::fromValue(window->hwnd));
    auto& slot = windows_[window->hwnd];
    slot = std::move(window);
    return *slot;
}

void WindowTable::Remove(plat::HWND hwnd) {
    windows_.erase(hwnd);
}

Window* WindowTable::Find(plat::HWND hwnd) {
    auto it = windows_.find(hwnd);
    return it == windows_.end() ? nullptr : it->second.get();
}

Window* WindowTable::Of(const QWidget* widget) {
    for (; widget; widget = widget->parentWidget()) {
        QVariant h = widget->property(kHandleProperty);
        if (h.isValid())
            if (Window* w = Find(h.value<plat::HWND>()); w && w->widget == widget) return w;
        if (widget->isWindow()) break;
    }
    return nullptr;
}

Window* WindowTable::FormOf(const QWidget* widget) {
    Window* w = widget ? Of(widget->window()) : nullptr;
    return w && w->kind == plat::WindowKind::Form ? w : nullptr;
}

bool Notify(WindowTable& table, plat::HWND hwnd, plat::Message& m) {
    Window* w = table.Find(hwnd);
    if (!w || !w->sink) return false;
    try {
        return w->sink->WndProc(m);
    } catch (...) {
        // Sinks report their own failures; nothing may unwind through Qt.
        return true;
    }
}

bool Notify(WindowTable& table, plat::HWND hwnd, plat::UINT msg, plat::WPARAM wParam,
            plat::LPARAM lParam) {
    plat::Message m{msg, wParam, lParam, 0};
    return Notify(table, hwnd, m);
}

}  // namespace qtb
