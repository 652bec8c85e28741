// Text conversions and the locale-like calls built on them.
#include "platform/posix/text.h"

#include <cstring>

namespace plat::posix {

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;

// Length of the sequence a lead byte starts, and the bits it contributes; 0 when invalid.
int SequenceLength(unsigned char lead, char32_t* bits) {
    if (lead < 0x80) return *bits = lead, 1;
    if ((lead & 0xE0) == 0xC0 && lead >= 0xC2) return *bits = lead & 0x1F, 2;
    if ((lead & 0xF0) == 0xE0) return *bits = lead & 0x0F, 3;
    if ((lead & 0xF8) == 0xF0 && lead <= 0xF4) return *bits = lead & 0x07, 4;
    return 0;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::u32string DecodeUtf8(std::string_view text, bool* valid) {
    std::u32string out;
    if (valid) *valid = true;
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = 0;
        int n = SequenceLength(static_cast<unsigned char>(text[i]), &c);
        bool ok = n > 0 && i + n <= text.size();
        for (int k = 1; ok && k < n; ++k) {
            auto b = static_cast<unsigned char>(text[i + k]);
            ok = (b & 0xC0) == 0x80;
            c = (c << 6) | (b & 0x3F);
        }
        // Overlong forms and surrogates are as malformed as a broken sequence.
        static constexpr char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
        ok = ok && c >= kMin[n] && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
        out += ok ? c : kReplacement;
        if (!ok && valid) *valid = false;
        i += ok ? n : 1;
    }
    return out;
}

std::u16string EncodeUtf16(std::u32string_view text) {
    std::u16string out;
    for (char32_t c : text) {
        if (c < 0x10000) {
            out += static_cast<char16_t>(c);
        } else {
            out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
    }
    return out;
}

std::u32string DecodeUtf16(std::u16string_view text) {
    std::u32string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        bool high = c >= 0xD800 && c <= 0xDBFF;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        else if (c >= 0xD800 && c <= 0xDFFF)
            c = kReplacement;
        out += c;
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    for (char32_t c : DecodeUtf16(text)) AppendUtf8(out, c);
    return out;
}

// Windows-1252 differs from Latin-1 only in 0x80 to 0x9F; the five bytes it leaves
// undefined stand for the control characters of the same number, as Windows has it.
constexpr char16_t k1252High[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                                    0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

std::u32string Decode1252(std::string_view text) {
    std::u32string out;
    for (char ch : text) {
        auto b = static_cast<unsigned char>(ch);
        out += b >= 0x80 && b < 0xA0 ? k1252High[b - 0x80] : b;
    }
    return out;
}

std::string Encode1252(std::u32string_view text, bool* usedDefault) {
    std::string out;
    for (char32_t c : text) {
        int byte = c < 0x80 || (c >= 0xA0 && c <= 0xFF) ? static_cast<int>(c) : -1;
        for (int i = 0; byte < 0 && i < 32; ++i)
            if (k1252High[i] == c) byte = 0x80 + i;
        if (byte < 0) *usedDefault = true;
        out += static_cast<char>(byte < 0 ? '?' : byte);
    }
    return out;
}

std::string Windows1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char32_t c : Decode1252(text)) AppendUtf8(out, c);
    return out;
}

// Malformed bytes decode to U+FFFD, which encodes differently; DecodeUtf8 tells.
bool IsValidUtf8(std::string_view text) {
    bool valid = true;
    DecodeUtf8(text, &valid);
    return valid;
}

std::string Utf8OrWindows1252(std::string_view text) {
    return IsValidUtf8(text) ? std::string(text) : Windows1252ToUtf8(text);
}

char32_t FoldCase(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;     // Latin-1 capitals
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 32;  // Greek capitals
    if (c >= 0x410 && c <= 0x42F) return c + 32;                // Cyrillic capitals
    if (c >= 0x400 && c <= 0x40F) return c + 80;                // Cyrillic with marks
    return c;
}

int CompareStrings(DWORD flags, const std::string& a, const std::string& b) {
    auto x = DecodeUtf8(a), y = DecodeUtf8(b);
    auto folded = [](std::u32string s) {
        for (auto& c : s) c = FoldCase(c);
        return s;
    };
    // Letters sort by their folded form first, as a locale does; without
    // NORM_IGNORECASE, case only breaks a tie, lower before upper.
    int order = folded(x).compare(folded(y));
    if (order == 0 && !(flags & NORM_IGNORECASE)) order = -x.compare(y);
    return order < 0 ? CSTR_LESS_THAN : order > 0 ? CSTR_GREATER_THAN : CSTR_EQUAL;
}

int MultiByteToWide(DWORD& lastError, UINT codePage, DWORD flags, const char* text, int length,
                    char16_t* buffer, int bufferLength) {
    if (!text || length == 0 || length < -1 || bufferLength < 0 || (bufferLength && !buffer)) {
        lastError = ERROR_INVALID_PARAMETER;
        return 0;
    }
    // Length -1 means up to and including the terminating NUL, which is counted.
    std::string_view in = length < 0 ? std::string_view(text, std::strlen(text) + 1)
                                     : std::string_view(text, static_cast<std::size_t>(length));
    bool valid = true;
    auto wide = EncodeUtf16(codePage == 1252 ? Decode1252(in) : DecodeUtf8(in, &valid));
    if (!valid && (flags & MB_ERR_INVALID_CHARS)) {
        lastError = ERROR_NO_UNICODE_TRANSLATION;
        return 0;
    }
    auto needed = static_cast<int>(wide.size());
    if (bufferLength == 0) return needed;
    if (needed > bufferLength) {
        lastError = ERROR_INSUFFICIENT_BUFFER;
        return 0;
    }
    wide.copy(buffer, wide.size());
    return needed;
}

int WideToMultiByte(DWORD& lastError, UINT codePage, const char16_t* text, int length, char* buffer,
                    int bufferLength, BOOL* usedDefaultChar) {
    // Windows has no default character for UTF-8 and refuses to be asked about one.
    if (!text || length == 0 || length < -1 || bufferLength < 0 || (bufferLength && !buffer) ||
        (codePage == CP_UTF8 && usedDefaultChar)) {
        lastError = ERROR_INVALID_PARAMETER;
        return 0;
    }
    std::u16string_view in =
        length < 0 ? std::u16string_view(text, std::char_traits<char16_t>::length(text) + 1)
                   : std::u16string_view(text, static_cast<std::size_t>(length));
    bool usedDefault = false;
    std::string out =
        codePage == 1252 ? Encode1252(DecodeUtf16(in), &usedDefault) : Utf16ToUtf8(in);
    if (usedDefaultChar) *usedDefaultChar = usedDefault;
    auto needed = static_cast<int>(out.size());
    if (bufferLength == 0) return needed;
    if (needed > bufferLength) {
        lastError = ERROR_INSUFFICIENT_BUFFER;
        return 0;
    }
    out.copy(buffer, out.size());
    return needed;
}

}  // namespace plat::posix
