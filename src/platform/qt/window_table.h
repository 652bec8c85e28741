// What the backend knows about each window it made: the sink that hears about it, its
// widget, and the little state that turns Qt's signals into ZM_ messages.
#pragma once

#include <QPointer>
#include <QWidget>
#include <map>
#include <memory>
#include <string>

#include "platform/control_state.h"
#include "platform/windowing.h"

namespace qtb {

struct Window {
    plat::HWND hwnd = 0;
    plat::WindowKind kind = plat::WindowKind::Form;
    plat::WindowSink* sink = nullptr;
    std::string className;     // forms and utility windows
    std::string text;          // what windows without a widget were given
    QPointer<QWidget> widget;  // none for utility windows
    plat::BorderStyle border = plat::BorderStyle::Sizeable;
    bool flat = false;        // a tool button that takes no focus
    bool guiCapture = false;  // SetCapture from the GUI library is in force
    plat::ControlState control;  // quiet, and the row and position last reported
    // The context of the backend's connections to the widget's signals: they end with
    // this entry, while Qt's own connections to the widget stay.
    std::unique_ptr<QObject> link = std::make_unique<QObject>();
};

class WindowTable {
  public:
    Window& Add(std::unique_ptr<Window> window);
    void Remove(plat::HWND hwnd);
    Window* Find(plat::HWND hwnd);
    // The window whose widget this is, or that holds it; null when none.
    Window* Of(const QWidget* widget);
    Window* FormOf(const QWidget* widget);
    plat::HWND NextHandle() { return next_++; }
    const std::map<plat::HWND, std::unique_ptr<Window>>& All() const { return windows_; }

  private:
    std::map<plat::HWND, std::unique_ptr<Window>> windows_;
    plat::HWND next_ = 0x10;
};

// Delivers a message to the window's sink; the result when it handled it. The sink may
// destroy windows, this one included: callers look the window up again afterwards.
bool Notify(WindowTable& table, plat::HWND hwnd, plat::Message& m);
bool Notify(WindowTable& table, plat::HWND hwnd, plat::UINT msg, plat::WPARAM wParam = 0,
            plat::LPARAM lParam = 0);

// Marks the window as changed by the backend for one scope, so that the signals it
// gives meanwhile are not reported as the user's doing.
class Quiet : public plat::QuietScope {
  public:
    explicit Quiet(Window* w) : QuietScope(w ? &w->control : nullptr) {}
};

// The property that names a widget's window, so that events lead back to it.
inline constexpr char kHandleProperty[] = "zelvoraHandle";

}  // namespace qtb
