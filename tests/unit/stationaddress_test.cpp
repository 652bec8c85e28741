// Addresses as Add, Change and Import take them in.
#include <gtest/gtest.h>

#include "app/stationaddress.h"

namespace {

TEST(StationAddress, URLsGetTheirBlanksEncodedPathsKeepThemControlCharactersAreRefused) {
    struct Case {
        std::string in;
        std::optional<std::string> out;
    };
    for (const Case& c : std::vector<Case>{
             {"http://radio.example/live stream.mp3", "http://radio.example/live%20stream.mp3"},
             {"  HTTPS://a.example/x?q=a b \t", "HTTPS://a.example/x?q=a%20b"},
             {"mms://a.example/ %20", "mms://a.example/%20%20"},
             {"icecast+ssl://a.example/a b", "icecast+ssl://a.example/a%20b"},
             {"C:\\Music\\Live set.mp3", "C:\\Music\\Live set.mp3"},
             {"C://Music/Live set.mp3", "C://Music/Live set.mp3"},
             {"/home/me/Live set.mp3 ", "/home/me/Live set.mp3"},
             {"\\\\nas\\radio\\a b.m3u", "\\\\nas\\radio\\a b.m3u"},
             {"  ", ""},
             {"http://a.example/\tx", std::nullopt},
             {"http://a.example/x\r\nhttp://b.example/", std::nullopt},
             {"http://a.example/\x1A", std::nullopt},
             {"C:\\a\x7F.mp3", std::nullopt},
             {std::string("http://a.example/\0x", 19), std::nullopt}})
        EXPECT_EQ(CheckStationAddress(c.in), c.out) << c.in;
    EXPECT_FALSE(IsURL("1http://x"));
    EXPECT_FALSE(IsURL("://x"));
    EXPECT_TRUE(IsURL("rtsp://x"));
}

}  // namespace
