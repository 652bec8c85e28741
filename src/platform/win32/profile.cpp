// Private-profile (INI) files: the real functions, arguments passed as they are.
#include "platform/win32/win32_platform.h"

namespace w32 {

plat::DWORD Win32Platform::GetPrivateProfileStringA(const char* section, const char* key,
                                                    const char* defaultValue, char* buffer,
                                                    plat::DWORD size, const char* fileName) {
    return ::GetPrivateProfileStringA(section, key, defaultValue, buffer, size, fileName);
}

plat::BOOL Win32Platform::WritePrivateProfileStringA(const char* section, const char* key,
                                                     const char* value, const char* fileName) {
    return ::WritePrivateProfileStringA(section, key, value, fileName);
}

}  // namespace w32
