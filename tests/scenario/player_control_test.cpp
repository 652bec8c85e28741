// Today's players from the floating window: one station at a time, Stop and the
// player's window entry reaching the player Zelvora played with, and nothing else.
#include <gtest/gtest.h>

#include "app/radiotoolbar.h"
#include "app/radiowin.h"
#include "components/PGTray95.h"
#include "support/app_fixture.h"

namespace {

using plat::headless::ProcessRecord;
using plat::headless::ProcessWindow;

class PlayerControl : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        SeedStations({{"Jazz", "http://jazz.invalid/"}, {"News", "http://news.invalid/"}});
        WriteSettings("[MainForm]\r\nShowWinAtStartCB=0\r\n");
        Start();
        RadioForm->AboutShown = true;
    }
    void UsePlayer(const std::string& location, bool handsOver = false) {
        RadioForm->RealAudioLoc = location;
        harness().programs[location].handsOver = handsOver;
    }
    void Play(int station) {
        RadioFloatWin->StationCB->UserSelect(station);
        RadioFloatWin->SpeedButton3->UserClick();
    }
    void Stop() { RadioFloatWin->SpeedButton1->UserClick(); }
    void Raise() { RadioFloatWin->OpenRealAudioWindow1->UserChoose(); }
    const ProcessRecord& Proc(plat::DWORD id) { return *harness().Process(id); }
    const ProcessRecord& Started(size_t n) {
        return harness().processes.at(harness().processes.size() - n - 1);
    }
    std::string Tip() { return RadioForm->PGTrayIcon951->Tip(); }
    std::vector<std::string> Lines() {
        std::vector<std::string> lines;
        for (const auto& call : harness().winExecs) lines.push_back(call.commandLine);
        return lines;
    }
};

TEST_F(PlayerControl, ASingleInstancePlayerTakesTheNextStationAndItsRunningCopyIsThePlayer) {
    const std::string foobar = "C:\\foobar2000\\foobar2000.exe";
    UsePlayer(foobar, true);
    // The person's own copy is already running; it is not Zelvora's to close yet.
    const plat::DWORD copy = harness().AddProcess(foobar);
    Stop();
    EXPECT_EQ(Proc(copy).closeRequests, 0);

    Play(0);
    Play(1);
    EXPECT_EQ(Lines(), (std::vector<std::string>{foobar + " http://jazz.invalid/",
                                                 foobar + " http://news.invalid/"}));
    EXPECT_EQ(Proc(copy).commandLines.size(), 2u) << "both addresses went to the running copy";
    EXPECT_EQ(Proc(copy).closeRequests, 0) << "a copy that takes the address is not closed";
    EXPECT_FALSE(Started(0).running);

    harness().processes[0].windows[0].minimized = true;
    Raise();
    EXPECT_EQ(Proc(copy).raises, 1);
    EXPECT_FALSE(Proc(copy).windows[0].minimized);
    EXPECT_EQ(Lines().size(), 2u) << "raising started a second copy";
    Stop();
    EXPECT_EQ(Proc(copy).closeRequests, 1);
    EXPECT_FALSE(Proc(copy).running);
}

TEST_F(PlayerControl, APlayerThatWouldStartASecondCopyIsClosedFirstOrGetsItsSwitch) {
    UsePlayer("C:\\mpv\\mpv.exe");
    Play(0);
    const plat::DWORD first = Started(0).id;
    Play(1);
    EXPECT_EQ(Proc(first).closeRequests, 1);
    EXPECT_FALSE(Proc(first).running);
    EXPECT_TRUE(Started(0).running);
    // mpv opens its control channel where it is told, and reconnects a dropped stream.
    EXPECT_EQ(Lines().back(),
              "C:\\mpv\\mpv.exe --force-window=yes --stream-lavf-o=reconnect=1,"
              "reconnect_at_eof=1,reconnect_streamed=1,reconnect_delay_max=5 "
              "--input-ipc-server=\\\\.\\pipe\\zelvora-mpv-2 -- http://news.invalid/");

    // Changing the player replaces what plays as well; VLC takes its switch instead.
    UsePlayer("D:\\VideoLAN\\VLC\\VLC.EXE", true);
    Play(0);
    EXPECT_EQ(Started(1).closeRequests, 1) << "the mpv still playing";
    Play(1);
    EXPECT_EQ(Lines().back(),
              "D:\\VideoLAN\\VLC\\VLC.EXE --one-instance --http-reconnect -- http://news.invalid/");
    EXPECT_EQ(Started(1).closeRequests, 0);
    EXPECT_EQ(Started(1).commandLines.size(), 2u);
}

TEST_F(PlayerControl, StopNeverClosesAProgramZelvoraDidNotPlayWith) {
    // The location points at a browser the person has open: the browser hands the
    // address to its own window and the started process ends.
    const std::string browser = "C:\\Browser\\browser.exe";
    const plat::DWORD theirs =
        harness().AddProcess(browser, {ProcessWindow{"Mail"}, ProcessWindow{"Bank"}});
    UsePlayer(browser);
    harness().programs[browser].handsOver = true;
    harness().programs[browser].hasWindow = true;
    Play(0);
    Play(1);
    Stop();
    Raise();
    EXPECT_EQ(Proc(theirs).closeRequests, 0);
    EXPECT_EQ(Proc(theirs).raises, 0);
    EXPECT_TRUE(Proc(theirs).running);

    // A process that ended is forgotten, even when a new one runs the same program.
    UsePlayer("C:\\Players\\multi.exe");
    Play(0);
    harness().processes.back().running = false;
    const plat::DWORD later = harness().AddProcess("C:\\Players\\multi.exe");
    Stop();
    EXPECT_EQ(Proc(later).closeRequests, 0);
}

TEST_F(PlayerControl, TheOwnWindowClassComesFirstWithItsCommandLineUnchanged) {
    UsePlayer("C:\\mpv\\mpv.exe");
    Play(0);
    const plat::DWORD mpv = Started(0).id;
    plat::HWND classic = harness().AddForeignWindow(kPlayerWindowClass, "RealPlayer");
    Play(1);
    EXPECT_EQ(Proc(mpv).closeRequests, 0) << "the classic player is there: a start as ever";
    Raise();
    EXPECT_EQ(harness().foregroundCalls.back(), classic);
    Stop();
    harness().DispatchPosted();
    EXPECT_EQ(harness().Window(classic)->received.size(), 1u);
    EXPECT_EQ(Proc(mpv).closeRequests, 0);

    RadioForm->RealAudioLoc = kDefaultPlayerLocation;
    Play(0);
    EXPECT_EQ(Lines().back(), "C:\\raplayer\\raplayer.exe http://jazz.invalid/");
}

TEST_F(PlayerControl, TheWindowEntryRaisesTheNewestPlayerOrStartsOne) {
    UsePlayer("C:\\mpv\\mpv.exe");
    Raise();
    EXPECT_EQ(Lines(), std::vector<std::string>{"C:\\mpv\\mpv.exe"});
    Raise();
    EXPECT_EQ(Started(0).raises, 1);
    EXPECT_EQ(Lines().size(), 1u);
    Stop();
    EXPECT_FALSE(Started(0).running) << "what the entry started counts as the player";

    harness().winExecResults.push_back(2);
    Raise();
    ASSERT_EQ(harness().messageBoxes.size(), 1u);
    EXPECT_EQ(harness().messageBoxes[0].caption, "Error");
}

TEST_F(PlayerControl, APlayerPlayingWithoutAWindowIsLeftPlayingByTheWindowEntry) {
    UsePlayer("C:\\mpv\\mpv.exe");
    harness().programs["C:\\mpv\\mpv.exe"].hasWindow = false;
    Play(0);
    Raise();
    EXPECT_EQ(Lines().size(), 1u) << "no bare second copy beside the one playing";
    EXPECT_TRUE(Started(0).running);
}

// A single-instance player the table does not know is closed before the next station;
// started while the old copy still closes, it would hand the address to that copy and
// nothing would play. The next start waits for the old copy to end, for 3 s at most.
TEST_F(PlayerControl, TheNextStationWaitsForTheClosingPlayerToEnd) {
    const std::string single = "C:\\Players\\single.exe";
    UsePlayer(single, true);
    harness().programs[single].closingMs = 500;
    Play(0);
    const plat::DWORD first = Started(0).id;
    Play(1);
    EXPECT_FALSE(Proc(first).running);
    EXPECT_TRUE(Started(0).running) << "the new copy plays: it found no copy to hand over to";
    EXPECT_EQ(harness().processWaits, std::vector<plat::UINT>{kPlayerEndWaitMs});
    EXPECT_EQ(Tip(), "");

    harness().programs[single].ignoresClose = true;
    Play(0);
    EXPECT_TRUE(Started(1).running) << "waited for, not killed";
    EXPECT_EQ(Tip(), "Jazz - the player before did not end");
}

// The copy a single-instance player handed the address to is the one that says it
// plays it, or the only one running; among several that say nothing, none is taken.
TEST_F(PlayerControl, OnlyTheCopyThatTookTheAddressIsStopped) {
    const std::string vlc = "C:\\VLC\\vlc.exe";
    UsePlayer(vlc, true);
    const plat::DWORD mine = harness().AddProcess(vlc), other = harness().AddProcess(vlc);
    Play(0);
    Stop();
    EXPECT_EQ(Proc(mine).closeRequests + Proc(other).closeRequests, 0) << "no guess among two";

    harness().publishesNowPlaying = true;
    harness().playingAddress[other] = "http://news.invalid/";
    Play(1);
    Stop();
    EXPECT_EQ(Proc(mine).closeRequests, 0);
    EXPECT_EQ(Proc(other).closeRequests, 1);
    EXPECT_EQ(harness().pinnedProcesses, 0) << "every process pinned was let go once it ended";
}

// A player that ends within ten seconds of its start could not play the stream: the
// tip says so until the next station or Stop, and the station stays chosen; one that
// ends later simply leaves the tip. A single-instance player's start that hands the
// address to its running copy is no failure.
TEST_F(PlayerControl, APlayerThatEndsAtOnceIsSaidSoInTheTip) {
    UsePlayer("/usr/bin/vlc");
    Play(0);
    harness().processes.back().running = false;
    harness().Advance(1000);
    EXPECT_EQ(Tip(), "Zelvora - Jazz could not be played");
    EXPECT_EQ(RadioFloatWin->StationCB->ItemIndex(), 0);
    EXPECT_TRUE(harness().messageBoxes.empty());
    EXPECT_EQ(harness().winExecs.size(), 1u) << "no retry";
    Play(1);
    EXPECT_EQ(Tip(), "");
    harness().Advance(kQuickEndPolls * 1000);
    harness().processes.back().running = false;
    harness().Advance(1000);
    EXPECT_EQ(Tip(), "");
}

}  // namespace
