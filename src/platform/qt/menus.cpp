// Menu bars with their accelerators, and popup menus.
#include <QMenu>
#include <QMenuBar>

#include "platform/qt/qt_platform.h"
#include "platform/qt/widgets.h"

namespace qtb {

namespace {

using plat::MenuItemSpec;

// Windows virtual keys as Qt names them.
int QtKey(unsigned vk) {
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return static_cast<int>(vk);
    if (vk >= 0x70 && vk <= 0x87) return Qt::Key_F1 + static_cast<int>(vk - 0x70);
    switch (vk) {
        case 0x08:
            return Qt::Key_Backspace;
        case 0x09:
            return Qt::Key_Tab;
        case 0x0D:
            return Qt::Key_Return;
        case 0x1B:
            return Qt::Key_Escape;
        case 0x20:
            return Qt::Key_Space;
        case 0x21:
            return Qt::Key_PageUp;
        case 0x22:
            return Qt::Key_PageDown;
        case 0x23:
            return Qt::Key_End;
        case 0x24:
            return Qt::Key_Home;
        case 0x25:
            return Qt::Key_Left;
        case 0x26:
            return Qt::Key_Up;
        case 0x27:
            return Qt::Key_Right;
        case 0x28:
            return Qt::Key_Down;
        case 0x2D:
            return Qt::Key_Insert;
        case 0x2E:
            return Qt::Key_Delete;
        default:
            return 0;
    }
}

QKeySequence ShortCut(std::uint16_t sc) {
    const int key = QtKey(sc & 0xFF);
    if (!key) return {};
    int mods = 0;
    if (sc & 0x2000) mods |= Qt::SHIFT;
    if (sc & 0x4000) mods |= Qt::CTRL;
    if (sc & 0x8000) mods |= Qt::ALT;
    return QKeySequence(mods | key);
}

// Fills a menu; each command carries the library's id and tells chosen of it.
template <class Menu>
void Fill(Menu* menu, const std::vector<MenuItemSpec>& items,
          const std::function<void(plat::UINT)>& chosen) {
    for (const MenuItemSpec& item : items) {
        if (item.caption == "-") {
            menu->addSeparator();
            continue;
        }
        const QString caption = QString::fromStdString(item.caption);
        if (!item.items.empty()) {
            QMenu* sub = menu->addMenu(caption);
            sub->setEnabled(item.enabled);
            Fill(sub, item.items, chosen);
            continue;
        }
        QAction* action = menu->addAction(caption);
        action->setData(item.id);
        action->setEnabled(item.enabled);
        action->setCheckable(item.checked);
        action->setChecked(item.checked);
        if (item.shortCut) action->setShortcut(ShortCut(item.shortCut));
        // Queued: a command may run a modal window, whose loop must not run inside the
        // menu's own key or mouse handler; the menus set again meanwhile are deleted in
        // that loop, and the handler would go on in a deleted menu.
        if (chosen)
            QObject::connect(
                action, &QAction::triggered, action, [chosen, id = item.id] { chosen(id); },
                Qt::QueuedConnection);
    }
}

// Empties a menu or a bar; the old menus go later, as a command of theirs may be what
// is running now.
void RemoveLater(QWidget* menu) {
    for (QAction* old : menu->actions()) {
        menu->removeAction(old);
        if (QMenu* sub = old->menu()) sub->deleteLater();
        if (old->parent() == menu) old->deleteLater();
    }
}

}  // namespace

void QtPlatform::SetMenu(HWND form, const std::vector<MenuItemSpec>& menuBar) {
    Window* w = windows_.Find(form);
    auto* widget = w ? dynamic_cast<FormWidget*>(w->widget.data()) : nullptr;
    if (!widget) return;
    if (menuBar.empty()) return widget->RemoveMenuBar();
    QMenuBar* bar = widget->MenuBar();
    RemoveLater(bar);
    WindowTable& windows = windows_;
    Fill(bar, menuBar,
         [&windows, form](plat::UINT id) { Notify(windows, form, plat::ZM_COMMAND, id); });
}

UINT QtPlatform::TrackPopupMenu(const std::vector<MenuItemSpec>& items, plat::POINT at,
                                HWND owner) {
    // A tray icon's menu, shown by the desktop: filled now, its commands told later.
    if (QMenu* tray = trayMenuWanted_) {
        RemoveLater(tray);
        WindowTable& windows = windows_;
        Fill(tray, items, [this, &windows, owner](plat::UINT id) {
            Notify(windows, owner, plat::ZM_COMMAND, id);
            // What the command changed shows the next time the menu opens.
            std::vector<TrayKey> icons;
            for (const auto& entry : trayIcons_)
                if (entry.first.first == owner) icons.push_back(entry.first);
            for (const TrayKey& key : icons) AskForTrayMenu(key);
        });
        return 0;
    }
    QMenu menu;
    Fill(&menu, items, nullptr);
    QAction* chosen = menu.exec(QPoint(at.x, at.y));
    return chosen ? chosen->data().toUInt() : 0;
}

}  // namespace qtb
