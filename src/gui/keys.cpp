#include "gui/keys.h"

TShortCut ShortCut(std::uint16_t key, TShiftState shift) {
    TShortCut result = key & 0xFF;
    if (shift.Contains(ssShift)) result |= scShift;
    if (shift.Contains(ssCtrl)) result |= scCtrl;
    if (shift.Contains(ssAlt)) result |= scAlt;
    return result;
}

static std::string KeyName(int key) {
    if (key >= 0x70 && key <= 0x87) {
        std::string name(1, 'F');
        name += std::to_string(key - 0x70 + 1);
        return name;
    }
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, char(key));
    switch (key) {
        case 0x08:
            return "BkSp";
        case 0x09:
            return "Tab";
        case 0x0D:
            return "Enter";
        case 0x1B:
            return "Esc";
        case 0x20:
            return "Space";
        case 0x21:
            return "PgUp";
        case 0x22:
            return "PgDn";
        case 0x23:
            return "End";
        case 0x24:
            return "Home";
        case 0x25:
            return "Left";
        case 0x26:
            return "Up";
        case 0x27:
            return "Right";
        case 0x28:
            return "Down";
        case 0x2D:
            return "Ins";
        case 0x2E:
            return "Del";
        default:
            return "";
    }
}

std::string ShortCutToText(TShortCut shortCut) {
    std::string name = KeyName(shortCut & 0xFF);
    if (name.empty()) return "";
    std::string prefix;
    if (shortCut & scShift) prefix += "Shift+";
    if (shortCut & scCtrl) prefix += "Ctrl+";
    if (shortCut & scAlt) prefix += "Alt+";
    return prefix + name;
}
