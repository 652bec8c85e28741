// The animated state: the frames the shell receives, and when, as the interval, the
// list of frames and the state change; frames that cannot be read.
#include <map>
#include <string>
#include <vector>

#include "gui/exceptions.h"
#include "unit/tray_fixture.h"

namespace {

class TrayAnimation : public TrayTest {
  protected:
    void SetUp() override {
        TrayTest::SetUp();
        harness().iconResources = {"F0", "F1", "F2", "N0", "N1"};
        for (const char* name : {"F0", "F1", "F2", "N0", "N1"})
            frames[platform().LoadIconA(name)] = name;
        tray->Animation()->SetOptions(aoIconsInExe);
        SetFrames({"F0", "F1", "F2"});
        tray->OnAnimation = [this](TObject* s) { ticks += s == tray ? 1 : 1000; };
        tray->Activate();
        shownBefore = Shell().size();
    }
    void SetFrames(const std::vector<std::string>& names) {
        TStringList list;
        for (const auto& n : names) list.Add(n);
        tray->Animation()->SetIcons(list);
    }
    // The frames sent since the animation started, by name; "0" for no picture.
    std::string Sent() {
        std::string out;
        for (std::size_t i = shownBefore; i < Shell().size(); ++i) {
            auto it = frames.find(Shell()[i].data.hIcon);
            out += (it == frames.end() ? std::to_string(Shell()[i].data.hIcon) : it->second) + " ";
        }
        return out;
    }
    std::map<plat::HICON, std::string> frames;
    std::size_t shownBefore = 0;
    int ticks = 0;
};

TEST_F(TrayAnimation, ThreeFramesComeInListOrderTheFirstAtOnce) {
    tray->SetState(tsAnimated);
    EXPECT_TRUE(tray->Animation()->Running());
    EXPECT_EQ(Sent(), "F0 F0 ");  // the state's picture, then the animation's first frame
    Advance(999);
    EXPECT_EQ(Sent(), "F0 F0 ");
    Advance(1 + 4000);
    EXPECT_EQ(Sent(), "F0 F0 F1 F2 F0 F1 F2 ");
    EXPECT_EQ(ticks, 6);
    for (std::size_t i = shownBefore; i < Shell().size(); ++i)
        EXPECT_EQ(Shell()[i].message, plat::NIM_MODIFY);

    // Leaving the state stops the timer; deactivating in it too.
    tray->SetState(tsEnabled);
    EXPECT_FALSE(tray->Animation()->Running());
    tray->SetState(tsAnimated);
    tray->Deactivate();
    EXPECT_FALSE(tray->Animation()->Running());
    const auto sent = Shell().size();
    Advance(5000);
    EXPECT_EQ(Shell().size(), sent);
    tray->Activate();  // in the animated state: starts over at the first frame
    EXPECT_TRUE(tray->Animation()->Running());
    EXPECT_EQ(Shell().back().data.hIcon, platform().LoadIconA("F0"));
}

TEST_F(TrayAnimation, IntervalZeroShowsTheFirstFrameAndNoMore) {
    tray->Animation()->SetInterval(0);
    tray->SetState(tsAnimated);
    Advance(10000);
    EXPECT_EQ(Sent(), "F0 F0 ");
    EXPECT_EQ(ticks, 1);
}

TEST_F(TrayAnimation, ANewIntervalRestartsAtTheFirstFrameTheSameOneChangesNothing) {
    tray->SetState(tsAnimated);
    Advance(1500);  // F1 shown, next tick at 2000
    tray->Animation()->SetInterval(1000);
    Advance(500);
    EXPECT_EQ(Sent(), "F0 F0 F1 F2 ");
    tray->Animation()->SetInterval(300);
    EXPECT_EQ(Sent(), "F0 F0 F1 F2 F0 ");
    Advance(600);
    EXPECT_EQ(Sent(), "F0 F0 F1 F2 F0 F1 F2 ");
}

TEST_F(TrayAnimation, NewFramesWhileRunningStartFromTheirFirstAtTheSamePace) {
    tray->SetState(tsAnimated);
    Advance(1000);  // F1
    SetFrames({"N0", "N1"});
    Advance(999);
    EXPECT_EQ(Sent(), "F0 F0 F1 ");
    Advance(1 + 1000);
    EXPECT_EQ(Sent(), "F0 F0 F1 N0 N1 ");
}

// OnAnimation leaving the animated state stops the animation from inside a tick of
// its own timer: the timer lives on through that tick, and animating again keeps pace.
TEST_F(TrayAnimation, StoppedFromItsOwnTickTheTimerOutlivesTheTick) {
    tray->SetState(tsAnimated);
    const auto timers = harness().WindowsOfClass("TTimerWindow");
    bool timerLived = false;
    tray->OnAnimation = [&](TObject*) {
        if (++ticks != 2) return;
        tray->SetState(tsEnabled);
        timerLived = harness().WindowsOfClass("TTimerWindow") == timers;
    };
    Advance(1000);  // tick 2 stops it
    EXPECT_TRUE(timerLived);
    EXPECT_FALSE(tray->Animation()->Running());
    Advance(3000);
    EXPECT_EQ(ticks, 2);

    tray->SetState(tsAnimated);  // tick 3, at once
    Advance(2000);
    EXPECT_EQ(ticks, 5);
}

TEST_F(TrayAnimation, AStartTheSystemRefusesATimerForIsReportedToTheCaller) {
    harness().refuseTimers = true;
    EXPECT_THROW(tray->SetState(tsAnimated), EOutOfResources);
    EXPECT_FALSE(tray->Animation()->Running());
    EXPECT_EQ(ticks, 1);  // the first frame was shown
    harness().refuseTimers = false;
    tray->SetState(tsEnabled);
    tray->SetState(tsAnimated);
    Advance(1000);
    EXPECT_EQ(ticks, 3);
}

TEST_F(TrayAnimation, WithoutFramesTheHandlerStillRunsAndThePictureStays) {
    TIcon picture;
    LoadPicture(picture);
    tray->SetIcon(picture);
    const plat::HICON shown = LastIcon();
    SetFrames({});
    shownBefore = Shell().size();
    tray->SetState(tsAnimated);
    Advance(3000);
    EXPECT_EQ(ticks, 4);
    EXPECT_EQ(tray->Animation()->FrameIndex(), 0);
    for (std::size_t i = shownBefore; i < Shell().size(); ++i)
        EXPECT_EQ(Shell()[i].data.hIcon, shown);
}

TEST_F(TrayAnimation, AMissingResourceShowsNoPicture) {
    SetFrames({"F0", "Nowhere", std::string(300, 'F')});
    tray->SetState(tsAnimated);
    Advance(2000);
    EXPECT_EQ(Sent(), "F0 F0 0 0 ");
    EXPECT_TRUE(harness().messageBoxes.empty());
    // The long name reaches the module cut to 255 characters.
    EXPECT_EQ(Count("LoadIconA"), 5 + 4);
    EXPECT_EQ(harness().log.back().find(std::string(256, 'F')), std::string::npos);
}

class TrayAnimationFiles : public TrayTest {
  protected:
    void SetUp() override {
        TrayTest::SetUp();
        tray->Activate();
    }
    void SetFrames(const std::vector<std::string>& paths) {
        TStringList list;
        for (const auto& p : paths) list.Add(p);
        tray->Animation()->SetIcons(list);
    }
};

TEST_F(TrayAnimationFiles, AMissingFileIsSkippedAndTheNextTickShowsTheNextFrame) {
    SetFrames({IconFile("a.ico"), dir() + "/missing.ico", IconFile("c.ico")});
    tray->SetState(tsAnimated);
    const plat::HICON a = LastIcon();
    const auto sent = Shell().size();
    Advance(1000);  // the missing one: the picture stays
    EXPECT_EQ(Shell().size(), sent + 1);
    EXPECT_EQ(LastIcon(), a);
    Advance(1000);
    EXPECT_NE(LastIcon(), a);
    EXPECT_EQ(tray->Animation()->FrameIndex(), 0);
    EXPECT_TRUE(harness().messageBoxes.empty());
    EXPECT_EQ(harness().LiveIcons(), 1);  // every frame read again, none kept but the one shown
}

TEST_F(TrayAnimationFiles, AFileThatIsNoIconIsReportedAndTriedAgainAtTheNextTick) {
    SetFrames({IconFile("a.ico"), WriteFile("bad.ico", {'n', 'o', 't'}), IconFile("c.ico")});
    tray->SetState(tsAnimated);
    Advance(1000);
    EXPECT_EQ(tray->Animation()->FrameIndex(), 1);
    EXPECT_EQ(harness().messageBoxes.size(), 1u);
    Advance(1000);
    EXPECT_EQ(tray->Animation()->FrameIndex(), 1);
    ASSERT_EQ(harness().messageBoxes.size(), 2u);
    EXPECT_EQ(harness().messageBoxes[1].text, "Icon image is not valid.");

    // A bad first frame is raised to whoever started the animation, which runs on.
    tray->SetState(tsEnabled);
    SetFrames({WriteFile("bad.ico", {'n', 'o', 't'})});
    EXPECT_THROW(tray->SetState(tsAnimated), EInvalidGraphic);
    EXPECT_EQ(tray->State(), tsAnimated);
    EXPECT_TRUE(tray->Animation()->Running());
}

}  // namespace
