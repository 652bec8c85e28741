// The native class names and styles each kind of window is created with.
#pragma once

#include "platform/win32/win.h"
#include "platform/windowing.h"

namespace w32 {

struct Styles {
    DWORD style = 0;
    DWORD exStyle = 0;
};

// A form's frame: also what FrameSize measures.
Styles FormStyles(plat::BorderStyle border, bool minimizeBox, bool maximizeBox);

struct ControlClass {
    const char* className = nullptr;
    Styles styles;
};

// The class and the styles of the control kind, before visibility and tab stops.
ControlClass ControlClassFor(const plat::WindowSpec& spec);

// Our own class for panels (tab sheets' pages).
inline constexpr char kPanelClass[] = "ZelvoraPanel";

// Extra height given to a drop-down list so that its list shows several rows.
inline constexpr int kDropDownHeight = 160;

}  // namespace w32
