// Addresses as Add, Change and Import take them in.
#include <gtest/gtest.h>

#include "app/stationaddress.h"

namespace {

TEST(StationAddress, URLsGetTheirBlanksEncodedPathsKeepThemOthersAreRefused) {
    using enum TAddressFault;
    struct Case {
        std::string in, out;
        TAddressFault fault = None;
    };
    for (const Case& c : std::vector<Case>{
             {"http://radio.example/live stream.mp3", "http://radio.example/live%20stream.mp3"},
             {"  HTTPS://a.example/x?q=a b \t", "HTTPS://a.example/x?q=a%20b"},
             {"mms://a.example/ %20", "mms://a.example/%20%20"},
             {"pnm://real.example/live.ra", "pnm://real.example/live.ra"},
             {"C:\\Music\\Live set.mp3", "C:\\Music\\Live set.mp3"},
             {"C://Music/Live set.mp3", "C://Music/Live set.mp3"},
             {"/home/me/Live set.mp3 ", "/home/me/Live set.mp3"},
             {"\\\\nas\\radio\\a b.m3u", "\\\\nas\\radio\\a b.m3u"},
             {"  ", "", NoStation},
             {"u", "u", NoStation},
             {"www.example.com/live", "www.example.com/live", NoStation},
             {"v4l2:///dev/video0", "v4l2:///dev/video0", NoStation},
             {"http://a.example/\tx", "", ControlCharacter},
             {"http://a.example/x\r\nhttp://b.example/", "", ControlCharacter},
             {"http://a.example/\x1A", "", ControlCharacter},
             {"C:\\a\x7F.mp3", "", ControlCharacter},
             {std::string("http://a.example/\0x", 19), "", ControlCharacter}}) {
        const TCheckedAddress checked = CheckStationAddress(c.in);
        EXPECT_EQ(checked.fault, c.fault) << c.in;
        if (c.fault != ControlCharacter) {
            EXPECT_EQ(checked.address, c.out) << c.in;
        }
    }
    EXPECT_FALSE(IsURL("1http://x"));
    EXPECT_TRUE(IsURL("icecast+ssl://x"));
}

}  // namespace
