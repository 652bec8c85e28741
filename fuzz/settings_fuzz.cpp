// The settings file's integer and Boolean rules on any value a hand-edited file can
// hold, read through the private-profile functions as the program reads them, against
// the rules written out plainly here; and every integer written reads back.
#include <cctype>
#include <cstring>
#include <optional>
#include <string>

#include "gui/inifiles.h"
#include "harness.h"

namespace {

// The digits' value when they are all digits of the base and the value fits 32 bits.
std::optional<std::int64_t> DigitsValue(std::string_view digits, int base) {
    if (digits.empty()) return std::nullopt;
    for (char c : digits)
        if (!(base == 16 ? std::isxdigit(static_cast<unsigned char>(c))
                         : std::isdigit(static_cast<unsigned char>(c))))
            return std::nullopt;
    auto first = digits.find_first_not_of('0');
    if (first == std::string_view::npos) return 0;
    digits.remove_prefix(first);
    if (digits.size() > 10) return std::nullopt;
    return std::stoll(std::string(digits), nullptr, base);
}

std::optional<std::int32_t> Expected(std::string_view text) {
    std::optional<std::int64_t> v;
    bool negative = false;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        v = DigitsValue(text.substr(2), 16);
    } else {
        text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
        if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
            negative = text[0] == '-';
            text.remove_prefix(1);
        }
        v = text.starts_with('$') ? DigitsValue(text.substr(1), 16) : DigitsValue(text, 10);
    }
    if (!v) return std::nullopt;
    std::int64_t value = negative ? -*v : *v;
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FreshPlatform platform;
    std::string value(fuzz::AsText(data, size));
    std::erase_if(value, [](char c) { return c == '\r' || c == '\n' || c == '\0'; });
    const std::string path =
        fuzz::FreshPlatform::Write("settings.ini", "[MainForm]\r\nk=" + value + "\r\n");
    TIniFile ini(path);

    const std::string read = ini.ReadString("MainForm", "k", "");
    fuzz::Check(read.size() <= 1023, "a value is at most 1023 characters");
    const auto expected = Expected(read);
    std::int32_t parsed = 0;
    fuzz::Check(
        ParseIniInteger(read, parsed) == expected.has_value() && (!expected || parsed == *expected),
        "the integer rules");
    for (std::int32_t fallback : {50, -1})
        fuzz::Check(ini.ReadInteger("MainForm", "k", fallback) == expected.value_or(fallback),
                    "an integer that is no number gives the default");
    fuzz::Check(ini.ReadBool("MainForm", "k", true) == (expected.value_or(1) != 0) &&
                    ini.ReadBool("MainForm", "k", false) == (expected.value_or(0) != 0),
                "the Boolean rules");

    std::int32_t number = 0;
    std::memcpy(&number, data, std::min(size, sizeof number));
    ini.WriteInteger("MainForm", "n", number);
    fuzz::Check(ini.ReadInteger("MainForm", "n", 0) == number, "an integer written reads back");
    return 0;
}
