// Tests of the Linux backend under Xvfb, with a real window manager and a real tray:
// real widgets, heard through recording sinks, and driven by real input (xdotool).
// Every test gets its own HOME and XDG folders below its directory.
#pragma once

#include <QPoint>
#include <QRect>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "shared/recorder.h"
#include "support/platform_fixture.h"

class QtTest : public PlatformTest {
  protected:
    void SetUp() override;

    // Handles events for a while, or until the condition holds (then true).
    void Pump(int milliseconds);
    bool WaitFor(const std::function<bool()>& condition, int milliseconds = 5000);
    // Shows the window and waits until the window manager has put it on the screen.
    bool ShowAndWait(plat::HWND window);

    // A person at the keyboard and mouse, through xdotool; each returns once the X
    // server has the input, and the events it causes are handled.
    void Xdo(const std::vector<std::string>& args);
    void ClickAt(QPoint global, int button = 1);  // in the X server's pixels
    static QPoint OnScreen(QPoint global);        // a point of Qt's in the X server's pixels
    void Click(plat::HWND window, QPoint at = {-1, -1}, int button = 1);  // -1: the middle
    void Keys(const std::vector<std::string>& keys);
    void Type(const std::string& text);
    // The same, started now and carried out while the caller runs a modal loop.
    void XdoLater(const std::vector<std::string>& args);

    QWidget* Widget(plat::HWND window);
    // Where the process's windows stand on the screen, as the X server has them.
    std::vector<QRect> WindowsOf(qint64 pid, bool visibleOnly = false);
    // Where the tray icon of the process shows on the screen: its window, docked in the
    // tray along the top of the screen. Empty while there is none.
    QRect IconInTray(qint64 pid);
    // A picture of the window for a person to look at, in $ZEL_TEST_OUTPUT.
    void Shot(plat::HWND window, const std::string& name);
    // Where a picture of that name goes; "" when the run keeps none.
    static std::string ShotPath(const std::string& name);
    std::string Record(const std::string& name);  // what a fake program wrote, "" for none
    std::string RecordDir() const { return dir() + "/record"; }
    std::string Home() const { return dir() + "/home"; }
};
