// What the backend knows about each window it created: the sink that hears about it
// and the little state needed to translate native notifications into ZM_ messages.
// The one window procedure and the control subclass procedure find it by HWND.
#pragma once

#include <set>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/control_state.h"
#include "platform/windowing.h"

namespace w32 {

struct WindowInfo {
    HWND hwnd = nullptr;
    plat::WindowKind kind = plat::WindowKind::Form;
    plat::WindowSink* sink = nullptr;
    plat::BorderStyle border = plat::BorderStyle::Sizeable;
    bool flat = false;  // flat glyph button: never takes the focus
    plat::Glyph glyph = plat::Glyph::None;
    plat::ControlState control;  // quiet, and the row and position last reported
    bool pressed = false;     // flat button: held down by the mouse
    bool guiCapture = false;  // SetCapture from the GUI library is in force
    std::set<UINT> timers;    // controls: ids set through the platform

    // Forms
    HWND savedFocus = nullptr;  // restored when the form is activated again
    HWND tooltip = nullptr;     // owned by the form, destroyed with it
    HMENU menuBar = nullptr;    // destroyed with the window by Windows
    UniqueAccel accelerators;
    std::vector<UINT> commandIds;  // menu id of the GUI library, by native id - kFirstCommand
};

// Native menu ids start here, clear of IDOK and IDCANCEL, which IsDialogMessage sends.
inline constexpr UINT kFirstCommand = 0x100;

WindowInfo* Find(HWND hwnd);
WindowInfo& Attach(HWND hwnd, std::unique_ptr<WindowInfo> info);
void Detach(HWND hwnd);
// The top-level form that holds the window, or null.
WindowInfo* FormOf(HWND hwnd);

// Delivers a message to the window's sink; true when the sink handled it.
bool Notify(WindowInfo& w, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
bool Notify(WindowInfo& w, plat::Message& m);

// Marks the window as being changed by the backend for one scope, so that its
// notifications are not reported as the user's doing.
class Quiet : public plat::QuietScope {
  public:
    explicit Quiet(HWND hwnd) : QuietScope(ControlOf(Find(hwnd))) {}

  private:
    static plat::ControlState* ControlOf(WindowInfo* w) { return w ? &w->control : nullptr; }
};

}  // namespace w32
