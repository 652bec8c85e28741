// Whether the session bus answers, asked once at start on a thread of its own.
//
// Qt's first use of the bus (ours, and its own: the tray's watcher check, the
// accessibility bridge) connects and waits on the GUI thread, for up to libdbus's 25 s
// when a daemon accepts the connection and then never answers. So before anything
// touches the bus, a thread greets the daemon the way libdbus does (the AUTH line of
// its handshake) and waits a short while for any answer. A bus that does not answer
// in that time is taken for none: DBUS_SESSION_BUS_ADDRESS is pointed at nothing, so
// that every later connection, Qt's included, fails at once instead of waiting.
#pragma once

#include <chrono>
#include <future>
#include <string>

namespace qtb {

class SessionBusProbe {
  public:
    SessionBusProbe();  // starts asking
    ~SessionBusProbe();
    SessionBusProbe(const SessionBusProbe&) = delete;
    SessionBusProbe& operator=(const SessionBusProbe&) = delete;

    // True when there is a bus and it answered. The first call waits for the probe,
    // never longer than what is left of its time since the start.
    bool Answers();

  private:
    std::chrono::steady_clock::time_point deadline_;
    std::future<bool> answer_;
    bool settled_ = false;
    bool answers_ = false;
};

namespace bus_probe {
// The address libdbus would connect to: $DBUS_SESSION_BUS_ADDRESS, else the user's
// runtime bus when its socket is there; empty when there is none.
std::string SessionAddress();
// Whether the daemon at a "unix:path=" or "unix:abstract=" address (the first such
// entry of the list) answers the greeting within the time. Other transports are not
// probed and count as answering, as Qt would find out for itself.
bool Answers(const std::string& address, int milliseconds);
}  // namespace bus_probe

}  // namespace qtb
