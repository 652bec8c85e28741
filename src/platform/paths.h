// Building and taking apart file paths. Paths are joined with the platform's own
// delimiter; backslash, slash and a drive colon all count as delimiters when a path
// is taken apart, so Windows-style paths read the same on every backend.
#pragma once

#include <string>

namespace plat {

bool IsPathDelimiter(char c);
// dir + delimiter + name; no doubled delimiter when dir already ends in one.
std::string JoinPath(const std::string& dir, const std::string& name);
// Everything up to and including the last delimiter ("C:\a\b.exe" -> "C:\a\").
std::string ExtractFilePath(const std::string& path);
// The directory without a trailing delimiter, except at a drive root ("C:\").
std::string ExtractFileDir(const std::string& path);
// The text after the last delimiter.
std::string ExtractFileName(const std::string& path);
// From the last "." of the name part, "" when the name has none.
std::string ExtractFileExt(const std::string& path);

// The name under which one copy of the program keeps the files of a folder:
// "Zelvora-" and 16 hexadecimal digits of a hash of the path, its letters folded to
// capitals where the file system ignores case. It holds no delimiter, so that it
// names a mutex or a local socket as it is.
std::string InstanceName(const std::string& folder, bool ignoreCase);

}  // namespace plat
