// The name test of Add and of an import on the platform's own collation: natively on
// the headless one, under Wine on the real one, and on Qt's.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/stationlist.h"
#include "support/platform_fixture.h"

namespace {

using StationListTest = PlatformTest;

// The import's sorted names must answer as the plain test does, which holds only if
// the system's comparison is a consistent order; the case rule must not leak from
// one kind of comparison into the other.
TEST_F(StationListTest, AnImportsNameTestAnswersAsAddsDoes) {
    const std::vector<std::string> listed = {"Jazz",         "Rock FM", "Caf\xC3\xA9", "zebra",
                                             "News: Live?",  "10 FM",   "9 FM",        "a-b",
                                             "\xC3\x84pfel", "ab"};
    TTakenNames taken(listed);
    for (const char* name : {"jazz",  "ROCK.FM",     "Rock_FM",    "caf\xC3\xA9", "CAF\xC3\x89",
                             "Cafe",  "News_ Live_", "news  live", "Zebra",       "\xC3\xA4pfel",
                             "Apfel", "a b",         "A-B",        "ab ",         "Pop",
                             "Jaz",   "Rock FM2",    "9 fm",       "10 fm",       ""})
        EXPECT_EQ(taken.Taken(name), StationNameTaken(listed, name)) << name;
    EXPECT_FALSE(taken.Taken("Pop"));
    taken.Add("Pop");
    EXPECT_TRUE(taken.Taken("POP"));

    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(platform().CompareStringA(plat::NORM_IGNORECASE, "Jazz", "JAZZ"),
                  plat::CSTR_EQUAL);
        EXPECT_NE(platform().CompareStringA(0, "Jazz", "JAZZ"), plat::CSTR_EQUAL);
    }
}

}  // namespace
