// Text conversions between the 8-bit texts of the program (UTF-8 on this host) and
// the UTF-16 of the shell, and the locale-like calls built on them.
#pragma once

#include <string>
#include <string_view>

#include "platform/types.h"

namespace plat::posix {

// Code points of a UTF-8 text; a malformed sequence gives U+FFFD per bad byte, and
// clears *valid when given.
std::u32string DecodeUtf8(std::string_view text, bool* valid = nullptr);
// Code points of a text in Windows-1252, and the reverse: U+FFFD stands for none.
std::u32string Decode1252(std::string_view text);
std::string Encode1252(std::u32string_view text, bool* usedDefault);
std::u16string EncodeUtf16(std::u32string_view text);
std::string Utf16ToUtf8(std::u16string_view text);
std::u32string DecodeUtf16(std::u16string_view text);
// Windows-1252 text in UTF-8.
std::string Windows1252ToUtf8(std::string_view text);
bool IsValidUtf8(std::string_view text);
// The text itself when it is valid UTF-8, otherwise read as Windows-1252.
std::string Utf8OrWindows1252(std::string_view text);
// Lower case for ASCII, Latin-1, Greek and Cyrillic capitals: what a locale folds simply.
char32_t FoldCase(char32_t c);

// CompareStringA on UTF-8 texts: letters by their folded form first, as a locale
// sorts them; NORM_IGNORECASE makes case no tiebreaker. Returns CSTR_*.
int CompareStrings(DWORD flags, const std::string& a, const std::string& b);
// MultiByteToWideChar and WideCharToMultiByte with their buffer rules, for a code page
// already resolved (CP_UTF8 or 1252); failures set lastError.
int MultiByteToWide(DWORD& lastError, UINT codePage, DWORD flags, const char* text, int length,
                    char16_t* buffer, int bufferLength);
int WideToMultiByte(DWORD& lastError, UINT codePage, const char16_t* text, int length, char* buffer,
                    int bufferLength, BOOL* usedDefaultChar);

}  // namespace plat::posix
