// GetPrivateProfileStringA and WritePrivateProfileStringA on our INI engine, with the
// buffer rules of the Windows functions. A bare file name lives in windowsDir, where
// the Windows functions would place it.
#pragma once

#include <string>

#include "platform/posix/files.h"

namespace plat::posix {

DWORD GetProfileString(Files& files, const std::string& windowsDir, const char* section,
                       const char* key, const char* defaultValue, char* buffer, DWORD size,
                       const char* fileName);
BOOL WriteProfileString(Files& files, const std::string& windowsDir, const char* section,
                        const char* key, const char* value, const char* fileName);

}  // namespace plat::posix
