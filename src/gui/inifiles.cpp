#include "gui/inifiles.h"

#include <cctype>
#include <vector>

#include "gui/exceptions.h"
#include "platform/platform.h"

namespace {

constexpr unsigned kValueBufferSize = 1024;  // 1023 characters and the NUL

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Digits in the given base, all of the text, at least one; the magnitude is kept
// in 64 bits and refused as soon as it can no longer fit in 32.
bool ParseDigits(const std::string& text, std::size_t pos, int base, std::int64_t& magnitude) {
    if (pos >= text.size()) return false;
    magnitude = 0;
    for (; pos < text.size(); ++pos) {
        int d = base == 16 ? HexDigit(text[pos]) : (std::isdigit(static_cast<unsigned char>(text[pos])) ? text[pos] - '0' : -1);
        if (d < 0) return false;
        magnitude = magnitude * base + d;
        if (magnitude > 0x80000000LL) return false;
    }
    return true;
}

bool FitSigned(bool negative, std::int64_t magnitude, std::int32_t& value) {
    std::int64_t v = negative ? -magnitude : magnitude;
    if (v < INT32_MIN || v > INT32_MAX) return false;
    value = static_cast<std::int32_t>(v);
    return true;
}

}  // namespace

bool ParseIniInteger(const std::string& text, std::int32_t& value) {
    std::int64_t magnitude = 0;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        return ParseDigits(text, 2, 16, magnitude) && FitSigned(false, magnitude, value);
    std::size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ') ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    int base = 10;
    if (pos < text.size() && text[pos] == '$') {
        base = 16;
        ++pos;
    }
    return ParseDigits(text, pos, base, magnitude) && FitSigned(negative, magnitude, value);
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const {
    std::vector<char> buffer(kValueBufferSize, '\0');
    auto n = plat::Current().GetPrivateProfileStringA(section.c_str(), key.c_str(),
                                                      defaultValue.c_str(), buffer.data(),
                                                      kValueBufferSize, fileName_.c_str());
    return std::string(buffer.data(), n < kValueBufferSize ? n : kValueBufferSize - 1);
}

std::int32_t TIniFile::ReadInteger(const std::string& section, const std::string& key,
                                   std::int32_t defaultValue) const {
    std::int32_t value = 0;
    return ParseIniInteger(ReadString(section, key, ""), value) ? value : defaultValue;
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key,
                        bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteString(const std::string& section, const std::string& key,
                           const std::string& value) {
    if (!plat::Current().WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                                    fileName_.c_str()))
        throw EIniFileException("Unable to write to " + fileName_);
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key,
                            std::int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}
