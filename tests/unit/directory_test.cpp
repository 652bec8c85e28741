// The station directory client's pieces that need no window: the requests it makes,
// the reading of the directory's answers, where it finds its servers, the ids file,
// and what becomes of a found station.
#include <gtest/gtest.h>

#include "app/directory_ids.h"
#include "app/directory_request.h"
#include "app/directory_servers.h"
#include "app/directory_stations.h"
#include "app/foundstations.h"
#include "gui/exceptions.h"
#include "gui/fileutil.h"
#include "platform/paths.h"
#include "support/gui_fixture.h"
#include "support/recorded_directory.h"

namespace {

using Directory = GuiTest;

std::string Header(const plat::HttpRequest& r, const std::string& name) {
    for (const auto& [k, v] : r.headers)
        if (k == name) return v;
    return "(none)";
}

TEST_F(Directory, SearchesSayWhoAsksAndAskForAPageOfWorkingStationsInAnOrder) {
    TStationQuery q;
    q.name = "Jazz à Paris";
    q.tag = "jazz";
    q.codec = "AAC+";
    q.order = TStationOrder::Clicks;
    q.offset = 50;
    const plat::HttpRequest r = SearchRequest("https://de1.example", q);
    EXPECT_EQ(r.method, "GET");
    EXPECT_EQ(r.url,
              "https://de1.example/json/stations/search?name=Jazz%20%C3%A0%20Paris&tag=jazz&"
              "codec=AAC%2B&order=clickcount&reverse=true&hidebroken=true&offset=50&limit=50");
    EXPECT_EQ(r.userAgent, "Zelvora/1.0") << "the version of res/zelvora.rc";
    EXPECT_EQ(r.connectTimeoutMs, 10000u);
    EXPECT_EQ(r.totalTimeoutMs, 15000u);
    EXPECT_EQ(r.maxBodyBytes, kMaxDirectoryAnswer);

    const std::pair<TStationOrder, const char*> orders[] = {
        {TStationOrder::Votes, "order=votes&reverse=true"},
        {TStationOrder::Trend, "order=clicktrend&reverse=true"},
        {TStationOrder::Name, "order=name&reverse=false"},
        {TStationOrder::Bitrate, "order=bitrate&reverse=true"}};
    for (const auto& [order, text] : orders) {
        q = TStationQuery{};
        q.order = order;
        EXPECT_NE(SearchRequest("http://h", q).url.find(text), std::string::npos) << text;
    }
}

TEST_F(Directory, ChecksPostTheIdsAndAskForBrokenStationsTooAndPlaysCountAClick) {
    const plat::HttpRequest check = StationsByUuidRequest("http://h:8/p", {"a-1", "b-2"});
    EXPECT_EQ(check.method, "POST");
    EXPECT_EQ(check.url, "http://h:8/p/json/stations/byuuid");
    EXPECT_EQ(check.body, "uuids=a-1,b-2&hidebroken=false&limit=2");
    EXPECT_EQ(Header(check, "Content-Type"), "application/x-www-form-urlencoded");
    const plat::HttpRequest click = ClickRequest("http://h", "a-1");
    EXPECT_EQ(click.url, "http://h/json/url/a-1");
    EXPECT_EQ(click.userAgent, "Zelvora/1.0");
}

// ---- Reading answers ------------------------------------------------------------------

struct ParseCase {
    const char* what;
    std::string json;
    std::size_t stations;
    int skipped;
    TStationsTrouble trouble;
};

std::string Station(const std::string& fields) {
    return R"({"stationuuid":"u-1","name":"One","url":"http://one/",)" + fields + "}";
}

TEST_F(Directory, AnAnswerIsReadStationByStationAndOnlyAWholeBadAnswerIsRefused) {
    const std::string deep = std::string(100000, '[') + std::string(100000, ']');
    const ParseCase cases[] = {
        {"the recorded answer", RecordedStations(), 65, 0, TStationsTrouble::None},
        {"an empty list", "[]", 0, 0, TStationsTrouble::None},
        {"numbers as strings", "[" + Station(R"("bitrate":" 128 ","votes":"7")") + "]", 1, 0,
         TStationsTrouble::None},
        {"nulls count as missing", "[" + Station(R"("country":null,"bitrate":null)") + "]", 1, 0,
         TStationsTrouble::None},
        {"unknown fields of any shape", "[" + Station(R"("geo":{"a":[1,{"b":2}]},"x":[])") + "]", 1,
         0, TStationsTrouble::None},
        {"a wrong type skips its station only",
         "[" + Station(R"("bitrate":{"k":1})") + "," + Station(R"("name2":1)") + "," +
             Station(R"("votes":"many")") + "," + Station(R"("tags":["a"])") + "]",
         1, 3, TStationsTrouble::None},
        {"a name that is a number", R"([{"stationuuid":"u","name":42,"url":"http://x/"}])", 0, 1,
         TStationsTrouble::None},
        {"no id or no address", R"([{"name":"a","url":"http://x/"},{"stationuuid":"u"}])", 0, 2,
         TStationsTrouble::None},
        {"entries that are no stations", R"([1,"two",[3],null,true])", 0, 5,
         TStationsTrouble::None},
        {"a control character in an address",
         "[" + Station(R"("url_resolved":"http://a/\nb")") + "]", 0, 1, TStationsTrouble::None},
        {"an address no player should open as a station",
         "[" + Station(R"("url_resolved":"v4l2:///dev/video0")") + "]", 0, 1,
         TStationsTrouble::None},
        {"a text too long", "[" + Station("\"tags\":\"" + std::string(5000, 't') + "\"") + "]", 0,
         1, TStationsTrouble::None},
        {"an object", R"({"stations":[]})", 0, 0, TStationsTrouble::NotAList},
        {"a number", "42", 0, 0, TStationsTrouble::NotAList},
        {"cut off", "[" + Station("\"bitrate\":12"), 0, 0, TStationsTrouble::Malformed},
        {"not JSON", "<html>502 Bad Gateway</html>", 0, 0, TStationsTrouble::Malformed},
        {"nothing", "", 0, 0, TStationsTrouble::Malformed},
        {"nested without end", deep, 0, 0, TStationsTrouble::Malformed},
        {"over 8 MB", "[" + std::string(kMaxDirectoryAnswer, ' ') + "]", 0, 0,
         TStationsTrouble::TooLarge},
    };
    for (const auto& c : cases) {
        const TStationList list = ParseStations(c.json);
        EXPECT_EQ(list.stations.size(), c.stations) << c.what;
        EXPECT_EQ(list.skipped, c.skipped) << c.what;
        EXPECT_EQ(list.trouble, c.trouble) << c.what;
    }
}

TEST_F(Directory, AStationKeepsItsFieldsAndPlaysTheResolvedAddressInAscii) {
    const TStationList list = ParseStations(RecordedStations());
    ASSERT_GE(list.stations.size(), 4u);
    const TFoundStation& first = list.stations[0];
    EXPECT_EQ(first.uuid, "59065b21-3993-507e-bb25-4695c2a0f29e");
    EXPECT_EQ(first.name, "Jazz \xC3\xA0 Paris");
    EXPECT_EQ(first.PlayAddress(), "http://tone.invalid/a.ogg") << "url_resolved before url";
    EXPECT_EQ(first.country, "France");
    EXPECT_EQ(first.bitrate, 128);
    EXPECT_EQ(first.votes, 4210);
    EXPECT_EQ(list.stations[3].votes, 880) << "a number that came as a string";
    EXPECT_FALSE(list.stations[4].lastCheckOk);
    EXPECT_EQ(list.stations[4].PlayAddress(), "http://tone.invalid/broken") << "no url_resolved";

    const TStationList odd = ParseStations(
        "[" + Station(R"("url_resolved":"http://caf\u00e9.example/a b","lastcheckok":"0")") + "]");
    ASSERT_EQ(odd.stations.size(), 1u);
    EXPECT_EQ(odd.stations[0].PlayAddress(), "http://caf%C3%A9.example/a%20b");
    EXPECT_FALSE(odd.stations[0].lastCheckOk);
}

// ---- Where the servers are ------------------------------------------------------------------

TEST_F(Directory, ServersComeFromTheSettingOrFromDnsAndTheNextIsUsedWhenOneFails) {
    EXPECT_EQ(BasesFromSetting(" http://127.0.0.1:8000/ ftp://x https://a.example//  nonsense"),
              (std::vector<std::string>{"http://127.0.0.1:8000", "https://a.example"}));
    EXPECT_TRUE(BasesFromSetting("http:// https:///").empty());

    const std::vector<plat::DnsRecord> srv = {{plat::DNS_TYPE_SRV, "de1.api.example.", 443},
                                              {plat::DNS_TYPE_SRV, "nl1.api.example", 8443},
                                              {plat::DNS_TYPE_A, "192.0.2.1"},
                                              {plat::DNS_TYPE_SRV, "de1.api.example", 443}};
    EXPECT_EQ(BasesFromSrv(srv), (std::vector<std::string>{"https://de1.api.example",
                                                           "https://nl1.api.example:8443"}));

    TServerList list;
    list.Set({"a", "b"});
    list.Failed("b");
    EXPECT_EQ(list.Current(), "a") << "a failure of one no longer in use moves nothing";
    list.Failed("a");
    EXPECT_EQ(list.Current(), "b");
    list.Failed("b");
    EXPECT_TRUE(list.Exhausted());
    list.Rewind();
    EXPECT_EQ(list.Current(), "a");
}

TEST_F(Directory, AddressesAreLookedUpInReverseUnderTheirArpaNames) {
    const std::pair<const char*, const char*> cases[] = {
        {"192.0.2.10", "10.2.0.192.in-addr.arpa"},
        {"2001:db8::1", "1.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.8.b.d.0.1.0.0.2.ip6.arpa"},
        {"::1", "1.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.ip6.arpa"},
        {"256.1.1.1", ""},
        {"1.2.3", ""},
        {"2001:db8::1::2", ""},
        {"g::1", ""},
        {"de1.api.example", ""},
    };
    for (const auto& [address, name] : cases)
        EXPECT_EQ(ReverseLookupName(address), name) << address;
}

// ---- The ids file ---------------------------------------------------------------------------

TEST_F(Directory, TheIdsFileKeepsTheIdsOfListedStationsAndLeavesBadLinesOut) {
    const std::string path = plat::JoinPath(dir(), kDirectoryIdsFile);
    ASSERT_EQ(WriteFileReplacing(path,
                                 "# ours\r\nabc-1\tJazz FM\r\nno tab here\r\nb@d\tX\r\n"
                                 "\tNo Id\r\ndef-2\tRock\n"),
              0u);
    TDirectoryIds ids(path);
    ids.Load();
    EXPECT_EQ(ids.IdOf("jazz fm"), "abc-1") << "names compare as station names do";
    EXPECT_EQ(ids.IdOf("Rock"), "def-2");
    EXPECT_EQ(ids.Entries().size(), 2u);
    ids.Set("Pop", "ghi-3");
    ids.Set("Two\nLines", "jkl-4");
    ids.Save({"Pop", "Jazz FM"});

    TDirectoryIds again(path);
    again.Load();
    EXPECT_EQ(again.Entries(), (std::vector<std::pair<std::string, std::string>>{
                                   {"Jazz FM", "abc-1"}, {"Pop", "ghi-3"}}))
        << "a station no longer listed loses its id";
    again.Save({});
    EXPECT_FALSE(FileExists(path)) << "no ids, no file";
}

TEST_F(Directory, AnIdsFileThatCannotBeReadIsReportedAndNotWrittenOver) {
    const std::string path = plat::JoinPath(dir(), kDirectoryIdsFile);
    ASSERT_EQ(WriteFileReplacing(path, "abc-1\tJazz\r\n"), 0u);
    harness().FailNext("ReadFile", plat::ERROR_ACCESS_DENIED);
    TDirectoryIds ids(path);
    EXPECT_THROW(ids.Load(), EInOutError);
    std::string bytes;
    ReadWholeFile(path, bytes);
    EXPECT_EQ(bytes, "abc-1\tJazz\r\n");
}

// ---- A found station in the program -----------------------------------------------------------

TEST_F(Directory, AFoundStationsNameIsMadeOneAStationFileCanHold) {
    const std::pair<std::string, std::string> cases[] = {
        {"  Jazz \t\n FM  ", "Jazz FM"},
        {"Rock: 24/7 <live>?", "Rock- 24/7 -live--"},
        {"", "Station"},
        {"\x01\x02", "Station"},
        {"NUL", "NUL Radio"},
        {std::string(200, 'a'), std::string(kMaxFoundName, 'a')},
        {std::string(79, 'a') + "\xC3\xA9", std::string(79, 'a')},
    };
    for (const auto& [from, to] : cases) EXPECT_EQ(AcceptableStationName(from), to) << from;

    TFoundStation s;
    s.name = "Caf\xC3\xA9\tOne";
    s.country = "France";
    s.codec = "MP3";
    s.bitrate = 128;
    s.tags = "jazz,swing";
    s.votes = 7;
    EXPECT_EQ(ResultRow(s), "Caf\xC3\xA9 One\tFrance\tMP3\t128\tjazz swing\t7");
}

TEST_F(Directory, ACheckTellsMovedBrokenAndRemovedStationsFromTheOthers) {
    TStationList answer = ParseStations(
        R"([{"stationuuid":"same","url":"http://a/","url_resolved":"http://a/r"},
            {"stationuuid":"moved","url":"http://b/","url_resolved":"http://b/new"},
            {"stationuuid":"broken","url":"http://c/","lastcheckok":0}])");
    const std::vector<TKeptStation> kept = {{"Same", "same", "http://a/r"},
                                            {"Entered", "same", "http://a/"},
                                            {"Moved", "moved", "http://b/old"},
                                            {"Broken", "broken", "http://c/"},
                                            {"Gone", "gone", "http://d/"}};
    const auto findings = CheckAgainst(kept, answer);
    ASSERT_EQ(findings.size(), 5u);
    EXPECT_EQ(findings[0].result, TCheckResult::Same);
    EXPECT_EQ(findings[1].result, TCheckResult::Same) << "the address as entered counts too";
    EXPECT_EQ(findings[2].result, TCheckResult::Moved);
    EXPECT_EQ(findings[2].newAddress, "http://b/new");
    EXPECT_EQ(findings[3].result, TCheckResult::Broken);
    EXPECT_EQ(findings[4].result, TCheckResult::Gone);
}

}  // namespace
