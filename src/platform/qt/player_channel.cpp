// A player's control channel: a local socket in the user's runtime folder, read and
// written without waiting; bytes that arrive are announced to the window watching
// what plays, so that a title reaches the tip at once. And the clipboard.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>

#include "platform/qt/mpris.h"
#include "platform/qt/qt_platform.h"

namespace qtb {

QtPlatform::Channel::~Channel() {
    readable.reset();
    if (fd >= 0) ::close(fd);
}

std::string QtPlatform::NewPlayerChannelAddress(const std::string& prefix) {
    static unsigned next = 0;
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = "/tmp";
    return (folder + "/" + QString::fromStdString(prefix) + "-" +
            QString::number(QCoreApplication::applicationPid()) + "-" + QString::number(++next))
        .toStdString();
}

plat::CHANNEL QtPlatform::ConnectPlayerChannel(const std::string& address) {
    sockaddr_un where{};
    where.sun_family = AF_UNIX;
    if (address.empty() || address.size() >= sizeof where.sun_path) return 0;
    std::memcpy(where.sun_path, address.data(), address.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return 0;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&where), sizeof where) != 0) {
        ::close(fd);
        return 0;
    }
    auto channel = std::make_unique<Channel>();
    channel->fd = fd;
    channel->readable = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    // Announced once until read: the notifier would fire again for the same bytes.
    QSocketNotifier* notifier = channel->readable.get();
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [this, notifier] {
        notifier->setEnabled(false);
        if (nowPlayingWindow_) PostMessageA(nowPlayingWindow_, nowPlayingMessage_, 0, 0);
    });
    const plat::CHANNEL id = nextChannel_++;
    channels_[id] = std::move(channel);
    return id;
}

BOOL QtPlatform::WritePlayerChannel(plat::CHANNEL id, const std::string& bytes) {
    auto it = channels_.find(id);
    if (it == channels_.end()) return 0;
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::send(it->second->fd, bytes.data() + done, bytes.size() - done,
                                 MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return 0;  // a player that reads nothing is not waited for
        done += static_cast<std::size_t>(n);
    }
    return 1;
}

BOOL QtPlatform::ReadPlayerChannel(plat::CHANNEL id, std::string& into, std::size_t maxBytes) {
    auto it = channels_.find(id);
    if (it == channels_.end()) return 0;
    Channel& channel = *it->second;
    const std::size_t start = into.size();
    into.resize(start + maxBytes);
    ssize_t n;
    do n = ::recv(channel.fd, into.data() + start, maxBytes, MSG_DONTWAIT);
    while (n < 0 && errno == EINTR);
    into.resize(start + (n > 0 ? static_cast<std::size_t>(n) : 0));
    if (n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)) return 0;
    channel.readable->setEnabled(true);
    return 1;
}

void QtPlatform::ClosePlayerChannel(plat::CHANNEL id) {
    channels_.erase(id);
}

std::string QtPlatform::PlaybackStatus(plat::PROCESS process) {
    if (ProcessHasEnded(process, 0)) return {};
    return Players().Status(ProcessIdOf(process));
}

BOOL QtPlatform::SetClipboardText(HWND, const std::string& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return 0;
    clipboard->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    return 1;
}

}  // namespace qtb
