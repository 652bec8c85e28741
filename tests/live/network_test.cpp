// The network calls of a real backend (WinHTTP and DnsQuery under Wine, Qt Network on
// Linux) against the tests' own station directory on 127.0.0.1: an answer, each way a
// server misbehaves, a server that is down, a request closed on its way, and the
// directory client trying the next server over them.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "app/directory_client.h"
#include "gui/hiddenwindow.h"
#include "live/test_directory.h"
#include "support/platform_fixture.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr plat::UINT kAnswered = plat::WM_USER + 77;

class LiveNetwork : public PlatformTest {
  protected:
    void SetUp() override {
        PlatformTest::SetUp();
        server = std::make_unique<TestDirectory>(dir());
        ASSERT_TRUE(server->Running()) << "the tests' directory did not start";
    }
    void TearDown() override {
        server.reset();
        PlatformTest::TearDown();
    }

    // Handles messages until the condition holds or the time is up.
    bool PumpUntil(const std::function<bool()>& done, int ms) {
        const auto end = Clock::now() + std::chrono::milliseconds(ms);
        while (!done() && Clock::now() < end) {
            platform().ProcessMessages();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return done();
    }

    plat::HttpResponse Exchange(const plat::HttpRequest& request, int ms = 20000) {
        plat::UINT got = 0;
        THiddenWindow window(plat::WindowKind::Utility, "TZelNetworkTest", [&](plat::Message& m) {
            if (m.msg == kAnswered) got = static_cast<plat::UINT>(m.wParam);
            return m.msg == kAnswered;
        });
        const plat::UINT id = platform().WinHttpSendRequest(request, window.Handle(), kAnswered);
        EXPECT_NE(id, 0u);
        plat::HttpResponse response;
        response.error = 99;
        if (PumpUntil([&] { return got == id; }, ms)) {
            EXPECT_TRUE(platform().WinHttpTakeResponse(id, &response));
        }
        return response;
    }

    static plat::HttpRequest Search(const std::string& base) {
        TStationQuery q;
        q.limit = 10;
        return SearchRequest(base, q);
    }

    std::unique_ptr<TestDirectory> server;
};

TEST_F(LiveNetwork, TheDirectoryAnswersASearchAndAPostAndHearsWhoAsked) {
    const plat::HttpResponse search = Exchange(Search(server->Base()));
    EXPECT_EQ(search.error, plat::NET_OK);
    EXPECT_EQ(search.status, 200);
    EXPECT_EQ(ParseStations(search.body).stations.size(), 10u);

    const plat::HttpResponse check =
        Exchange(StationsByUuidRequest(server->Base(), {"59065b21-3993-507e-bb25-4695c2a0f29e"}));
    const TStationList list = ParseStations(check.body);
    ASSERT_EQ(list.stations.size(), 1u);
    EXPECT_EQ(list.stations[0].name, "Jazz \xC3\xA0 Paris");
    const std::string log = server->Log();
    EXPECT_NE(log.find("\"agent\": \"Zelvora/1.0\""), std::string::npos) << log;
    EXPECT_NE(log.find("\"method\": \"POST\", \"path\": \"/json/stations/byuuid\""),
              std::string::npos)
        << log;
}

TEST_F(LiveNetwork, EachMisbehaviourEndsTheExchangeWithItsOwnAnswer) {
    struct Case {
        const char* mode;
        plat::DWORD error;
        int status;
    };
    const Case cases[] = {
        {"500", plat::NET_OK, 500},
        {"cut", plat::NET_FAILED, 200},
        {"huge", plat::NET_TOO_LARGE, 200},
        {"hugeclaim", plat::NET_TOO_LARGE, 200},
    };
    for (const auto& c : cases) {
        const plat::HttpResponse r = Exchange(Search(server->Base(c.mode)));
        EXPECT_EQ(r.error, c.error) << c.mode;
        EXPECT_EQ(r.status, c.status) << c.mode;
        if (r.error != plat::NET_OK) {
            EXPECT_TRUE(r.body.empty()) << c.mode;
        }
    }
    const plat::HttpResponse malformed = Exchange(Search(server->Base("malformed")));
    EXPECT_EQ(malformed.error, plat::NET_OK);
    EXPECT_EQ(ParseStations(malformed.body).trouble, TStationsTrouble::Malformed);

    plat::HttpRequest slow = Search(server->Base("slow"));
    slow.totalTimeoutMs = 1000;
    const auto started = Clock::now();
    EXPECT_EQ(Exchange(slow).error, plat::NET_TIMEOUT);
    EXPECT_LT(Clock::now() - started, std::chrono::milliseconds(3500)) << "the limit holds";

    const std::string down = "http://127.0.0.1:" + std::to_string(DeadPort());
    EXPECT_EQ(Exchange(Search(down)).error, plat::NET_CANNOT_CONNECT);
}

TEST_F(LiveNetwork, ARequestClosedOnItsWayTellsNothingMore) {
    int messages = 0;
    THiddenWindow window(plat::WindowKind::Utility, "TZelNetworkTest", [&](plat::Message& m) {
        messages += m.msg == kAnswered;
        return m.msg == kAnswered;
    });
    plat::HttpRequest slow = Search(server->Base("slow"));
    slow.totalTimeoutMs = 1500;  // where closing cannot break the wait (Wine), it ends soon
    const plat::UINT id = platform().WinHttpSendRequest(slow, window.Handle(), kAnswered);
    ASSERT_NE(id, 0u);
    PumpUntil([] { return false; }, 200);
    platform().WinHttpCloseRequest(id);
    PumpUntil([] { return false; }, 800);
    EXPECT_EQ(messages, 0);
    plat::HttpResponse response;
    EXPECT_FALSE(platform().WinHttpTakeResponse(id, &response));
}

TEST_F(LiveNetwork, ADnsQueryForANameThatDoesNotExistIsAnsweredWithAnError) {
    plat::UINT got = 0;
    THiddenWindow window(plat::WindowKind::Utility, "TZelNetworkTest", [&](plat::Message& m) {
        if (m.msg == kAnswered) got = static_cast<plat::UINT>(m.wParam);
        return m.msg == kAnswered;
    });
    const plat::UINT id = platform().DnsQueryA("_api._tcp.zelvora-test.invalid", plat::DNS_TYPE_SRV,
                                               window.Handle(), kAnswered);
    ASSERT_NE(id, 0u);
    ASSERT_TRUE(PumpUntil([&] { return got == id; }, 20000));
    plat::DnsAnswer answer;
    ASSERT_TRUE(platform().DnsTakeAnswer(id, &answer));
    EXPECT_NE(answer.status, 0u);
    EXPECT_TRUE(answer.records.empty());
}

TEST_F(LiveNetwork, TheClientTriesTheNextServerWhenOneIsDown) {
    const std::string down = "http://127.0.0.1:" + std::to_string(DeadPort());
    TDirectoryClient client({down, server->Base("500"), server->Base()});
    bool answered = false;
    TDirectoryAnswer got;
    TStationQuery q;
    client.Search(q, [&](const TDirectoryAnswer& a) {
        answered = true;
        got = a;
    });
    ASSERT_TRUE(PumpUntil([&] { return answered; }, 30000));
    EXPECT_EQ(got.failure, TDirectoryFailure::None);
    EXPECT_EQ(got.list.stations.size(), 50u);
    EXPECT_EQ(client.Servers().Current(), server->Base());
}

}  // namespace
