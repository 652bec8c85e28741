#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "components/volume.h"
#include "platform/headless/headless.h"
#include "support/platform_fixture.h"

namespace {

constexpr plat::DWORD kBoth = plat::AUXCAPS_VOLUME | plat::AUXCAPS_LRVOLUME;

plat::headless::AuxDevice Device(plat::DWORD support, plat::DWORD volume = 0,
                                 const char* name = "Wave Out", plat::WORD maker = 1) {
    plat::headless::AuxDevice d;
    d.caps.wMid = maker;
    d.caps.vDriverVersion = 0x0200;
    std::strncpy(d.caps.szPname, name, sizeof d.caps.szPname);
    d.caps.dwSupport = support;
    d.volume = volume;
    return d;
}

class CompMixerVolume : public PlatformTest {
  protected:
    plat::headless::HeadlessPlatform& hp() {
        return static_cast<plat::headless::HeadlessPlatform&>(platform());
    }
    std::unique_ptr<TMixerVolume> Make(plat::headless::AuxDevice device0) {
        hp().auxDevices.push_back(device0);
        auto mixer = std::make_unique<TMixerVolume>(nullptr);
        hp().log.clear();
        return mixer;
    }
    // The volume words written to the device, in order.
    std::vector<plat::DWORD> Writes() {
        std::vector<plat::DWORD> out;
        for (const auto& l : hp().log)
            if (l.rfind("auxSetVolume(", 0) == 0) out.push_back(std::stoul(l.substr(l.find(' '))));
        return out;
    }
    std::string ErrorOf(const std::function<void()>& f) {
        try {
            f();
        } catch (const EDeviceTypeError& e) {
            return e.Message();
        }
        return "(no error)";
    }
};

}  // namespace

TEST_F(CompMixerVolume, ConstructionReadsTheLevelThenDescribesDeviceZero) {
    hp().auxDevices.push_back(Device(kBoth, 0x12345678));
    TMixerVolume mixer(nullptr);
    EXPECT_EQ(hp().log, (std::vector<std::string>{"auxGetVolume(0)", "auxGetDevCapsA(0, 48)"}));
    EXPECT_EQ(mixer.Channel(), chBoth);
    EXPECT_EQ(mixer.Volume(), 0x56);  // high byte of the left channel
    EXPECT_EQ(mixer.Manufacturer() + "|" + mixer.ProductName(), "Microsoft|Wave Out");
    EXPECT_EQ(mixer.DriverVersion(), 512);

    hp().auxDevices[0] = Device(0, 0, "0123456789abcdef0123456789abcdef", 2);
    mixer.Refresh();
    EXPECT_EQ(mixer.Manufacturer(), "2 = Unknown");
    EXPECT_EQ(mixer.ProductName(), "0123456789abcdef0123456789abcdef");  // no NUL in the field
    EXPECT_FALSE(mixer.SupportVolume());

    TComponent owner(nullptr);
    hp().auxDevices.clear();
    EXPECT_EQ(ErrorOf([&] { new TMixerVolume(&owner); }), "No Wave device available");
    EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST_F(CompMixerVolume, LevelsAreEncodedAndReadPerChannel) {
    auto mixer = Make(Device(kBoth, 0x20008000));
    EXPECT_EQ(mixer->Volume(), 128);
    for (TChannel ch : {chBoth, chLeft, chRight}) {
        mixer->SetChannel(ch);
        mixer->SetVolume(255);
        mixer->SetVolume(0);
    }
    EXPECT_EQ(Writes(), (std::vector<plat::DWORD>{0xFF00FF00, 0, 0x0000FFFF, 0, 0xFFFF0000, 0}));

    hp().auxDevices[0].volume = 0x9000FFFF;  // another program changed it
    mixer->Refresh();
    EXPECT_EQ(mixer->Volume(), 0x90);
    mixer->SetChannel(chLeft);
    EXPECT_EQ(mixer->Volume(), 0xFF);

    // A failure other than a missing device keeps what was last known.
    hp().auxDevices[0].getVolumeResult = plat::MMSYSERR_ERROR;
    hp().auxDevices[0].volume = 0;
    mixer->Refresh();
    EXPECT_EQ(mixer->Volume(), 0xFF);
}

TEST_F(CompMixerVolume, UnchangedOrMutedLevelsSendNothing) {
    auto mixer = Make(Device(kBoth, 0x64006400));  // 100
    mixer->SetVolume(100);
    EXPECT_TRUE(Writes().empty());

    mixer->SetMute(true);
    mixer->SetVolume(100);
    EXPECT_EQ(mixer->Volume(), 0);
    mixer->SetMute(false);  // the level is not restored
    EXPECT_EQ(Writes(), (std::vector<plat::DWORD>{0}));
    mixer->SetVolume(100);
    EXPECT_EQ(Writes(), (std::vector<plat::DWORD>{0, 0x64006400}));

    // Muting silences the device even when Volume already reads 0.
    mixer->SetVolume(0);
    hp().auxDevices[0].volume = 0x64006400;
    mixer->SetMute(true);
    EXPECT_EQ(hp().auxDevices[0].volume, 0u);
}

TEST_F(CompMixerVolume, DeviceTypeAndChannelFollowWhatTheDeviceCanDo) {
    auto mixer = Make(Device(kBoth, 0x10001000));
    mixer->SetChannel(chLeft);
    const char* missing[] = {"No Midi device available",    "No CD-audio device available",
                             "No Line-In device available", "No Microfoon device avialable",
                             "No Volume device available",  "No Speaker device available"};
    for (int t = dtMidi; t <= dtPCSpeaker; ++t)
        EXPECT_EQ(ErrorOf([&] { mixer->SetDeviceType(TDeviceTypes(t)); }), missing[t - 1]);
    EXPECT_EQ(mixer->DeviceType(), dtWave);

    hp().auxDevices.push_back(Device(0, 0, "Silent"));
    mixer->SetDeviceType(dtMidi);
    EXPECT_EQ(mixer->DeviceType(), dtWave);
    EXPECT_EQ(mixer->ProductName(), "Silent");  // describes the type asked for

    hp().auxDevices[1] = Device(plat::AUXCAPS_VOLUME, 0x0000C000, "Mono");
    mixer->SetDeviceType(dtMidi);
    EXPECT_EQ(mixer->DeviceType(), dtMidi);
    EXPECT_EQ(mixer->Channel(), chBoth);
    EXPECT_EQ(mixer->Volume(), 0xC0);
    mixer->SetChannel(chRight);
    EXPECT_EQ(mixer->Channel(), chBoth);
    mixer->SetVolume(1);
    EXPECT_EQ(hp().log.back(), "auxSetVolume(1, 16777472)");  // 0x01000100 on device 1

    hp().auxDevices.clear();
    EXPECT_EQ(ErrorOf([&] { mixer->SetVolume(77); }), "No Midi device available");
    EXPECT_EQ(mixer->Volume(), 77);
}

TEST_F(CompMixerVolume, InformationIgnoresWritesAndCountIsLive) {
    auto mixer = Make(Device(kBoth));
    mixer->SetProductName("Stored");
    mixer->SetSupportVolume(false);
    mixer->SetNumberOfDevices(9);
    EXPECT_EQ(mixer->ProductName(), "Wave Out");
    EXPECT_TRUE(mixer->SupportVolume());
    EXPECT_EQ(mixer->NumberOfDevices(), 1);
    hp().auxDevices.push_back(Device(0));
    EXPECT_EQ(mixer->NumberOfDevices(), 2);
}
