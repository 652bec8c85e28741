#include "platform/qt/mpris.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QTimer>

namespace qtb {

namespace {

const QString kPrefix = "org.mpris.MediaPlayer2.";
const char* const kPath = "/org/mpris/MediaPlayer2";
const char* const kRoot = "org.mpris.MediaPlayer2";
const char* const kPlayer = "org.mpris.MediaPlayer2.Player";
const char* const kProperties = "org.freedesktop.DBus.Properties";
// A player that stops but keeps running is asked to quit after this long: mpv ends
// on Stop by itself, VLC stays open with an empty playlist.
constexpr int kQuitAfterMs = 400;
// The bus daemon answers at once; an answer that does not come in this time is dropped.
constexpr int kDaemonTimeoutMs = 500;

// Values inside variants come as D-Bus arguments until asked for as a map.
QVariantMap AsMap(const QVariant& value) {
    if (value.canConvert<QDBusArgument>()) return qdbus_cast<QVariantMap>(value);
    return value.toMap();
}

}  // namespace

Mpris::Mpris(bool sessionBus, std::function<void(plat::DWORD)> changed)
    : changed_(std::move(changed)) {
    if (!sessionBus) return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return;
    connected_ = true;
    bus.connect("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                "NameOwnerChanged", this, SLOT(OwnerChanged(QString, QString, QString)));
    // From any sender: the players' signals come from their unique connection names.
    bus.connect(QString(), kPath, kProperties, "PropertiesChanged", this,
                SLOT(PropertiesChanged(QString, QVariantMap, QStringList, QDBusMessage)));
    Scan();
}

// The players already there when the program starts; those that come later are told
// of by NameOwnerChanged.
void Mpris::Scan() {
    AskDaemon("ListNames", {}, [this](const QDBusMessage& reply) {
        for (const QString& name : reply.arguments().value(0).toStringList())
            if (name.startsWith(kPrefix))
                AskDaemon("GetNameOwner", name, [this, name](const QDBusMessage& owner) {
                    Add(name, owner.arguments().value(0).toString());
                });
    });
}

// Known once the daemon has said which process is behind the connection.
void Mpris::Add(const QString& name, const QString& owner) {
    if (owner.isEmpty() || instances_.contains(owner)) return;
    AskDaemon("GetConnectionUnixProcessID", owner, [this, name, owner](const QDBusMessage& reply) {
        const uint pid = reply.arguments().value(0).toUInt();
        if (pid == 0 || instances_.contains(owner)) return;
        Instance& instance = instances_[owner];
        instance.name = name;
        instance.pid = static_cast<plat::DWORD>(pid);
        Ask(owner, kRoot);
        Ask(owner, kPlayer);
        if (changed_) changed_(instance.pid);
    });
}

// The bus daemon's answer comes to then; an error or no answer in time is dropped.
void Mpris::AskDaemon(const char* method, const QString& argument,
                      std::function<void(const QDBusMessage&)> then) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", method);
    if (!argument.isEmpty()) call << argument;
    auto* watcher = new QDBusPendingCallWatcher(
        QDBusConnection::sessionBus().asyncCall(call, kDaemonTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [then = std::move(then)](QDBusPendingCallWatcher* w) {
                w->deleteLater();
                if (!w->isError()) then(w->reply());
            });
}

// Every property of the interface, read when the reply comes.
void Mpris::Ask(const QString& owner, const char* interface) {
    QDBusMessage call = QDBusMessage::createMethodCall(owner, kPath, kProperties, "GetAll");
    call << QString(interface);
    auto* watcher =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, owner](auto* w) {
        w->deleteLater();
        const QDBusPendingReply<QVariantMap> reply = *w;
        auto instance = instances_.find(owner);
        if (reply.isValid() && instance != instances_.end()) Apply(instance->second, reply.value());
    });
}

void Mpris::Apply(Instance& instance, const QVariantMap& properties) {
    if (properties.contains("CanQuit")) instance.canQuit = properties["CanQuit"].toBool();
    if (properties.contains("CanRaise")) instance.canRaise = properties["CanRaise"].toBool();
    if (properties.contains("PlaybackStatus")) {
        const std::string status = properties["PlaybackStatus"].toString().toStdString();
        const bool changed = status != instance.status;
        instance.status = status;
        if (changed && changed_) changed_(instance.pid);
    }
    if (!properties.contains("Metadata")) return;
    const QVariantMap metadata = AsMap(properties["Metadata"]);
    instance.url = metadata.value("xesam:url").toString().toStdString();
    QString nowPlaying = metadata.value("vlc:nowplaying").toString();
    if (nowPlaying.isEmpty()) nowPlaying = metadata.value("xesam:title").toString();
    const std::string title = nowPlaying.toStdString();
    if (title == instance.title) return;
    instance.title = title;
    if (changed_) changed_(instance.pid);
}

void Mpris::OwnerChanged(const QString& name, const QString& oldOwner, const QString& newOwner) {
    if (!name.startsWith(kPrefix)) return;
    if (auto gone = instances_.find(oldOwner); !oldOwner.isEmpty() && gone != instances_.end()) {
        const plat::DWORD pid = gone->second.pid;
        instances_.erase(gone);
        if (changed_) changed_(pid);
    }
    Add(name, newOwner);
}

void Mpris::PropertiesChanged(const QString& interface, const QVariantMap& changed,
                              const QStringList& invalidated, const QDBusMessage& message) {
    auto instance = instances_.find(message.service());
    if (instance == instances_.end()) return;
    if (interface == kPlayer && invalidated.contains("Metadata")) Ask(message.service(), kPlayer);
    if (interface == kPlayer || interface == kRoot) Apply(instance->second, changed);
}

// Only what the bus has told already: a player whose instance is not known yet (one
// that registered a moment ago) is taken for one without, rather than the GUI waiting
// for the daemon; Stop then ends it by its process instead.
Mpris::Instances::iterator Mpris::Find(plat::DWORD pid) {
    if (!connected_ || pid == 0) return instances_.end();
    for (auto it = instances_.begin(); it != instances_.end(); ++it)
        if (it->second.pid == pid) return it;
    return instances_.end();
}

// A call sent without asking for a reply is one VLC ignores: the reply is asked for,
// and dropped when it comes.
void Mpris::Send(const QString& owner, const char* interface, const char* method) {
    QDBusConnection::sessionBus().asyncCall(
        QDBusMessage::createMethodCall(owner, kPath, interface, method), kDaemonTimeoutMs);
}

bool Mpris::Stop(plat::DWORD pid) {
    auto instance = Find(pid);
    if (instance == instances_.end()) return false;
    const QString owner = instance->first;
    Send(owner, kPlayer, "Stop");
    QTimer::singleShot(kQuitAfterMs, this, [this, owner] {
        auto still = instances_.find(owner);
        if (still != instances_.end() && still->second.canQuit) Send(owner, kRoot, "Quit");
    });
    return true;
}

bool Mpris::Raise(plat::DWORD pid) {
    auto instance = Find(pid);
    if (instance == instances_.end() || !instance->second.canRaise) return false;
    Send(instance->first, kRoot, "Raise");
    return true;
}

std::string Mpris::Title(plat::DWORD pid) const {
    for (const auto& [owner, instance] : instances_)
        if (instance.pid == pid) return instance.title;
    return {};
}

std::string Mpris::Status(plat::DWORD pid) const {
    for (const auto& [owner, instance] : instances_)
        if (instance.pid == pid) return instance.status;
    return {};
}

std::vector<plat::DWORD> Mpris::Playing(const std::string& address) const {
    std::vector<plat::DWORD> found;
    for (const auto& [owner, instance] : instances_)
        if (!address.empty() && instance.url == address) found.push_back(instance.pid);
    return found;
}

}  // namespace qtb
