// The players on the session bus, reached through MPRIS: each instance known by the
// process behind its bus connection, kept up to date by the bus's signals.
//
// No call here waits: requests to players and to the bus daemon are sent and their
// answers not waited for; which players there are, their processes and what they
// publish (title, whether they can quit or raise) arrive by asynchronous replies and
// the NameOwnerChanged and PropertiesChanged signals.
#pragma once

#include <QDBusMessage>
#include <QObject>
#include <QString>
#include <QVariantMap>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/types.h"

namespace qtb {

class Mpris final : public QObject {
    Q_OBJECT

  public:
    // changed is called with a player's process id when its title changes, or when
    // it appears on the bus or leaves it. Without a session bus that answers there
    // are no instances.
    Mpris(bool sessionBus, std::function<void(plat::DWORD)> changed);

    // Player.Stop to the process's instance, then Quit when the player runs on with
    // nothing to play. False when the process has no instance.
    bool Stop(plat::DWORD pid);
    // Raise, when the instance says it can. False when it cannot or there is none.
    bool Raise(plat::DWORD pid);
    // vlc:nowplaying of its Metadata (VLC's title of a stream, which its xesam:title
    // is not), else xesam:title; empty when it publishes none or has no instance.
    std::string Title(plat::DWORD pid) const;
    // Its PlaybackStatus; empty when it has no instance or has not said.
    std::string Status(plat::DWORD pid) const;
    // The processes of the instances whose Metadata xesam:url is the address.
    std::vector<plat::DWORD> Playing(const std::string& address) const;

  private slots:
    void OwnerChanged(const QString& name, const QString& oldOwner, const QString& newOwner);
    void PropertiesChanged(const QString& interface, const QVariantMap& changed,
                           const QStringList& invalidated, const QDBusMessage& message);

  private:
    struct Instance {
        QString name;  // org.mpris.MediaPlayer2.*
        plat::DWORD pid = 0;
        std::string title;
        std::string url;     // xesam:url, what it plays
        std::string status;  // PlaybackStatus
        bool canQuit = false;
        bool canRaise = false;
    };
    void Scan();
    void Add(const QString& name, const QString& owner);
    void AskDaemon(const char* method, const QString& argument,
                   std::function<void(const QDBusMessage&)> then);
    void Ask(const QString& owner, const char* interface);
    void Apply(Instance& instance, const QVariantMap& properties);
    using Instances = std::map<QString, Instance>;  // by the unique name of their connection
    Instances::iterator Find(plat::DWORD pid);
    void Send(const QString& owner, const char* interface, const char* method);

    bool connected_ = false;
    Instances instances_;
    std::function<void(plat::DWORD)> changed_;
};

}  // namespace qtb
