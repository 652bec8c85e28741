// Find Stations as a person meets it on the headless platform: the window from both
// of its entries, a search and its pages, Play, Add, Enter on a result, the servers
// tried one after the other, the directory out of reach, and Check Stations.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "app/findstations.h"
#include "app/radiotoolbar.h"
#include "app/radiowin.h"
#include "app/stationstore.h"
#include "gui/application.h"
#include "gui/fileutil.h"
#include "platform/paths.h"
#include "support/app_fixture.h"
#include "support/recorded_directory.h"

namespace {

using plat::HttpRequest;
using plat::HttpResponse;

HttpResponse Ok(const std::string& body) {
    HttpResponse r;
    r.status = 200;
    r.body = body;
    return r;
}

HttpResponse Failure(plat::DWORD error) {
    HttpResponse r;
    r.error = error;
    return r;
}

// The value of a parameter of the request's query or body, "" when absent.
std::string Param(const HttpRequest& r, const std::string& key) {
    const std::string text = r.method == "POST" ? r.body : r.url.substr(r.url.find('?') + 1);
    for (std::size_t at = 0; at <= text.size();) {
        std::size_t end = text.find('&', at);
        if (end == std::string::npos) end = text.size();
        const std::string pair = text.substr(at, end - at);
        if (pair.rfind(key + "=", 0) == 0) return pair.substr(key.size() + 1);
        at = end + 1;
    }
    return "";
}

class FindStations : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        harness().environment[kDirectoryVariable] = "http://dir.test";
        harness().onHttp = [this](const HttpRequest& r) { return Serve(r); };
    }

    // The tests' directory: the recorded stations, a page at a time; by id for checks.
    std::optional<HttpResponse> Serve(const HttpRequest& r) {
        if (r.url.find("/json/url/") != std::string::npos) return Ok(R"({"ok":true})");
        if (r.url.find("/json/stations/byuuid") != std::string::npos) return Ok(byUuid);
        return Ok(RecordedPage(std::stoi(Param(r, "offset")), std::stoi(Param(r, "limit"))));
    }

    void StartQuietly() {
        WriteSettings("[MainForm]\r\nShowWinAtStartCB=0\r\nRealAudioLoc=C:\\players\\mpv.exe\r\n");
        Start();
        RadioForm->AboutShown = true;
    }

    // Opens the window from the floating window's menu and acts in it as the user.
    void InWindow(const std::function<void(TFindStationsForm&)>& act) {
        harness().onModal = [&](plat::HWND modal) {
            auto* form = dynamic_cast<TFindStationsForm*>(FindControl(modal));
            ASSERT_NE(form, nullptr);
            act(*form);
        };
        RadioFloatWin->FindStations1->UserChoose();
    }

    void Search(TFindStationsForm& f, const std::string& name = "") {
        f.NameEdit->UserType(name);
        f.SearchButton->UserClick();
        harness().DispatchPosted();
    }

    void Choose(TFindStationsForm& f, int row) { f.ResultList->UserSelect(row); }

    std::vector<std::string> Names() { return RadioForm->StationLB->Items()->Items(); }
    std::string URL(const std::string& name) {
        return TStationStore(SettingsDir()).ReadURL(name).value_or("(none)");
    }
    std::string Ids() {
        std::string bytes;
        ReadWholeFile(plat::JoinPath(ProgramDir(), kDirectoryIdsFile), bytes);
        return bytes;
    }
    std::string LastMessage() {
        return harness().messageBoxes.empty() ? "" : harness().messageBoxes.back().text;
    }
    std::vector<std::string> Urls() {
        std::vector<std::string> urls;
        for (const auto& r : harness().httpRequests) urls.push_back(r.url);
        return urls;
    }

    std::string byUuid = "[]";
};

TEST_F(FindStations, ASearchShowsItsFirst50StationsAndMoreAddsTheRest) {
    StartQuietly();
    InWindow([&](TFindStationsForm& f) {
        EXPECT_FALSE(f.PlayButton->Enabled());
        EXPECT_FALSE(f.MoreButton->Enabled());
        Search(f, "Jazz");
        ASSERT_EQ(harness().httpRequests.size(), 1u);
        const HttpRequest& first = harness().httpRequests[0];
        EXPECT_EQ(first.userAgent, "Zelvora/1.0");
        EXPECT_EQ(Param(first, "name"), "Jazz");
        EXPECT_EQ(Param(first, "hidebroken"), "true");
        EXPECT_EQ(Param(first, "limit"), "50");
        EXPECT_EQ(Param(first, "order"), "votes");
        ASSERT_EQ(f.ResultList->Items()->Count(), 50);
        EXPECT_EQ(f.ResultList->Items()->Strings(0),
                  "Jazz \xC3\xA0 Paris\tFrance\tMP3\t128\tjazz smooth jazz\t4210");
        EXPECT_EQ(harness().Window(f.ResultList->Handle())->items.size(), 50u);
        EXPECT_EQ(f.StatusLabel->Caption(), "50 stations found; More finds the next ones.");
        EXPECT_TRUE(f.MoreButton->Enabled());

        f.MoreButton->UserClick();
        harness().DispatchPosted();
        EXPECT_EQ(Param(harness().httpRequests.back(), "offset"), "50");
        EXPECT_EQ(f.ResultList->Items()->Count(), 65);
        EXPECT_EQ(f.StatusLabel->Caption(), "65 stations found.");
        EXPECT_FALSE(f.MoreButton->Enabled()) << "a page that was not full was the last";
    });
}

TEST_F(FindStations, PlayAndEnterPlayTheResolvedAddressAndCountAClick) {
    StartQuietly();
    InWindow([&](TFindStationsForm& f) {
        Search(f);
        Choose(f, 0);
        EXPECT_TRUE(f.PlayButton->Enabled());
        f.PlayButton->UserClick();
        ASSERT_EQ(harness().winExecs.size(), 1u);
        EXPECT_EQ(harness().winExecs[0].arguments.back(), "http://tone.invalid/a.ogg");
        EXPECT_EQ(harness().httpRequests.back().url,
                  "http://dir.test/json/url/59065b21-3993-507e-bb25-4695c2a0f29e");

        Choose(f, 1);
        harness().SendMessageA(f.Handle(), plat::ZM_DEFAULT, 0,
                               static_cast<plat::LPARAM>(f.ResultList->Handle()));
        ASSERT_EQ(harness().winExecs.size(), 2u) << "Enter on a result plays it";
        EXPECT_EQ(harness().winExecs[1].arguments.back(), "http://tone.invalid/b.ogg");
        harness().SendMessageA(f.Handle(), plat::ZM_DEFAULT, 0,
                               static_cast<plat::LPARAM>(f.NameEdit->Handle()));
        EXPECT_EQ(harness().winExecs.size(), 2u) << "Enter elsewhere searches";
        EXPECT_EQ(harness().httpRequests.back().url.find("/json/stations/search"), 15u);
    });
    EXPECT_TRUE(Names().empty()) << "playing keeps nothing";
}

TEST_F(FindStations, AddKeepsTheStationAndItsIdByAddsRulesAndNeverTwice) {
    SeedStations({{"Mine", "http://tone.invalid/b.ogg"}});
    StartQuietly();
    InWindow([&](TFindStationsForm& f) {
        Search(f);
        Choose(f, 0);
        f.AddButton->UserClick();
        EXPECT_EQ(f.StatusLabel->Caption(), "\"Jazz \xC3\xA0 Paris\" was added to your stations.");
        f.AddButton->UserClick();
        EXPECT_EQ(LastMessage(),
                  "This station is already in your list, as \"Jazz \xC3\xA0 Paris\".");
        Choose(f, 1);  // Radio Café Swing plays what "Mine" plays
        f.AddButton->UserClick();
        EXPECT_EQ(LastMessage(), "This station is already in your list, as \"Mine\".");
    });
    EXPECT_EQ(Names(), (std::vector<std::string>{"Mine", "Jazz \xC3\xA0 Paris"}));
    EXPECT_EQ(URL("Jazz \xC3\xA0 Paris"), "http://tone.invalid/a.ogg");
    EXPECT_EQ(RadioFloatWin->StationCB->Items()->Items(), Names());
    EXPECT_NE(Ids().find("59065b21-3993-507e-bb25-4695c2a0f29e\tJazz \xC3\xA0 Paris\r\n"),
              std::string::npos);

    ASSERT_TRUE(Exit());
    Restart();
    EXPECT_EQ(Names().back(), "Jazz \xC3\xA0 Paris");
    EXPECT_EQ(RadioForm->DirectoryIds().IdOf("Jazz \xC3\xA0 Paris"),
              "59065b21-3993-507e-bb25-4695c2a0f29e");
}

TEST_F(FindStations, AFoundNameAlreadyListedIsSaidAndTheListStaysAsItWas) {
    SeedStations({{"JAZZ À PARIS", "http://elsewhere.invalid/"}});
    harness().systemCodePage = plat::CP_UTF8;
    StartQuietly();
    InWindow([&](TFindStationsForm& f) {
        Search(f);
        Choose(f, 0);
        f.AddButton->UserClick();
    });
    EXPECT_EQ(LastMessage(), "A station named \"Jazz \xC3\xA0 Paris\" is already in your list.");
    EXPECT_EQ(Names(), (std::vector<std::string>{"JAZZ À PARIS"}));
    EXPECT_EQ(Ids(), "");
}

TEST_F(FindStations, ServersFoundByDnsAreTriedInTurnAndLookedForAgainWhenAllFail) {
    harness().environment.clear();
    std::vector<plat::DnsRecord> srv = {{plat::DNS_TYPE_SRV, "one.test", 443},
                                        {plat::DNS_TYPE_SRV, "two.test", 443}};
    harness().onDns = [&](const std::string& name, plat::WORD type) {
        plat::DnsAnswer a;
        if (name == kDirectorySrvName && type == plat::DNS_TYPE_SRV) a.records = srv;
        return a;
    };
    bool oneDown = true, twoDown = false;
    harness().onHttp = [&](const HttpRequest& r) -> std::optional<HttpResponse> {
        if (r.url.rfind("https://one.test/", 0) == 0 && oneDown) return Failure(plat::NET_TIMEOUT);
        if (r.url.rfind("https://two.test/", 0) == 0 && twoDown) {
            HttpResponse e = Ok("busy");
            e.status = 503;
            return e;
        }
        return Serve(r);
    };
    StartQuietly();
    InWindow([&](TFindStationsForm& f) {
        RadioForm->Directory().Shuffle = [](std::vector<std::string>&) {};
        Search(f);
        EXPECT_EQ(harness().dnsQueries,
                  (std::vector<std::string>{"_api._tcp.radio-browser.info 33"}));
        EXPECT_EQ(f.ResultList->Items()->Count(), 50) << "the second server answered";
        Search(f);
        EXPECT_EQ(Urls().back().rfind("https://two.test/", 0), 0u) << "the one that works stays";

        twoDown = true;
        srv = {{plat::DNS_TYPE_SRV, "three.test", 443}};
        Search(f);
        EXPECT_EQ(harness().dnsQueries.size(), 2u)
            << "every server failed: they are looked for again";
        EXPECT_EQ(Urls().back().rfind("https://three.test/", 0), 0u);
        EXPECT_EQ(f.ResultList->Items()->Count(), 50);

        srv.clear();
        harness().onHttp = nullptr;  // the machine goes offline
        Search(f);
        EXPECT_EQ(f.StatusLabel->Caption(), "The station directory cannot be reached right now.");
        EXPECT_EQ(f.ResultList->Items()->Count(), 0);
        EXPECT_TRUE(f.SearchButton->Enabled()) << "the window stays usable";
    });
    EXPECT_EQ(harness().OpenNetworkCalls(), 0);
}

TEST_F(FindStations, WithoutSrvRecordsTheAddressesAreLookedUpInReverseForTheirNames) {
    harness().environment.clear();
    harness().onDns = [](const std::string& name, plat::WORD type) {
        plat::DnsAnswer a;
        if (name == kDirectoryHostsName && type == plat::DNS_TYPE_A)
            a.records = {{plat::DNS_TYPE_A, "192.0.2.7"}, {plat::DNS_TYPE_A, "192.0.2.8"}};
        if (name == kDirectoryHostsName && type == plat::DNS_TYPE_AAAA)
            a.records = {{plat::DNS_TYPE_AAAA, "2001:db8::7"}};
        if (name == "7.2.0.192.in-addr.arpa") a.records = {{plat::DNS_TYPE_PTR, "de1.api.test."}};
        if (name == "8.2.0.192.in-addr.arpa") a.status = 9003;  // no name: left out
        if (name.find("ip6.arpa") != std::string::npos)
            a.records = {{plat::DNS_TYPE_PTR, "de1.api.test"}};
        return a;
    };
    StartQuietly();
    InWindow([&](TFindStationsForm& f) {
        Search(f);
        EXPECT_EQ(RadioForm->Directory().Servers().Bases(),
                  (std::vector<std::string>{"https://de1.api.test"}));
        EXPECT_EQ(Urls().back().rfind("https://de1.api.test/json/stations/search?", 0), 0u);
    });
}

TEST_F(FindStations, TheSettingsFileNamesTheServerAndTheVariableWinsOverIt) {
    harness().environment.clear();
    WriteSettings(
        "[MainForm]\r\nShowWinAtStartCB=0\r\n[Directory]\r\nServer=http://mine.test/\r\n");
    Start();
    RadioForm->AboutShown = true;
    InWindow([&](TFindStationsForm& f) { Search(f); });
    EXPECT_EQ(Urls().back().rfind("http://mine.test/json/", 0), 0u);
    EXPECT_TRUE(harness().dnsQueries.empty()) << "a server of the user's replaces DNS";

    harness().environment[kDirectoryVariable] = "http://tests.test";
    Restart();
    RadioForm->AboutShown = true;
    InWindow([&](TFindStationsForm& f) { Search(f); });
    EXPECT_EQ(Urls().back().rfind("http://tests.test/json/", 0), 0u);
}

TEST_F(FindStations, AnAnswerThatCannotBeReadIsSaidSoAndTheListKeepsWhatItHad) {
    SeedStations({{"Mine", "http://mine.invalid/"}});
    harness().environment[kDirectoryVariable] = "http://a.test http://b.test";
    std::vector<std::string> bodies;
    harness().onHttp = [&](const HttpRequest& r) -> std::optional<HttpResponse> {
        if (r.url.rfind("http://a.test", 0) == 0) return Failure(plat::NET_TOO_LARGE);
        return Ok("[{\"stationuuid\": \"x\", \"name\": ");
    };
    StartQuietly();
    InWindow([&](TFindStationsForm& f) {
        Search(f);
        EXPECT_EQ(Urls().size(), 2u) << "the next server is tried before giving up";
        EXPECT_EQ(f.StatusLabel->Caption(), kDirectoryUnreadable);
        Search(f);
        EXPECT_EQ(Urls().size(), 4u) << "the user's servers are tried again from the first";
    });
    EXPECT_EQ(Names(), (std::vector<std::string>{"Mine"}));
}

TEST_F(FindStations, ClosingTheWindowDropsTheSearchStillOnItsWay) {
    harness().onHttp = [](const HttpRequest&) { return std::nullopt; };  // a slow server
    StartQuietly();
    InWindow([&](TFindStationsForm& f) {
        Search(f);
        EXPECT_EQ(f.StatusLabel->Caption(), "Searching the station directory...");
        EXPECT_EQ(harness().PendingHttp().size(), 1u);
    });
    EXPECT_TRUE(harness().PendingHttp().empty());
    EXPECT_EQ(harness().OpenNetworkCalls(), 0);
}

TEST_F(FindStations, CheckStationsOffersNewAddressesAndNamesBrokenAndRemovedOnes) {
    const auto recorded = nlohmann::json::parse(RecordedStations());
    auto uuid = [&](int i) { return recorded[i]["stationuuid"].get<std::string>(); };
    SeedStations({{"Cafe", "http://tone.invalid/b.ogg"},
                  {"Blue", "http://tone.invalid/a.ogg"},
                  {"Gone", "http://tone.invalid/gone.ogg"},
                  {"Typed", "http://typed.invalid/"},
                  {"Kept", "http://tone.invalid/kept.ogg"}});
    WriteText(plat::JoinPath(ProgramDir(), kDirectoryIdsFile),
              uuid(1) + "\tCafe\r\n" + uuid(5) + "\tBlue\r\n" + uuid(8) + "\tGone\r\n" + uuid(9) +
                  "\tKept\r\n");
    nlohmann::json answer = nlohmann::json::array();
    answer.push_back(recorded[1]);
    answer.back()["url_resolved"] = "http://tone.invalid/b-moved.ogg";
    answer.push_back(recorded[5]);
    answer.back()["lastcheckok"] = 0;
    answer.push_back(recorded[9]);
    answer.back()["url_resolved"] = "http://tone.invalid/kept-new.ogg";
    byUuid = answer.dump();
    harness().messageBoxAnswers = {plat::IDYES, plat::IDNO, plat::IDOK};
    StartQuietly();
    InWindow([&](TFindStationsForm& f) {
        f.CheckButton->UserClick();
        harness().DispatchPosted();
    });

    ASSERT_EQ(harness().httpRequests.size(), 1u);
    EXPECT_EQ(Param(harness().httpRequests[0], "uuids"),
              uuid(1) + "," + uuid(5) + "," + uuid(8) + "," + uuid(9))
        << "one request for every station from the directory, and only those";
    ASSERT_EQ(harness().messageBoxes.size(), 3u);
    EXPECT_EQ(harness().messageBoxes[0].text,
              "The station directory has a new address for \"Cafe\":\n"
              "http://tone.invalid/b-moved.ogg\n\nUse the new address?");
    EXPECT_EQ(harness().messageBoxes[0].type, plat::MB_YESNO | plat::MB_ICONQUESTION);
    EXPECT_EQ(harness().messageBoxes[2].text,
              "4 stations from the station directory checked.\n\n"
              "\"Blue\" is marked as broken in the station directory.\n"
              "\"Gone\" is no longer listed in the station directory.\n"
              "New address taken: 1 station.\n"
              "Old address kept: 1 station.\n");
    EXPECT_EQ(URL("Cafe"), "http://tone.invalid/b-moved.ogg");
    EXPECT_EQ(URL("Kept"), "http://tone.invalid/kept.ogg");
    EXPECT_EQ(URL("Blue"), "http://tone.invalid/a.ogg") << "a broken station is only said so";
    EXPECT_EQ(Names().size(), 5u);
}

TEST_F(FindStations, CheckStationsWithNothingFromTheDirectoryAsksNothing) {
    SeedStations({{"Typed", "http://typed.invalid/"}});
    StartQuietly();
    harness().onModal = [&](plat::HWND modal) {
        auto* f = dynamic_cast<TFindStationsForm*>(FindControl(modal));
        ASSERT_NE(f, nullptr);
        f->CheckButton->UserClick();
    };
    RadioForm->FindButton->UserClick();  // the configuration window's button, beside Add
    EXPECT_TRUE(harness().httpRequests.empty());
    EXPECT_EQ(LastMessage(),
              "None of your stations came from the station directory: there is nothing to check.");
}

}  // namespace
