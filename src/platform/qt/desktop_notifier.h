// The tray icon's balloon on the Linux desktop: a freedesktop notification
// (org.freedesktop.Notifications), each one replacing the program's previous one so
// that they never pile up; without a session bus, Qt's own balloon over the icon.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QSystemTrayIcon;

namespace qtb {

class DesktopNotifier final : public QObject {
  public:
    DesktopNotifier();
    // Sent without waiting; the answer brings the id the next one replaces.
    void Show(const QString& title, const QString& text, QSystemTrayIcon* icon);

  private:
    bool bus_ = false;
    uint lastId_ = 0;
    bool markup_ = true;  // the server reads markup in the body, as most do
};

}  // namespace qtb
