#include "platform/qt/startup_trace.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace qtb {

namespace {

long long NowNs() {
    timespec t{};
    clock_gettime(CLOCK_REALTIME, &t);
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

struct Trace {
    bool on = false;
    long long origin = 0;
};

const Trace& TheTrace() {
    static const Trace trace = [] {
        Trace t;
        const char* value = std::getenv("ZEL_STARTUP_TRACE");
        if (!value || !*value) return t;
        t.on = true;
        char* end = nullptr;
        const long long given = std::strtoll(value, &end, 10);
        t.origin = (*end == '\0' && given > 0) ? given : NowNs();
        return t;
    }();
    return trace;
}

}  // namespace

bool StartupTraced() {
    return TheTrace().on;
}

void StartupMark(const char* stage) {
    const Trace& t = TheTrace();
    if (!t.on) return;
    std::fprintf(stderr, "zelvora-startup %.1f %s\n", static_cast<double>(NowNs() - t.origin) / 1e6,
                 stage);
}

}  // namespace qtb
