// A settings file read and written through the private-profile functions. Every
// write is handed to them at once; there is nothing to flush.
#pragma once

#include <cstdint>
#include <string>

class TIniFile {
public:
    explicit TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}

    const std::string& FileName() const { return fileName_; }

    // The value text, at most 1023 characters; the default when the key is missing.
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;
    // "0x" or "0X" and hexadecimal digits; or leading blanks, an optional sign and
    // decimal digits, or "$" and hexadecimal digits. Anything else, and a number
    // that does not fit a signed 32-bit integer, gives the default.
    std::int32_t ReadInteger(const std::string& section, const std::string& key,
                             std::int32_t defaultValue) const;
    // Read as an integer with default 1 or 0; anything but 0 is true.
    bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const;

    // Raise EIniFileException "Unable to write to <file>" when the value cannot be written.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, std::int32_t value);
    void WriteBool(const std::string& section, const std::string& key, bool value);

private:
    std::string fileName_;
};

// The integer rules of ReadInteger applied to a text; false when it is not a number.
bool ParseIniInteger(const std::string& text, std::int32_t& value);
