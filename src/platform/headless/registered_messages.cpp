// Messages known by name, numbered as Windows numbers them: from 0xC000, one number
// per name, case ignored.
#include "platform/headless/state.h"

namespace plat::headless {

namespace {
constexpr UINT kFirstRegisteredMessage = 0xC000;
}

UINT HeadlessPlatform::RegisterWindowMessageA(const std::string& name) {
    Record(log, "RegisterWindowMessageA", name);
    if (name.empty()) return 0;
    for (std::size_t i = 0; i < registeredMessages_.size(); ++i)
        if (EqualsIgnoreCase(registeredMessages_[i], name))
            return kFirstRegisteredMessage + static_cast<UINT>(i);
    registeredMessages_.push_back(name);
    return kFirstRegisteredMessage + static_cast<UINT>(registeredMessages_.size() - 1);
}

}  // namespace plat::headless
