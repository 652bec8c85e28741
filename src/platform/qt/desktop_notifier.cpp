#include "platform/qt/desktop_notifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QSystemTrayIcon>
#include <QVariantMap>

namespace qtb {

namespace {

const char* const kService = "org.freedesktop.Notifications";
const char* const kPath = "/org/freedesktop/Notifications";
constexpr int kShownMs = 8000;
constexpr int kReplyTimeoutMs = 2000;

QDBusMessage Call(const char* method) {
    return QDBusMessage::createMethodCall(kService, kPath, kService, method);
}

}  // namespace

DesktopNotifier::DesktopNotifier() {
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus_ = bus.isConnected();
    if (!bus_) return;
    // A body with markup shown by a server without it would show the tags.
    auto* watcher =
        new QDBusPendingCallWatcher(bus.asyncCall(Call("GetCapabilities"), kReplyTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](auto* w) {
        w->deleteLater();
        const QDBusPendingReply<QStringList> reply = *w;
        if (reply.isValid()) markup_ = reply.value().contains("body-markup");
    });
}

void DesktopNotifier::Show(const QString& title, const QString& text, QSystemTrayIcon* icon) {
    if (!bus_) {
        if (icon) icon->showMessage(title, text, QSystemTrayIcon::NoIcon, kShownMs);
        return;
    }
    QDBusMessage call = Call("Notify");
    const QVariantMap hints{{"suppress-sound", true}, {"desktop-entry", "zelvora"}};
    call << QString("Zelvora") << lastId_ << QString("zelvora") << title
         << (markup_ ? text.toHtmlEscaped() : text) << QStringList() << hints << kShownMs;
    auto* watcher = new QDBusPendingCallWatcher(
        QDBusConnection::sessionBus().asyncCall(call, kReplyTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](auto* w) {
        w->deleteLater();
        const QDBusPendingReply<uint> reply = *w;
        if (reply.isValid()) lastId_ = reply.value();
    });
}

}  // namespace qtb
