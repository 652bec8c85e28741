#include "platform/platform.h"

#include <cstdio>
#include <cstdlib>

namespace plat {

static std::unique_ptr<Platform>& Slot() {
    static std::unique_ptr<Platform> current;
    return current;
}

Platform& Current() {
    auto& p = Slot();
    if (!p) {
        std::fputs("no platform installed\n", stderr);
        std::abort();
    }
    return *p;
}

void Install(std::unique_ptr<Platform> platform) { Slot() = std::move(platform); }

std::unique_ptr<Platform> Uninstall() { return std::move(Slot()); }

}  // namespace plat
