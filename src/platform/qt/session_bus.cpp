#include "platform/qt/session_bus.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace qtb {

namespace {

using Clock = std::chrono::steady_clock;

// The bus daemon answers the greeting at once; one that takes longer than this is
// one the GUI must not wait on.
constexpr int kProbeMs = 500;

// D-Bus addresses escape bytes as %XX.
std::string Unescape(const std::string& value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '%' && i + 2 < value.size()) {
            out += static_cast<char>(std::strtol(value.substr(i + 1, 2).c_str(), nullptr, 16));
            i += 2;
        } else {
            out += value[i];
        }
    }
    return out;
}

// The socket of a "unix:" entry: its path, or its abstract name after a NUL.
bool SocketOf(const std::string& entry, sockaddr_un& addr, socklen_t& length) {
    if (entry.rfind("unix:", 0) != 0) return false;
    std::size_t start = 5;
    while (start < entry.size()) {
        const std::size_t end = std::min(entry.find(',', start), entry.size());
        const std::string pair = entry.substr(start, end - start);
        start = end + 1;
        const bool path = pair.rfind("path=", 0) == 0;
        if (!path && pair.rfind("abstract=", 0) != 0) continue;
        const std::string name = Unescape(pair.substr(path ? 5 : 9));
        const std::size_t offset = path ? 0 : 1;
        if (name.empty() || name.size() + offset >= sizeof addr.sun_path) return false;
        std::memset(&addr, 0, sizeof addr);
        addr.sun_family = AF_UNIX;
        std::memcpy(addr.sun_path + offset, name.data(), name.size());
        length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + name.size() +
                                        (path ? 1 : 0));
        return true;
    }
    return false;
}

bool WaitOn(int fd, short events, Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    pollfd p{fd, events, 0};
    return left > 0 && ::poll(&p, 1, static_cast<int>(left)) == 1 && (p.revents & events);
}

// Connects, greets as libdbus does, and waits for the daemon's first line.
bool Greets(const sockaddr_un& addr, socklen_t length, Clock::time_point deadline) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return false;
    bool answered = false;
    const int rc = ::connect(fd, reinterpret_cast<const sockaddr*>(&addr), length);
    if (rc == 0 || ((errno == EINPROGRESS || errno == EAGAIN) && WaitOn(fd, POLLOUT, deadline))) {
        char uid[32];
        std::snprintf(uid, sizeof uid, "%u", static_cast<unsigned>(::getuid()));
        std::string greeting(1, '\0');
        greeting += "AUTH EXTERNAL ";
        for (const char* c = uid; *c; ++c) {
            char hex[3];
            std::snprintf(hex, sizeof hex, "%02x", static_cast<unsigned char>(*c));
            greeting += hex;
        }
        greeting += "\r\n";
        char reply[64];
        answered = ::send(fd, greeting.data(), greeting.size(), MSG_NOSIGNAL) ==
                       static_cast<ssize_t>(greeting.size()) &&
                   WaitOn(fd, POLLIN, deadline) && ::recv(fd, reply, sizeof reply, 0) > 0;
    }
    ::close(fd);
    return answered;
}

}  // namespace

namespace bus_probe {

std::string SessionAddress() {
    if (const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS"); address && *address)
        return address;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!runtime || !*runtime || !QFileInfo::exists(QString::fromLocal8Bit(runtime) + "/bus"))
        return {};
    return std::string("unix:path=") + runtime + "/bus";
}

bool Answers(const std::string& address, int milliseconds) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
    bool probed = false;
    std::size_t start = 0;
    while (start <= address.size()) {
        const std::size_t end = std::min(address.find(';', start), address.size());
        const std::string entry = address.substr(start, end - start);
        start = end + 1;
        sockaddr_un addr;
        socklen_t length = 0;
        if (!SocketOf(entry, addr, length)) continue;
        if (Greets(addr, length, deadline)) return true;
        probed = true;
    }
    return !probed && !address.empty();
}

}  // namespace bus_probe

SessionBusProbe::SessionBusProbe() : deadline_(Clock::now() + std::chrono::milliseconds(kProbeMs)) {
    const std::string address = bus_probe::SessionAddress();
    if (address.empty()) {
        settled_ = true;
        return;
    }
    answer_ = std::async(std::launch::async, [address] {
        return bus_probe::Answers(address, kProbeMs);
    });
}

SessionBusProbe::~SessionBusProbe() = default;

bool SessionBusProbe::Answers() {
    if (settled_) return answers_;
    settled_ = true;
    answers_ = answer_.wait_until(deadline_) == std::future_status::ready &&
               answer_.get();
    // libdbus takes any address it does not know for an error at once, and starts no
    // bus of its own for it (as it would for an empty one).
    if (!answers_) qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    return answers_;
}

}  // namespace qtb
