#include "platform/win32/window_styles.h"

namespace w32 {

using plat::BorderStyle;
using plat::WindowKind;

Styles FormStyles(BorderStyle border, bool minimizeBox, bool maximizeBox) {
    DWORD boxes = (minimizeBox ? WS_MINIMIZEBOX : 0) | (maximizeBox ? WS_MAXIMIZEBOX : 0);
    Styles s;
    switch (border) {
        case BorderStyle::None:
            s = {WS_POPUP, 0};
            break;
        case BorderStyle::Single:
            s = {WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | boxes, 0};
            break;
        case BorderStyle::Sizeable:
            s = {WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | boxes, 0};
            break;
        case BorderStyle::Dialog:  // fixed, and never minimized or maximized
            s = {WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME};
            break;
        case BorderStyle::ToolWindow:  // small caption with only the close box
            s = {WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW};
            break;
    }
    // Dialog navigation (IsDialogMessage) walks into controls of WS_EX_CONTROLPARENT parents.
    s.style |= WS_CLIPCHILDREN;
    s.exStyle |= WS_EX_CONTROLPARENT;
    return s;
}

ControlClass ControlClassFor(const plat::WindowSpec& spec) {
    switch (spec.kind) {
        case WindowKind::Label: {
            DWORD align = spec.alignment == plat::Align::Right    ? SS_RIGHT
                          : spec.alignment == plat::Align::Center ? SS_CENTER
                                                                  : SS_LEFT;
            return {"STATIC", {align, 0}};
        }
        case WindowKind::Edit:
            return {"EDIT",
                    {ES_AUTOHSCROLL | (spec.readOnly ? ES_READONLY : 0u), WS_EX_CLIENTEDGE}};
        case WindowKind::Button:
            return {"BUTTON",
                    {static_cast<DWORD>(spec.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0}};
        case WindowKind::GlyphButton:
            return {"BUTTON", {BS_OWNERDRAW, 0}};
        case WindowKind::CheckBox:
            return {"BUTTON", {BS_AUTOCHECKBOX, 0}};
        case WindowKind::ListBox:
            return {"LISTBOX", {LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL, WS_EX_CLIENTEDGE}};
        case WindowKind::ComboList:
            return {"COMBOBOX", {CBS_DROPDOWNLIST | WS_VSCROLL, 0}};
        case WindowKind::TrackBar:
            return {TRACKBAR_CLASSA,
                    {static_cast<DWORD>(TBS_HORZ | TBS_AUTOTICKS |
                                        (spec.ticksBelow ? TBS_BOTTOM : TBS_TOP)),
                     0}};
        case WindowKind::RichEdit:
            return {"RichEdit20A",
                    {ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL, WS_EX_CLIENTEDGE}};
        case WindowKind::TabControl:
            return {WC_TABCONTROLA, {WS_CLIPCHILDREN, 0}};
        case WindowKind::Panel:
            return {kPanelClass, {WS_CLIPCHILDREN, WS_EX_CONTROLPARENT}};
        case WindowKind::ListView:
            return {WC_LISTVIEWA,
                    {LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                     WS_EX_CLIENTEDGE}};
        default:
            return {};
    }
}

}  // namespace w32
