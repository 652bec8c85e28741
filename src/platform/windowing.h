// What the GUI library and a window-system backend say to each other.
//
// The GUI library keeps every control's state itself and pushes changes to the
// backend through the window calls of Platform. The backend tells a window object
// what happened to it through one entry point, WindowSink::WndProc, with:
//  - the messages that other code sends or posts to the handle (anything from
//    WM_USER up: the shell's tray callback, registered messages, WM_USER itself);
//  - input that a person made, already translated into the ZM_ messages below, so
//    that the GUI library never depends on one backend's native notifications.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/types.h"

namespace plat {

// Input messages: what a person did to a window. Below WM_USER's registered range
// and above WM_APP, so they never collide with messages that programs send.
enum : UINT {
    ZM_FIRST = 0xB000,
    ZM_CLICK = ZM_FIRST,  // a button or tool button was pressed
    ZM_CHECK,             // a check box was toggled; wParam = new state (0 or 1)
    ZM_SELECT,            // list box or drop-down list selection; wParam = index, -1 none
    ZM_TEXT,              // an edit's text was changed by typing; lParam = const char* text
    ZM_SCROLL,            // a track bar was moved; wParam = new position
    ZM_FOCUS,             // the control received the input focus
    ZM_CLOSE,             // a form's close box (or Alt+F4, or Escape in a dialog)
    ZM_COMMAND,           // a form's menu item or accelerator; wParam = item id
    ZM_MOUSEDOWN,         // left button down in the client area; lParam = MakePoint(x, y)
    ZM_MOUSEMOVE,         // mouse moved (also while captured); lParam = MakePoint(x, y)
    ZM_MOUSEUP,           // left button up; lParam = MakePoint(x, y)
    ZM_MOVED,             // a form was moved by the user; lParam = MakePoint(left, top)
    ZM_TIMER,             // a timer set with SetTimer expired; wParam = timer id
    ZM_DEFAULT,           // Enter in a form; lParam = the focused control's window (0:
                          // none): a focused push button is pressed, else the default
    ZM_LAST
};

// Client coordinates packed into an LPARAM, 16 bits each, signed.
inline LPARAM MakePoint(int x, int y) {
    return static_cast<LPARAM>((static_cast<std::uint32_t>(static_cast<std::uint16_t>(y)) << 16) |
                               static_cast<std::uint16_t>(x));
}
inline int PointX(LPARAM l) { return static_cast<std::int16_t>(l & 0xFFFF); }
inline int PointY(LPARAM l) { return static_cast<std::int16_t>((l >> 16) & 0xFFFF); }

struct Message {
    UINT msg = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT result = 0;
};

// A window object as the backend sees it. WndProc returns true when it handled the
// message; otherwise the backend applies its default handling. It must not throw:
// the GUI library reports failures of event handlers itself.
class WindowSink {
public:
    virtual bool WndProc(Message& m) = 0;

protected:
    ~WindowSink() = default;
};

enum class WindowKind {
    Form,          // top-level window of a registered class (className); owned by parent
    Utility,       // hidden window that only receives messages and timers (className)
    Label,         // static text
    Edit,          // one-line edit
    Button,        // push button
    GlyphButton,   // push button or tool button with a small drawn picture (glyph)
    CheckBox,      // automatic check box
    ListBox,       // single-selection list box with fixed row height
    ComboList,     // drop-down list, selection only
    TrackBar,      // horizontal track bar
    RichEdit,      // read-only rich-text box
    TabControl,    // tabs over a client area
    Panel,         // plain container (a tab sheet's page)
    ListView,      // rows of columns under a header, single selection; a row's cells
                   // are its text split at tabs (ListInsert and the rest as a list box)
};

enum class BorderStyle { None, Single, Sizeable, Dialog, ToolWindow };
enum class Align { Left, Right, Center };

// The small pictures that glyph buttons draw; the backend paints them.
enum class Glyph { None, Add, Delete, Play, Stop, Apply, Revert, Up, Down, Web };

// A column of a ListView: its heading and width in pixels.
struct ColumnSpec {
    std::string caption;
    int width = 80;
    Align alignment = Align::Left;
};

struct FontSpec {
    std::string name = "MS Sans Serif";
    int pointSize = 8;
    bool bold = false;
    bool italic = false;
};

struct WindowSpec {
    WindowKind kind = WindowKind::Form;
    std::string className;  // Form and Utility: the window class to register and use
    std::string text;       // caption or content
    HWND parent = 0;        // parent window; for a Form, its owner
    RECT bounds;            // controls: in the parent's client area; forms: outer, on screen
    bool visible = false;
    bool enabled = true;
    bool tabStop = false;
    WindowSink* sink = nullptr;

    // Forms
    BorderStyle border = BorderStyle::Sizeable;
    bool minimizeBox = true;
    bool maximizeBox = true;

    // Controls
    Align alignment = Align::Left;   // Label
    bool defaultButton = false;      // Button: pressed by Enter
    Glyph glyph = Glyph::None;       // GlyphButton
    bool flat = false;               // GlyphButton: a tool button that takes no focus
    bool readOnly = false;           // Edit, RichEdit
    int itemHeight = 13;             // ListBox
    int rangeMin = 0, rangeMax = 10; // TrackBar
    int frequency = 1;               // TrackBar: a tick every this many units
    bool ticksBelow = true;          // TrackBar
    std::vector<ColumnSpec> columns; // ListView
};

// A menu as the backend builds it. Ids are the GUI library's, unique per form;
// ZM_COMMAND and TrackPopupMenu report them.
struct MenuItemSpec {
    UINT id = 0;
    std::string caption;  // "&" marks the mnemonic; "-" is a separator
    std::uint16_t shortCut = 0;  // virtual key + 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt
    bool enabled = true;
    bool checked = false;
    std::vector<MenuItemSpec> items;  // a submenu when not empty
};

struct OpenFileRequest {
    HWND owner = 0;
    std::string filter;      // "Applications|*.exe|All Files|*.*"
    std::string title;
    std::string initialDir;
    std::string fileName;    // in: proposed; out: the chosen file's full path
    std::string defaultExt;  // save dialog: added to a name typed without one ("m3u8")
};

}  // namespace plat
