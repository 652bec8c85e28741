// The private-profile calls: recorded, failed on the test's request, and otherwise
// answered by our INI engine on real files.
#include "platform/posix/profile.h"
#include "platform/headless/state.h"

namespace plat::headless {

DWORD HeadlessPlatform::GetPrivateProfileStringA(const char* section, const char* key,
                                                 const char* defaultValue, char* buffer, DWORD size,
                                                 const char* fileName) {
    Record(log, "GetPrivateProfileStringA", section, key, defaultValue, size, fileName);
    if (!buffer || size == 0) return 0;
    buffer[0] = '\0';
    if (state_->Injected("GetPrivateProfileStringA")) return 0;
    return posix::GetProfileString(state_->files, windowsDir, section, key, defaultValue, buffer,
                                   size, fileName);
}

BOOL HeadlessPlatform::WritePrivateProfileStringA(const char* section, const char* key,
                                                  const char* value, const char* fileName) {
    Record(log, "WritePrivateProfileStringA", section, key, value, fileName);
    if (state_->Injected("WritePrivateProfileStringA")) return 0;
    return posix::WriteProfileString(state_->files, windowsDir, section, key, value, fileName);
}

}  // namespace plat::headless
