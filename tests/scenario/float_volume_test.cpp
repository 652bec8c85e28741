// The volume bar of the floating window and the wave device behind it: what start
// does to the user's level, the one-second poll, the user's moves, and machines
// whose device is missing or goes away.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/radiotoolbar.h"
#include "app/radiowin.h"
#include "components/volume.h"
#include "support/app_fixture.h"

namespace {

plat::headless::AuxDevice StereoDevice(plat::DWORD volume) {
    plat::headless::AuxDevice d;
    d.caps.wMid = 1;
    d.caps.dwSupport = plat::AUXCAPS_VOLUME | plat::AUXCAPS_LRVOLUME;
    d.volume = volume;
    return d;
}

class FloatVolume : public AppTest {
  protected:
    void StartWith(std::vector<plat::headless::AuxDevice> devices) {
        harness().auxDevices = std::move(devices);
        WriteSettings("[MainForm]\r\nShowWinAtStartCB=0\r\n");
        Start();
    }
    TTrackBar* Bar() { return RadioFloatWin->VolumeBar; }
    int Writes() {
        auto& log = harness().log;
        return static_cast<int>(std::count_if(log.begin(), log.end(), [](const std::string& s) {
            return s.starts_with("auxSetVolume");
        }));
    }
    plat::DWORD Level() { return harness().auxDevices.at(0).volume; }
};

TEST_F(FloatVolume, StartLeavesTheUsersLevelAloneAndTheBarShowsIt) {
    StartWith({StereoDevice(0x40004000)});
    EXPECT_EQ(Writes(), 0);
    EXPECT_EQ(Level(), 0x40004000u);
    EXPECT_EQ(Bar()->Position(), 0x40);
    EXPECT_TRUE(Bar()->Enabled());
    EXPECT_EQ(Bar()->Max(), 255);
    EXPECT_EQ(Bar()->Frequency(), 26);
}

TEST_F(FloatVolume, AnotherProgramsChangeShowsWithinOnePollAndIsNeverWrittenBack) {
    StartWith({StereoDevice(0x40004000)});
    harness().auxDevices[0].volume = 0x80008000;
    harness().Advance(999);
    EXPECT_EQ(Bar()->Position(), 0x40);
    harness().Advance(1);
    EXPECT_EQ(Bar()->Position(), 0x80);
    harness().auxDevices[0].volume = 0x0;
    harness().Advance(1000);
    EXPECT_EQ(Bar()->Position(), 0);
    EXPECT_EQ(Writes(), 0);
    EXPECT_TRUE(harness().messageBoxes.empty());
}

TEST_F(FloatVolume, UserMovesSetBothChannelsAlikeOnceTheBarHasHadTheFocus) {
    StartWith({StereoDevice(0x40004000)});
    Bar()->UserMoveTo(200);  // a click on the bar before it ever had the focus
    EXPECT_EQ(Writes(), 0);

    Bar()->UserFocus();
    EXPECT_TRUE(RadioFloatWin->VolumeBarEntered());
    Bar()->UserMoveTo(255);
    EXPECT_EQ(Level(), 0xFF00FF00u);
    Bar()->UserMoveTo(100);
    EXPECT_EQ(Level(), 0x64006400u);
    Bar()->UserMoveTo(0);
    EXPECT_EQ(Level(), 0u);
    EXPECT_EQ(Writes(), 3);
    harness().Advance(1000);
    EXPECT_EQ(Bar()->Position(), 0);
}

TEST_F(FloatVolume, AMachineWithoutTheDeviceStartsQuietlyWithTheBarDisabledAndExplained) {
    StartWith({});
    EXPECT_EQ(RadioForm->MixerVolume1, nullptr);
    EXPECT_TRUE(harness().messageBoxes.empty());
    EXPECT_FALSE(Bar()->Enabled());
    EXPECT_TRUE(Bar()->ShowHint());
    EXPECT_NE(Bar()->Hint().find("no wave output device"), std::string::npos);
    // The bar gets no mouse messages while disabled: its window shows the reason too.
    EXPECT_EQ(RadioFloatWin->Hint(), Bar()->Hint());
    EXPECT_TRUE(RadioFloatWin->ShowHint());

    harness().Advance(5000);
    Bar()->UserFocus();
    Bar()->UserMoveTo(128);
    EXPECT_TRUE(harness().messageBoxes.empty());
    EXPECT_EQ(Writes(), 0);
}

// The poll asks only for the number of devices while there is none; a device that
// comes (a headset plugged in) brings the bar to life without a restart.
TEST_F(FloatVolume, ADeviceThatComesAfterTheStartBringsTheBarToLife) {
    StartWith({});
    const auto calls = harness().log.size();
    harness().Advance(3000);
    std::vector<std::string> polled(harness().log.begin() + calls, harness().log.end());
    std::erase_if(polled, [](const std::string& c) { return !c.starts_with("aux"); });
    EXPECT_EQ(polled, std::vector<std::string>(3, "auxGetNumDevs()"));

    harness().auxDevices = {StereoDevice(0x60006000)};
    harness().Advance(1000);
    ASSERT_NE(RadioForm->MixerVolume1, nullptr);
    EXPECT_TRUE(Bar()->Enabled());
    EXPECT_FALSE(Bar()->ShowHint());
    EXPECT_EQ(Bar()->Position(), 0x60);
    EXPECT_EQ(Writes(), 0);
    Bar()->UserFocus();
    Bar()->UserMoveTo(255);
    EXPECT_EQ(Level(), 0xFF00FF00u);  // both channels, as for a device there at the start
    EXPECT_TRUE(harness().messageBoxes.empty());
}

// A sound server restarted while the program runs: no box over whatever the user is
// doing, only the bar, disabled with its reason until the device answers again.
TEST_F(FloatVolume, ADeviceThatGoesAwayOnlyDisablesTheBarAndItComesBackWithIt) {
    StartWith({StereoDevice(0x20002000)});
    auto device = harness().auxDevices;
    harness().auxDevices.clear();
    harness().Advance(5000);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{});
    EXPECT_FALSE(Bar()->Enabled());
    EXPECT_NE(Bar()->Hint().find("stopped answering"), std::string::npos);

    device[0].volume = 0x90009000;
    harness().auxDevices = device;
    harness().Advance(1000);
    EXPECT_TRUE(Bar()->Enabled());
    EXPECT_FALSE(Bar()->ShowHint());
    EXPECT_FALSE(RadioFloatWin->ShowHint());
    EXPECT_EQ(Bar()->Position(), 0x90);

    // Gone again, and a move of the bar meets it first: still no box.
    harness().auxDevices.clear();
    Bar()->UserFocus();
    Bar()->UserMoveTo(10);
    EXPECT_FALSE(Bar()->Enabled());
    harness().Advance(3000);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{});
    EXPECT_NE(Bar()->Hint().find("stopped answering"), std::string::npos);
}

}  // namespace
