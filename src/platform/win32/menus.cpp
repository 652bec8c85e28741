// Menu bars with their accelerators, and popup menus.
#include <cstdio>

#include "platform/win32/win32_platform.h"
#include "platform/win32/window_table.h"

namespace w32 {

namespace {

using plat::MenuItemSpec;

std::string KeyName(plat::UINT vk) {
    char name[32] = {};
    if (vk >= VK_F1 && vk <= VK_F24) {
        std::snprintf(name, sizeof name, "F%u", vk - VK_F1 + 1);
        return name;
    }
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return std::string(1, char(vk));
    switch (vk) {
        case VK_DELETE:
            return "Del";
        case VK_INSERT:
            return "Ins";
        case VK_RETURN:
            return "Enter";
        case VK_ESCAPE:
            return "Esc";
        case VK_SPACE:
            return "Space";
        case VK_TAB:
            return "Tab";
        case VK_BACK:
            return "BkSp";
        case VK_HOME:
            return "Home";
        case VK_END:
            return "End";
        case VK_PRIOR:
            return "PgUp";
        case VK_NEXT:
            return "PgDn";
        case VK_LEFT:
            return "Left";
        case VK_RIGHT:
            return "Right";
        case VK_UP:
            return "Up";
        case VK_DOWN:
            return "Down";
        default:
            break;
    }
    ::GetKeyNameTextA(static_cast<plat::LONG>(::MapVirtualKeyA(vk, MAPVK_VK_TO_VSC) << 16), name,
                      sizeof name);
    return name;
}

// The text shown after the tab in a menu item: "Ctrl+Shift+S", "F1".
std::string ShortCutText(std::uint16_t sc) {
    std::string text;
    if (sc & 0x4000) text += "Ctrl+";
    if (sc & 0x2000) text += "Shift+";
    if (sc & 0x8000) text += "Alt+";
    return text + KeyName(sc & 0xFF);
}

ACCEL Accelerator(std::uint16_t sc, plat::UINT command) {
    BYTE flags = FVIRTKEY | ((sc & 0x2000) ? FSHIFT : 0) | ((sc & 0x4000) ? FCONTROL : 0) |
                 ((sc & 0x8000) ? FALT : 0);
    return ACCEL{flags, static_cast<plat::WORD>(sc & 0xFF), static_cast<plat::WORD>(command)};
}

// Native ids count up from kFirstCommand; ids[native - kFirstCommand] is the GUI's id.
struct MenuBuild {
    std::vector<plat::UINT> ids;
    std::vector<ACCEL> accelerators;
};

HMENU Build(const std::vector<MenuItemSpec>& items, bool popup, MenuBuild& out) {
    HMENU menu = popup ? ::CreatePopupMenu() : ::CreateMenu();
    for (const MenuItemSpec& item : items) {
        if (item.caption == "-") {
            ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        plat::UINT flags =
            MF_STRING | (item.enabled ? 0u : MF_GRAYED) | (item.checked ? MF_CHECKED : 0u);
        std::string text = item.caption;
        if (item.shortCut) text.append("\t").append(ShortCutText(item.shortCut));
        if (!item.items.empty()) {
            HMENU sub = Build(item.items, true, out);
            ::AppendMenuA(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), text.c_str());
            continue;
        }
        plat::UINT native = kFirstCommand + static_cast<plat::UINT>(out.ids.size());
        out.ids.push_back(item.id);
        ::AppendMenuA(menu, flags, native, text.c_str());
        if (item.shortCut) out.accelerators.push_back(Accelerator(item.shortCut, native));
    }
    return menu;
}

}  // namespace

void Win32Platform::SetMenu(PHWND form, const std::vector<MenuItemSpec>& menuBar) {
    WindowInfo* w = Find(H(form));
    if (!w) return;
    MenuBuild build;
    HMENU bar = menuBar.empty() ? nullptr : Build(menuBar, false, build);
    // The window destroys the menu it holds; the one it gave up is ours to destroy.
    UniqueMenu old(::GetMenu(w->hwnd));
    ::SetMenu(w->hwnd, bar);
    ::DrawMenuBar(w->hwnd);
    w->menuBar = bar;
    w->commandIds = std::move(build.ids);
    w->accelerators.reset(
        build.accelerators.empty()
            ? nullptr
            : ::CreateAcceleratorTableA(build.accelerators.data(), int(build.accelerators.size())));
}

plat::UINT Win32Platform::TrackPopupMenu(const std::vector<MenuItemSpec>& items, plat::POINT at,
                                         PHWND owner) {
    MenuBuild build;
    UniqueMenu menu(Build(items, true, build));
    plat::UINT flags = TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN;
    plat::UINT chosen = static_cast<plat::UINT>(
        ::TrackPopupMenu(menu.get(), flags, at.x, at.y, 0, H(owner), nullptr));
    if (chosen < kFirstCommand || chosen - kFirstCommand >= build.ids.size()) return 0;
    return build.ids[chosen - kFirstCommand];
}

}  // namespace w32
