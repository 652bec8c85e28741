// Whole-file reads through the platform's file calls, for pictures and documents.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The file's bytes. Raises EFOpenError "Cannot open file <path>" when it cannot be
// opened and EReadError when it cannot be read to its end.
std::vector<std::uint8_t> ReadFileBytes(const std::string& path);
