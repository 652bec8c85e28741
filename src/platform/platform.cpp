#include "platform/platform.h"

#include <algorithm>
#include <cctype>
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

namespace {
constexpr UINT kFirstRegisteredMessage = 0xC000;
constexpr std::size_t kRegisteredMessages = 0x4000;

bool SameName(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}
}  // namespace

UINT RegisteredMessages::Register(const std::string& name) {
    if (name.empty()) return 0;
    auto known = std::find_if(names_.begin(), names_.end(),
                              [&](const std::string& n) { return SameName(n, name); });
    if (known == names_.end()) {
        if (names_.size() >= kRegisteredMessages) return 0;
        known = names_.insert(names_.end(), name);
    }
    return kFirstRegisteredMessage + static_cast<UINT>(known - names_.begin());
}

}  // namespace plat
