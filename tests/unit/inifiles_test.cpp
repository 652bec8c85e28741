#include <gtest/gtest.h>

#include "gui/inifiles.h"

namespace {

std::optional<int> Parse(const std::string& text) {
    std::int32_t v = 0;
    if (!ParseIniInteger(text, v)) return std::nullopt;
    return v;
}

TEST(IniInteger, AcceptsDecimalHexadecimalAndSigns) {
    EXPECT_EQ(Parse("0x2"), 2);
    EXPECT_EQ(Parse("0XfF"), 255);
    EXPECT_EQ(Parse("$1A"), 26);
    EXPECT_EQ(Parse("-$10"), -16);
    EXPECT_EQ(Parse("  -7"), -7);
    EXPECT_EQ(Parse("+5"), 5);
    EXPECT_EQ(Parse("2147483647"), 2147483647);
    EXPECT_EQ(Parse("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(Parse("0x7FFFFFFF"), 2147483647);
}

TEST(IniInteger, RefusesEverythingElse) {
    for (const char* bad : {"", "two", "0x", "0xg", "5 x", "5.0", " ", "-", "$", "2147483648",
                            "-2147483649", "0x80000000", "99999999999999999999", "7 "})
        EXPECT_FALSE(Parse(bad).has_value()) << bad;
}

}  // namespace
