// The tray icon's tip: the station playing and, where the player publishes it, the
// title playing now; empty, as it always was, where the system cannot tell.
#include <gtest/gtest.h>

#include "app/radiotoolbar.h"
#include "app/radiowin.h"
#include "components/PGTray95.h"
#include "support/app_fixture.h"

namespace {

class NowPlaying : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        SeedStations({{"Jazz FM", "http://jazz.invalid/"}, {"News", "http://news.invalid/"}});
        WriteSettings("[MainForm]\r\nShowWinAtStartCB=0\r\n");
        Start();
        RadioForm->AboutShown = true;
        RadioForm->RealAudioLoc = "/usr/bin/mpv";
    }
    plat::DWORD Play(const std::string& station) {
        RadioForm->LaunchStation(station);
        return harness().processes.back().id;
    }
    void Publish(plat::DWORD player, const std::string& title) {
        harness().SetNowPlaying(player, title);
        harness().DispatchPosted();
    }
    // What the shell was last told, and what the component holds: the same.
    std::string Tip() {
        const auto& shell = harness().notifications;
        std::string told = shell.empty() ? "" : shell.back().data.szTip;
        EXPECT_EQ(told, RadioForm->PGTrayIcon951->Tip());
        return told;
    }
};

TEST_F(NowPlaying, WithoutTitlesTheTipStaysEmptyAsOnWindows) {
    const auto told = harness().notifications.size();
    Play("Jazz FM");
    RadioFloatWin->SpeedButton1->UserClick();
    EXPECT_EQ(Tip(), "");
    EXPECT_EQ(harness().notifications.size(), told) << "the shell was not bothered";
}

TEST_F(NowPlaying, TheTipFollowsTheStationAndTheTitleItsPlayerPublishes) {
    harness().publishesNowPlaying = true;
    const plat::DWORD jazz = Play("Jazz FM");
    EXPECT_EQ(Tip(), "Jazz FM");
    Publish(jazz, "Take Five\r\nDave Brubeck");
    EXPECT_EQ(Tip(), "Jazz FM - Take Five  Dave Brubeck");

    // A long title is cut to the tip's size, never in the middle of a character.
    Publish(jazz, std::string(45, 'x') + "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9");
    const std::string cut = Tip();
    EXPECT_EQ(cut.size(), kMaxTip - 1) << "the last character would not fit whole";
    EXPECT_TRUE(cut.ends_with("\xC3\xA9..."));

    // The next station's player takes over the tip; an older player's news is not it.
    const plat::DWORD news = Play("News");
    EXPECT_EQ(Tip(), "News");
    Publish(news, "Headlines");
    EXPECT_EQ(Tip(), "News - Headlines");

    RadioFloatWin->SpeedButton1->UserClick();
    EXPECT_EQ(Tip(), "");
    Publish(news, "After the stop");
    EXPECT_EQ(Tip(), "");
}

}  // namespace
