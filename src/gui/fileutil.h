// Whole-file reads and writes through the platform, reporting failures by system
// error number so that each caller can raise the error its own users expect.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);

// Reads the file from its start, handing each chunk to consume until it returns
// false or the file ends. Returns 0 or the system error number; opened tells
// whether the failure came after the file was open.
plat::DWORD ReadFileChunks(const std::string& path,
                           const std::function<bool(std::string_view chunk)>& consume,
                           bool* opened = nullptr);

// The whole file; the size read is what the file holds, never more.
plat::DWORD ReadWholeFile(const std::string& path, std::string& bytes);

// The whole file, for pictures and documents. Raises EFOpenError "Cannot open file
// <path>" when it cannot be opened and EReadError when it cannot be read to its end.
std::vector<std::uint8_t> ReadFileBytes(const std::string& path);

// Writes the bytes to a temporary file beside path and then puts it in place, so
// that a failure part-way leaves the previous file as it was. A short write counts
// as disk full (101). Returns 0 or the system error number; the temporary file is
// removed on failure.
plat::DWORD WriteFileReplacing(const std::string& path, std::string_view bytes);

inline constexpr plat::DWORD kDiskFull = 101;
