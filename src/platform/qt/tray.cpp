// The notification area through QSystemTrayIcon (a StatusNotifierItem where the desktop
// has a watcher for it, the XEmbed tray elsewhere on X11), and the icons.
#include <QBuffer>
#include <QImageReader>
#include <QPixmap>
#include <QTimer>
#include <cstring>

#include "platform/qt/desktop_notifier.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/startup_trace.h"
#include "platform/qt/widgets.h"

namespace qtb {

namespace {

// What the shell would tell the icon's window of a click: the button going down and up.
std::pair<UINT, UINT> MouseOf(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
        case QSystemTrayIcon::Trigger:
            return {plat::WM_LBUTTONDOWN, plat::WM_LBUTTONUP};
        case QSystemTrayIcon::DoubleClick:
            return {plat::WM_LBUTTONDBLCLK, plat::WM_LBUTTONUP};
        case QSystemTrayIcon::Context:
            return {plat::WM_RBUTTONDOWN, plat::WM_RBUTTONUP};
        case QSystemTrayIcon::MiddleClick:
            return {plat::WM_MBUTTONDOWN, plat::WM_MBUTTONDOWN + 1};
        default:
            return {0, 0};
    }
}

QString Text(const char* field, std::size_t size) {
    return QString::fromUtf8(field, static_cast<qsizetype>(strnlen(field, size)));
}

constexpr char kIdleTip[] = "Zelvora";

// A tray icon wants a picture; an empty one is shown as nothing at all.
QIcon Blank() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    return QIcon(pixmap);
}

}  // namespace

QtPlatform::TrayIcon::~TrayIcon() {
    // Gone from the tray at once, so that a host hears of it before an exit; deleted
    // later, as either may be telling of a click just now.
    if (icon) {
        icon->hide();
        icon.release()->deleteLater();
    }
    if (menu) menu.release()->deleteLater();
}

void QtPlatform::AddTrayIcon(TrayKey key, UINT callback) {
    TrayIcon& tray = trayIcons_[key];
    tray.callback = callback;
    tray.menu = std::make_unique<QMenu>();
    tray.icon = std::make_unique<QSystemTrayIcon>();
    WindowTable& windows = windows_;
    const auto [window, id] = key;
    // The right button opens the menu the icon carries, so only the others reach
    // the window; the menu's items are asked for as it opens.
    QObject::connect(tray.icon.get(), &QSystemTrayIcon::activated, tray.icon.get(),
                     [&windows, window, id, callback](QSystemTrayIcon::ActivationReason r) {
                         const auto [down, up] = MouseOf(r);
                         if (!down || !callback || r == QSystemTrayIcon::Context) return;
                         Notify(windows, window, callback, id, down);
                         Notify(windows, window, callback, id, up);
                     });
    QObject::connect(tray.menu.get(), &QMenu::aboutToShow, tray.menu.get(),
                     [this, key] { AskForTrayMenu(key); });
    tray.icon->setContextMenu(tray.menu.get());
}

// The icon's window answers through TrackPopupMenu, which fills the menu then.
void QtPlatform::AskForTrayMenu(TrayKey key) {
    auto it = trayIcons_.find(key);
    if (it == trayIcons_.end() || !it->second.callback || trayMenuWanted_) return;
    trayMenuWanted_ = it->second.menu.get();
    Notify(windows_, key.first, it->second.callback, key.second, plat::WM_CONTEXTMENU);
    trayMenuWanted_ = nullptr;
}

BOOL QtPlatform::Shell_NotifyIconA(DWORD message, const plat::NOTIFYICONDATA& data) {
    const TrayKey key(data.hWnd, data.uID);
    auto it = trayIcons_.find(key);
    if (message == plat::NIM_DELETE) {
        if (it == trayIcons_.end()) return 0;
        trayIcons_.erase(it);
        return 1;
    }
    if ((message == plat::NIM_ADD) == (it != trayIcons_.end())) return 0;
    if (message != plat::NIM_ADD && message != plat::NIM_MODIFY) return 0;
    if (it == trayIcons_.end()) {
        AddTrayIcon(key, data.uCallbackMessage);
        it = trayIcons_.find(key);
        // A tray host reads the menu as the icon appears, and shows it without asking
        // again: the icon shows once its menu holds the items.
        QTimer::singleShot(0, it->second.icon.get(), [this, key] {
            AskForTrayMenu(key);
            auto shown = trayIcons_.find(key);
            if (shown == trayIcons_.end()) return;
            shown->second.icon->show();
            StartupMark("tray icon shown");
        });
    }
    QSystemTrayIcon& icon = *it->second.icon;
    if (data.uFlags & plat::NIF_ICON) {
        const QIcon picture = IconOf(data.hIcon);
        icon.setIcon(picture.isNull() ? Blank() : picture);
    }
    if (data.uFlags & plat::NIF_TIP)
        icon.setToolTip(PlainTip(QString::fromUtf8(
            data.szTip, static_cast<qsizetype>(strnlen(data.szTip, sizeof data.szTip)))));
    // A tray here names its icons by their tips: the program's name while the tip says
    // nothing else (Windows shows no tip then).
    if (icon.toolTip().isEmpty()) icon.setToolTip(kIdleTip);
    if (icon.icon().isNull()) icon.setIcon(Blank());
    if (data.uFlags & plat::NIF_INFO) {
        if (!notifier_) notifier_ = std::make_unique<DesktopNotifier>();
        notifier_->Show(Text(data.szInfoTitle, sizeof data.szInfoTitle),
                        Text(data.szInfo, sizeof data.szInfo), &icon);
    }
    return 1;
}

bool QtPlatform::HasNotificationArea() {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

// ---- Icons ------------------------------------------------------------------------------

QIcon QtPlatform::IconOf(HICON icon) const {
    auto it = icons_.find(icon);
    return it == icons_.end() ? QIcon() : it->second;
}

// The program's own icon is its only resource, under both of its names: the 32-pixel
// drawing and, for the large sizes, the same picture rendered from its SVG. Loaded
// icons are shared: one handle per name, never destroyed.
HICON QtPlatform::LoadIconA(const std::string& resourceName) {
    if (resourceName != "ZELVORA" && resourceName != "MAINICON") {
        lastError_ = 1813;  // ERROR_RESOURCE_TYPE_NOT_FOUND
        return 0;
    }
    HICON& shared = sharedIcons_["ZELVORA"];
    if (!shared) {
        shared = nextIcon_++;
        QIcon icon(":/zelvora/zelvora.ico");
        for (int size : {48, 64, 128, 256})
            icon.addFile(QString(":/zelvora/icons/%1.png").arg(size), QSize(size, size));
        icons_[shared] = icon;
    }
    return shared;
}

HICON QtPlatform::CreateIconFromFile(const std::vector<std::uint8_t>& icoBytes) {
    QByteArray bytes(reinterpret_cast<const char*>(icoBytes.data()),
                     static_cast<qsizetype>(icoBytes.size()));
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "ico");
    QIcon icon;
    const int count = std::max(1, reader.imageCount());
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !reader.jumpToImage(i)) break;
        const QImage image = reader.read();
        if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
    }
    if (icon.isNull()) return 0;
    const HICON handle = nextIcon_++;
    icons_[handle] = icon;
    return handle;
}

HICON QtPlatform::CopyIcon(HICON icon) {
    auto it = icons_.find(icon);
    if (it == icons_.end()) return 0;
    const HICON copy = nextIcon_++;
    icons_[copy] = it->second;
    return copy;
}

BOOL QtPlatform::DestroyIcon(HICON icon) {
    for (const auto& [name, shared] : sharedIcons_)
        if (shared == icon) return 1;
    return icons_.erase(icon) ? 1 : 0;
}

}  // namespace qtb
