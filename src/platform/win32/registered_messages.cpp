// Messages known by name to every program on the desktop.
#include "platform/win32/win32_platform.h"

namespace w32 {

plat::UINT Win32Platform::RegisterWindowMessageA(const std::string& name) {
    return ::RegisterWindowMessageA(name.c_str());
}

}  // namespace w32
