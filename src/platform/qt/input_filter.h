// What reaches the GUI library from Qt's events rather than its signals: the focus,
// and the keyboard rules of a dialog (Enter presses the focused push button, else the
// default one; Escape closes a dialog). Posted messages come through the Poster.
#pragma once

#include <QEvent>
#include <QObject>

#include "platform/qt/window_table.h"

namespace qtb {

class InputFilter final : public QObject {
  public:
    explicit InputFilter(WindowTable& windows) : windows_(windows) {}
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool DialogKey(QWidget* target, int key);
    WindowTable& windows_;
};

// A message posted to a window: delivered from the event loop, in order.
class PostedMessage final : public QEvent {
  public:
    static QEvent::Type Kind();
    PostedMessage(plat::HWND hwnd, const plat::Message& m) : QEvent(Kind()), hwnd(hwnd), m(m) {}
    plat::HWND hwnd;
    plat::Message m;
};

class Poster final : public QObject {
  public:
    explicit Poster(WindowTable& windows) : windows_(windows) {}
    bool event(QEvent* event) override;

  private:
    WindowTable& windows_;
};

}  // namespace qtb
