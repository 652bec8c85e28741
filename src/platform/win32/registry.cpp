// The registry calls. The seam's predefined keys carry the Windows values, so a
// handle converts both ways by a plain cast.
#include "platform/win32/win32_platform.h"

namespace w32 {

namespace {

::HKEY Native(PHKEY k) {
    return reinterpret_cast<::HKEY>(k);
}

}  // namespace

plat::LONG Win32Platform::RegOpenKeyExA(PHKEY root, const char* subKey, plat::DWORD options,
                                        plat::DWORD access, PHKEY* result) {
    ::HKEY key = nullptr;
    plat::LONG r = ::RegOpenKeyExA(Native(root), subKey, options, access, &key);
    if (result) *result = r == ERROR_SUCCESS ? reinterpret_cast<PHKEY>(key) : 0;
    return r;
}

plat::LONG Win32Platform::RegCreateKeyExA(PHKEY root, const char* subKey, plat::DWORD reserved,
                                          const char* className, plat::DWORD options,
                                          plat::DWORD access, PHKEY* result,
                                          plat::DWORD* disposition) {
    ::HKEY key = nullptr;
    ::DWORD disp = 0;
    plat::LONG r = ::RegCreateKeyExA(Native(root), subKey, reserved, const_cast<char*>(className),
                                     options, access, nullptr, &key, &disp);
    if (result) *result = r == ERROR_SUCCESS ? reinterpret_cast<PHKEY>(key) : 0;
    if (disposition) *disposition = disp;
    return r;
}

plat::LONG Win32Platform::RegQueryValueExA(PHKEY key, const char* valueName, plat::DWORD* type,
                                           std::uint8_t* data, plat::DWORD* dataSize) {
    return ::RegQueryValueExA(Native(key), valueName, nullptr, reinterpret_cast<LPDWORD>(type),
                              data, reinterpret_cast<LPDWORD>(dataSize));
}

plat::LONG Win32Platform::RegCloseKey(PHKEY key) {
    return ::RegCloseKey(Native(key));
}

}  // namespace w32
