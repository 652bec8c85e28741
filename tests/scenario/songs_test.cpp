// What plays now as a person meets it: the title from mpv's channel and from the
// players' captions in the tip, the balloon, copying the title and the sleep timer.
#include <gtest/gtest.h>

#include "app/players.h"
#include "app/radiotoolbar.h"
#include "app/radiowin.h"
#include "components/PGTray95.h"
#include "support/app_fixture.h"

namespace {

const std::string kMpv = "C:\\mpv\\mpv.exe";

class Songs : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        SeedStations({{"Jazz", "http://jazz.invalid/"}, {"News", "http://news.invalid/"}});
        WriteSettings("[MainForm]\r\nShowWinAtStartCB=0\r\n");
        Start();
        RadioForm->AboutShown = true;
        UsePlayer(kMpv);
    }
    void UsePlayer(const std::string& location) {
        RadioForm->RealAudioLoc = location;
        harness().programs[location].mpvChannel = PlayerKindOf(location).mpvChannel;
    }
    plat::DWORD Play(const std::string& station) {
        RadioForm->LaunchStation(station);
        return harness().processes.back().id;
    }
    // The player tells a property's new value on its channel.
    void Tell(plat::DWORD player, const std::string& name, const std::string& data) {
        harness().TellOnChannel(
            harness().ChannelOf(player),
            R"({"event":"property-change","id":1,"name":")" + name + R"(","data":)" + data + "}");
        harness().DispatchPosted();
    }
    void Title(plat::DWORD player, const std::string& title) {
        Tell(player, "media-title", "\"" + title + "\"");
    }
    std::string Tip() { return RadioForm->PGTrayIcon951->Tip(); }
    std::vector<std::string> Balloons() {
        std::vector<std::string> shown;
        for (const auto& call : harness().notifications)
            if (call.data.uFlags & plat::NIF_INFO)
                shown.push_back(std::string(call.data.szInfoTitle) + ": " + call.data.szInfo);
        return shown;
    }
    void Seconds(int n) { harness().Advance(n * 1000); }
};

TEST_F(Songs, MpvTellsItsTitleOnItsChannelAndQuitsOnItWhenStopped) {
    const plat::DWORD jazz = Play("Jazz");
    const auto& channel = harness().playerChannels.at(harness().ChannelOf(jazz));
    EXPECT_EQ(Tip(), "") << "nothing told yet";
    Seconds(1);
    EXPECT_NE(channel.written.find(R"({"command":["observe_property",1,"media-title"]})"),
              std::string::npos);
    EXPECT_NE(channel.written.find(R"("metadata/by-key/icy-title"])"), std::string::npos);

    Title(jazz, "jazz.ogg");
    EXPECT_EQ(Tip(), "Jazz - jazz.ogg");
    // The stream's own title wins over the file's; without it the file's comes back.
    Tell(jazz, "metadata/by-key/icy-title", "\"Take Five\"");
    EXPECT_EQ(Tip(), "Jazz - Take Five");
    Tell(jazz, "metadata/by-key/icy-title", "null");
    EXPECT_EQ(Tip(), "Jazz - jazz.ogg");

    RadioFloatWin->SpeedButton1->UserClick();
    EXPECT_NE(channel.written.find(R"({"command":["quit"]})"), std::string::npos);
    EXPECT_FALSE(harness().Process(jazz)->running);
    EXPECT_EQ(harness().Process(jazz)->closeRequests, 0) << "asked on its channel only";
    EXPECT_EQ(Tip(), "");
}

// mpv's MPRIS plug-in says "Stopped" until the stream opens; its channel may be open
// by then with nothing told yet. That is no stop: the player stays the program's.
TEST_F(Songs, AnMpvSaidStoppedBeforeItsChannelTellsIsStillThePlayer) {
    const plat::DWORD jazz = Play("Jazz");
    harness().playbackStatus[jazz] = "Stopped";
    Seconds(kQuickEndPolls + 2);
    const auto& channel = harness().playerChannels.at(harness().ChannelOf(jazz));
    RadioFloatWin->SpeedButton1->UserClick();
    EXPECT_NE(channel.written.find(R"({"command":["quit"]})"), std::string::npos);
    EXPECT_FALSE(harness().Process(jazz)->running);
}

TEST_F(Songs, WhatAPlayerSendsCannotHurt) {
    const plat::DWORD jazz = Play("Jazz");
    Seconds(1);
    const std::string address = harness().ChannelOf(jazz);
    Title(jazz, "Before");
    for (const std::string& line :
         {std::string("not json"), std::string("[1,2]"), std::string(R"({"event":7})"),
          std::string(R"({"event":"property-change","name":"media-title","data":{"a":1}})"),
          std::string(R"({"event":"property-change","name":"media-title","data":"\xff"})"),
          std::string(kMaxMpvLine + 10, 'x')})
        harness().TellOnChannel(address, line);
    harness().DispatchPosted();
    EXPECT_EQ(Tip(), "Jazz - Before") << "nothing taken from bad lines";
    // A line longer than any title is skipped whole, even when it arrives in parts.
    harness().TellOnChannel(
        address, std::string(kMaxMpvLine, ' ') +
                     R"({"event":"property-change","name":"media-title","data":"Long"})");
    Title(jazz, R"(A\nB\u0007 <b>C</b>)");
    EXPECT_EQ(Tip(), "Jazz - A B  <b>C</b>") << "on one line, markup as text";
}

TEST_F(Songs, CaptionsOfTheTablesPlayers) {
    struct Case {
        const char* player;
        const char* caption;
        std::optional<std::string> title;
    };
    const Case cases[] = {
        {"vlc.exe", "Take Five - VLC media player", "Take Five"},
        {"vlc.exe", "VLC media player", ""},
        {"vlc.exe", "Some other window", std::nullopt},
        {"foobar2000.exe", "Dave Brubeck - Take Five  [foobar2000]", "Dave Brubeck - Take Five"},
        {"foobar2000.exe", "Take Five [foobar2000 v1.1.11]", "Take Five"},
        {"foobar2000.exe", "foobar2000 v2.1", ""},
        {"winamp.exe", "12. Dave Brubeck - Take Five - Winamp", "Dave Brubeck - Take Five"},
        {"winamp.exe", "3. Take Five - Winamp [Stopped]", "Take Five"},
        {"winamp.exe", "Winamp 5.9", ""},
        {"mpc-hc64.exe", "Take Five", "Take Five"},
        {"mpc-hc64.exe", "MPC-HC", ""},
        {"mpc-be64.exe", "MPC-BE x64", ""},
        {"aimp.exe", "AIMP", ""},
        {"mpv.exe", "Take Five - mpv", "Take Five"},
        {"mpv.exe", "No file - mpv", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.player) + ": " + c.caption);
        EXPECT_EQ(TitleFromCaption(PlayerKindOf(c.player).caption, c.caption), c.title);
    }
    EXPECT_EQ(TitleFromCaption("%t - VLC media player", std::string(100000, 'x')), std::nullopt);

    // The caption of the player Zelvora started reaches the tip; a player that shows
    // its idle caption after a title has been stopped from its own window.
    UsePlayer("C:\\VLC\\vlc.exe");
    const plat::DWORD vlc = Play("News");
    auto& window = harness().processes.back().windows.at(0);
    window.title = "Headlines - VLC media player";
    Seconds(1);
    EXPECT_EQ(Tip(), "News - Headlines");
    window.title = "VLC media player";
    Seconds(1);
    EXPECT_EQ(Tip(), "") << "stopped from its own window";
    EXPECT_TRUE(harness().Process(vlc)->running);
}

TEST_F(Songs, TheTipDropsAPlayerThatEndedOrStoppedByItselfWithinTwoSeconds) {
    UsePlayer("/usr/bin/vlc");
    harness().publishesNowPlaying = true;
    const plat::DWORD first = Play("Jazz");
    harness().SetNowPlaying(first, "Take Five");
    // Said stopped while it opens the stream: that is no stop.
    harness().playbackStatus[first] = "Stopped";
    Seconds(kQuickEndPolls + 1);
    harness().playbackStatus[first] = "Playing";
    Seconds(1);
    EXPECT_EQ(Tip(), "Jazz - Take Five");
    harness().playbackStatus[first] = "Stopped";  // playerctl stop: it runs on
    Seconds(2);
    EXPECT_EQ(Tip(), "");

    UsePlayer("/usr/bin/cvlc");
    const plat::DWORD second = Play("News");
    harness().SetNowPlaying(second, "Headlines");
    Seconds(kQuickEndPolls + 1);
    EXPECT_EQ(Tip(), "News - Headlines");
    harness().processes.back().running = false;  // killed
    Seconds(2);
    EXPECT_EQ(Tip(), "");
    harness().SetNowPlaying(second, "After the end");
    harness().DispatchPosted();
    EXPECT_EQ(Tip(), "");
}

TEST_F(Songs, NotificationsAreKeptAndComeAtMostOncePerFiveSecondsPerStation) {
    const plat::DWORD jazz = Play("Jazz");
    Seconds(1);
    Title(jazz, "One");
    EXPECT_TRUE(Balloons().empty()) << "off by default";
    EXPECT_FALSE(RadioForm->SongNotifications1->Checked());

    harness().popupChoices = {"Song Notifications"};
    RadioForm->TrayMenu->Popup(0, 0);
    EXPECT_TRUE(RadioForm->SongNotifications1->Checked());
    EXPECT_TRUE(RadioFloatWin->SongNotifications2->Checked());
    EXPECT_NE(ReadText(SettingsFile()).find("SongNotifications=1"), std::string::npos);
    Title(jazz, "Two");
    Title(jazz, "Three");  // too soon: told when the wait is over, as it is then
    Title(jazz, "Four");
    EXPECT_EQ(Balloons(), std::vector<std::string>{"Jazz: Two"});
    Seconds(kSongNewsPolls);
    EXPECT_EQ(Balloons(), (std::vector<std::string>{"Jazz: Two", "Jazz: Four"}));
    const auto& last = harness().notifications.back().data;
    EXPECT_EQ(last.dwInfoFlags, plat::NIIF_INFO | plat::NIIF_NOSOUND);
    EXPECT_EQ(RadioForm->PGTrayIcon951->LastBalloon().text, "Four");

    // Another station has a wait of its own.
    const plat::DWORD news = Play("News");
    Seconds(1);
    Title(news, "Headlines");
    EXPECT_EQ(Balloons().back(), "News: Headlines");

    RadioFloatWin->SongNotifications2->UserChoose();
    Restart();
    EXPECT_FALSE(RadioForm->SongNotifications()) << "the choice outlived the session";
}

TEST_F(Songs, CopySongTitleIsThereOnlyWithATitle) {
    auto choose = [&] {
        harness().popupChoices = {"Copy Song Title"};
        RadioForm->TrayMenu->Popup(0, 0);
        return harness().popups.back().items.at(3).enabled;
    };
    EXPECT_FALSE(choose());
    EXPECT_EQ(harness().clipboard, "");
    const plat::DWORD jazz = Play("Jazz");
    Seconds(1);
    Title(jazz, "  Take Five\\t");
    EXPECT_TRUE(RadioFloatWin->CopySongTitle2->Enabled());
    EXPECT_TRUE(choose());
    EXPECT_EQ(harness().clipboard, "Take Five");
    RadioFloatWin->SpeedButton1->UserClick();
    EXPECT_FALSE(RadioFloatWin->CopySongTitle2->Enabled());
}

TEST_F(Songs, TheSleepTimerCountsDownInTheTipAndStops) {
    const plat::DWORD jazz = Play("Jazz");
    Seconds(1);
    Title(jazz, "Take Five");
    harness().popupChoices = {"15 Minutes"};
    RadioForm->TrayMenu->Popup(0, 0);
    EXPECT_EQ(Tip(), "Jazz - Take Five\nsleep in 15 min");
    harness().Advance(60000);
    EXPECT_EQ(Tip(), "Jazz - Take Five\nsleep in 14 min");
    EXPECT_EQ(RadioForm->Sleep1->Caption(), "Sleep (14 min)");

    // Another station does not end it; the timer then stops it.
    const plat::DWORD news = Play("News");
    EXPECT_FALSE(harness().Process(jazz)->running);
    harness().Advance(14 * 60000);
    EXPECT_FALSE(harness().Process(news)->running);
    EXPECT_EQ(Tip(), "Zelvora - stopped by the sleep timer");
    EXPECT_TRUE(RadioFloatWin->Sleep2->Items(0)->Checked()) << "back to Off";

    // Off ends a timer that runs; nothing plays meanwhile and the tip says so.
    RadioForm->SetSleepTimer(30);
    EXPECT_EQ(Tip(), "Zelvora - sleep in 30 min");
    RadioForm->SetSleepTimer(0);
    harness().Advance(31 * 60000);
    EXPECT_EQ(Tip(), "");
}

}  // namespace
