// What tests and the run script need of the backend beyond the Platform: a window's
// widget, and a picture of a window as it stands on the screen.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include "platform/qt/qt.h"
#include "platform/qt/qt_platform.h"

namespace plat::qt {

QWidget* WidgetOf(plat::HWND window) {
    auto* platform = dynamic_cast<qtb::QtPlatform*>(&plat::Current());
    qtb::Window* w = platform ? platform->Windows().Find(window) : nullptr;
    return w ? w->widget.data() : nullptr;
}

// From the screen rather than from the widget, so that the window manager's frame and
// any menu open over the window are in the picture too.
bool SaveWindowImage(plat::HWND window, const std::string& pngPath) {
    QWidget* widget = WidgetOf(window);
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!widget || !screen) return false;
    const QRect frame = widget->window()->frameGeometry();
    const QPixmap shot = screen->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    return !shot.isNull() && shot.save(QString::fromStdString(pngPath), "PNG");
}

}  // namespace plat::qt
