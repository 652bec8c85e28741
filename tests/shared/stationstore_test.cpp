// Station files on the platform's real file system: natively on the headless one,
// and under Wine on the real one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/stationstore.h"
#include "gui/exceptions.h"
#include "gui/fileutil.h"
#include "platform/paths.h"
#include "support/platform_fixture.h"

namespace {

class StationStoreTest : public PlatformTest {
  protected:
    void SetUp() override {
        PlatformTest::SetUp();
        settings = plat::JoinPath(dir(), "settings");
        platform().CreateDirectoryA(settings);
    }

    void WriteRaw(const std::string& file, const std::string& bytes) {
        ASSERT_EQ(WriteFileReplacing(plat::JoinPath(settings, file), bytes), 0u);
    }
    std::string ReadRaw(const std::string& file) {
        std::string bytes;
        EXPECT_EQ(ReadWholeFile(plat::JoinPath(settings, file), bytes), 0u);
        return bytes;
    }

    std::string settings;
};

// What Windows refuses in a file name becomes an underscore as well, so that the name
// keeps it and the file is the same on every system.
TEST(StationFileName, ReplacesBlanksFullStopsSlashesAndWhatWindowsRefusesOneForOne) {
    for (auto [name, file] : std::vector<std::pair<std::string, std::string>>{
             {"Jazz FM 1.0", "Jazz_FM_1_0"},
             {"a/b\\c", "a_b_c"},
             {"Caf\xC3\xA9 & Co", "Caf\xC3\xA9_&_Co"},
             {"http://radio.example.net:8000/live", "http___radio_example_net_8000_live"},
             {"a<b>c\"d\"|e?f*", "a_b_c_d__e_f_"},
             {"tab\tand\x01", "tab_and_"}})
        EXPECT_EQ(StationFileName(name), file) << name;
    EXPECT_EQ(StationFileName("Jazz.FM"), StationFileName("Jazz FM"));
}

TEST_F(StationStoreTest, WritesTheURLWithCarriageReturnAndLineFeed) {
    TStationStore store(settings);
    store.Write("Rock FM", "http://example.invalid/rock");
    EXPECT_EQ(ReadRaw("Rock_FM"), "http://example.invalid/rock\r\n");
    EXPECT_EQ(store.ReadURL("Rock FM"), "http://example.invalid/rock");
    store.Write("Rock.FM", "http://example.invalid/other");  // same file
    EXPECT_EQ(store.ReadURL("Rock FM"), "http://example.invalid/other");
}

TEST_F(StationStoreTest, ReadsTheFirstLineUpToCarriageReturnOrCtrlZ) {
    TStationStore store(settings);
    WriteRaw("a", "one\ntwo\rthree");
    WriteRaw("b",
             "url\x1A"
             "rest\r\n");
    WriteRaw("c", "");
    WriteRaw("d", std::string(200000, 'x') + "\r\nnext");
    EXPECT_EQ(store.ReadURL("a"), "one\ntwo");
    EXPECT_EQ(store.ReadURL("b"), "url");
    EXPECT_EQ(store.ReadURL("c"), "");
    EXPECT_EQ(store.ReadURL("d"), std::string(200000, 'x'));
    EXPECT_EQ(store.ReadURL("missing"), std::nullopt);
}

// Names that map to a device are refused before any file is written, on every system
// alike; a name with what Windows refuses in a file name has a file of its own.
TEST_F(StationStoreTest, NamesOfDevicesAreRefusedFirstAndOtherNamesHaveTheirFile) {
    TStationStore store(settings);
    for (const char* name : {"NUL", "con", "Com1", "LPT9", "aux", "CONIN$"}) {
        try {
            store.Write(name, "http://x.invalid/");
            ADD_FAILURE() << name << " was written";
        } catch (const EInOutError& e) {
            EXPECT_EQ(e.ErrorCode(), 123) << name;
            EXPECT_EQ(e.Message(), "I/O error 123") << name;
        }
    }
    EXPECT_TRUE(platform().FindFilesA(settings).empty());
    for (const char* name : {"Ja:zz", "What? | Who \"me\"*", "<a>", "Console FM", "NUL FM"}) {
        store.Write(name, std::string("http://x.invalid/") + name);
        EXPECT_EQ(store.ReadURL(name), std::string("http://x.invalid/") + name);
    }
    EXPECT_EQ(ReadRaw("Ja_zz"), "http://x.invalid/Ja:zz\r\n");
    EXPECT_THROW(store.Write("", "http://x.invalid/"), EInOutError);
}

TEST_F(StationStoreTest, DeleteRemovesTheFileAndIgnoresAMissingOne) {
    TStationStore store(settings);
    store.Write("Pop", "u");
    store.Delete("Pop");
    EXPECT_FALSE(store.Exists("Pop"));
    store.Delete("Pop");
}

TEST_F(StationStoreTest, AMissingSettingsDirectoryIsAFileError) {
    TStationStore store(plat::JoinPath(dir(), "nowhere"));
    try {
        store.Write("Pop", "u");
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.ErrorCode(), 3);
        EXPECT_EQ(e.Message(), "Invalid filename");
    }
}

}  // namespace
