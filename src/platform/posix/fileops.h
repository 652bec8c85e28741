// Real files, answering with Windows error numbers. The Platform file calls, the INI
// engine and the shell links all go through these, so that a read-only or missing file
// fails the same way whichever of them touches it.
#pragma once

#include <set>
#include <string>

#include "platform/types.h"

namespace plat::posix {

// Files marked read-only through the Platform. A cleared write bit stops nobody
// running as root (as tests do), so the mark is kept here as well.
struct ReadOnlyMarks {
    std::set<std::string> paths;  // normalised absolute paths
};

}  // namespace plat::posix

namespace plat::posix::fileops {

// The path as the host sees it: backslashes become slashes.
std::string HostPath(const std::string& path);
// Windows refuses these characters (and control characters) in a file name.
bool IsInvalidName(const std::string& path);
// ERROR_* for an errno that an operation on path failed with.
DWORD ErrorFromErrno(int err, const std::string& path);
bool IsReadOnly(const ReadOnlyMarks& marks, const std::string& path);
void SetReadOnly(ReadOnlyMarks& marks, const std::string& path, bool readOnly);
// Whether path exists, and whether it is a directory.
bool Exists(const std::string& path, bool* isDirectory = nullptr);

// The whole content of a file; 0 or an ERROR_* number.
DWORD ReadAll(const std::string& path, std::string& bytes);
// Creates or replaces the file through a temporary file in the same directory and a
// rename, so that readers see the old content or the new, never a part.
DWORD ReplaceWith(const ReadOnlyMarks& marks, const std::string& path, const std::string& bytes);

}  // namespace plat::posix::fileops
