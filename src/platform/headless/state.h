// The private state of the headless platform, shared by the files that implement it,
// and the helpers they all use to record calls.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/headless/headless.h"
#include "platform/posix/files.h"
#include "platform/posix/registry.h"

namespace plat::headless {

using posix::EqualsIgnoreCase;

struct Timer {
    HWND window = 0;
    UINT id = 0;
    UINT interval = 0;
    std::uint64_t due = 0;
    std::uint64_t order = 0;  // SetTimer sequence: breaks ties between equal due times
};

struct HeadlessPlatform::State {
    // Files
    DWORD lastError = 0;
    std::map<std::string, std::deque<DWORD>> failNext;
    posix::Files files{lastError};

    posix::RegistryTree registry;

    // Icons
    std::set<HICON> ownedIcons;
    std::map<std::string, HICON> sharedIcons;
    HICON nextIcon = 0x10000;

    // Windows and messages
    std::deque<WindowRecord> windows;  // handle n is windows[n - 1]; never moves
    std::deque<MessageCall> posted;
    HWND focus = 0;
    HWND capture = 0;

    // Clock
    std::uint64_t now = 0;
    std::vector<Timer> timers;
    std::uint64_t timerOrder = 0;
    int modalDepth = 0;

    // Network: what each call waits for, by id; an answer stays until it is taken.
    struct NetworkCall {
        HWND window = 0;
        UINT message = 0;
        bool dns = false;
        bool answered = false;
        HttpResponse response;
        DnsAnswer answer;
    };
    std::map<UINT, NetworkCall> network;
    UINT nextNetworkId = 0;

    int liveShellLinks = 0;

    // The one running copy and the end of the session: where they are told
    HWND laterStartsWindow = 0;
    UINT laterStartsMessage = 0;
    HWND sessionEndWindow = 0;
    UINT sessionEndMessage = 0;

    WindowRecord* Find(HWND window);  // null when unknown or destroyed
    // Pops an injected failure for the call: sets lastError and answers true.
    bool Injected(const std::string& call);
};

// ---- Recording calls -------------------------------------------------------------

inline std::string LogArg(const std::string& s) {
    return '"' + s + '"';
}
inline std::string LogArg(const char* s) {
    return s ? LogArg(std::string(s)) : "null";
}
inline std::string LogArg(char* s) {
    return LogArg(static_cast<const char*>(s));
}
template <class T>
requires std::is_arithmetic_v<T> std::string LogArg(T v) {
    return std::to_string(v);
}

template <class... A>
void Record(std::vector<std::string>& log, const char* name, const A&... args) {
    std::string line = std::string(name) + '(';
    bool first = true;
    ((line += (first ? "" : ", ") + LogArg(args), first = false), ...);
    log.push_back(line + ')');
}

// Hands a message to a window: our windows' sinks answer m.result; a foreign window
// records it (and closes on WM_CLOSE).
LRESULT Deliver(WindowRecord& window, HWND handle, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace plat::headless
