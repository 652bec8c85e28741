// Real files below the test's directory, answering with Windows error numbers. The
// Platform file calls, the INI engine and the shell link all go through these, so
// that a read-only or missing file fails the same way whichever of them touches it.
#pragma once

#include <string>

#include "platform/headless/state.h"

namespace plat::headless::fileops {

// The path as the host sees it: backslashes become slashes.
std::string HostPath(const std::string& path);
// Windows refuses these characters (and control characters) in a file name.
bool IsInvalidName(const std::string& path);
// ERROR_* for an errno that an operation on path failed with.
DWORD ErrorFromErrno(int err, const std::string& path);
bool IsReadOnly(const HeadlessPlatform::State& state, const std::string& path);
void SetReadOnly(HeadlessPlatform::State& state, const std::string& path, bool readOnly);
// Whether path exists, and whether it is a directory.
bool Exists(const std::string& path, bool* isDirectory = nullptr);

// The whole content of a file; 0 or an ERROR_* number.
DWORD ReadAll(const std::string& path, std::string& bytes);
// Creates or replaces the file through a temporary file in the same directory and a
// rename, so that readers see the old content or the new, never a part.
DWORD ReplaceWith(HeadlessPlatform::State& state, const std::string& path,
                  const std::string& bytes);

}  // namespace plat::headless::fileops
