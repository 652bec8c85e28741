// Messages known by name, numbered as Windows numbers them: from 0xC000, one number
// per name, case ignored.
#include "platform/headless/state.h"

namespace plat::headless {

UINT HeadlessPlatform::RegisterWindowMessageA(const std::string& name) {
    Record(log, "RegisterWindowMessageA", name);
    return registeredMessages_.Register(name);
}

}  // namespace plat::headless
