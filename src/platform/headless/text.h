// Text conversions between the 8-bit texts of the program (UTF-8 on this host) and
// the UTF-16 of the shell.
#pragma once

#include <string>
#include <string_view>

namespace plat::headless {

// Code points of a UTF-8 text; a malformed sequence gives U+FFFD per bad byte.
std::u32string DecodeUtf8(std::string_view text);
std::u16string EncodeUtf16(std::u32string_view text);
std::string Utf16ToUtf8(std::u16string_view text);
// Lower case for ASCII, Latin-1, Greek and Cyrillic capitals: what a locale folds simply.
char32_t FoldCase(char32_t c);

}  // namespace plat::headless
