// The volume fallback on Core Audio: what an endpoint that has per-channel levels,
// one that has only a master level, and one that answers nothing give; and the real
// default playback device (a PulseAudio null sink in CI) behind the floating window.
#include <cstdlib>
#include <string>
#include <vector>

#include "app/radiotoolbar.h"
#include "app/radiowin.h"
#include "components/volume.h"
#include "gui/application.h"
#include "platform/win32/endpoint_volume.h"
#include "support/platform_fixture.h"

#include "win32/native_windows.h"

namespace {

// An endpoint whose answers the test sets: channel calls that work (a list of
// levels) or are not implemented, a master level that works or fails.
class FakeEndpoint final : public IAudioEndpointVolume {
  public:
    std::vector<float> channels;  // empty: the channel calls are not implemented
    bool hasMaster = true;
    float master = 0;
    std::vector<std::string> sets;

    HRESULT STDMETHODCALLTYPE GetChannelCount(UINT* n) override {
        if (channels.empty()) return E_NOTIMPL;
        *n = static_cast<UINT>(channels.size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetChannelVolumeLevelScalar(UINT c, FLOAT* level) override {
        if (c >= channels.size()) return E_NOTIMPL;
        *level = channels[c];
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetChannelVolumeLevelScalar(UINT c, FLOAT level, LPCGUID) override {
        if (c >= channels.size()) return E_NOTIMPL;
        sets.push_back(std::to_string(c) + "=" + std::to_string(Percent(level)));
        channels[c] = level;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetMasterVolumeLevelScalar(FLOAT* level) override {
        if (!hasMaster) return E_FAIL;
        *level = master;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetMasterVolumeLevelScalar(FLOAT level, LPCGUID) override {
        if (!hasMaster) return E_FAIL;
        sets.push_back("master=" + std::to_string(Percent(level)));
        master = level;
        return S_OK;
    }
    static int Percent(float level) { return static_cast<int>(level * 100 + 0.5f); }

    // Not used by the fallback.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE RegisterControlChangeNotify(IAudioEndpointVolumeCallback*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE
    UnregisterControlChangeNotify(IAudioEndpointVolumeCallback*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetMasterVolumeLevel(FLOAT, LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMasterVolumeLevel(FLOAT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetChannelVolumeLevel(UINT, FLOAT, LPCGUID) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetChannelVolumeLevel(UINT, FLOAT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMute(BOOL, LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMute(BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetVolumeStepInfo(UINT*, UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE VolumeStepUp(LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE VolumeStepDown(LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryHardwareSupport(DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetVolumeRange(FLOAT*, FLOAT*, FLOAT*) override { return E_NOTIMPL; }
};

TEST(EndpointVolume, ChannelsWhereTheEndpointHasThemElseTheMasterLevelElseAFailure) {
    FakeEndpoint stereo;
    stereo.channels = {0.5f, 0.25f, 0.75f};
    EXPECT_EQ(w32::ReadEndpointLevels(stereo), 0x40008000u);
    EXPECT_TRUE(w32::WriteEndpointLevels(stereo, 0x0000FFFF));  // surround follows the left
    EXPECT_EQ(stereo.sets, (std::vector<std::string>{"0=100", "1=0", "2=100"}));

    FakeEndpoint masterOnly;  // Wine's endpoints have only the master level
    masterOnly.master = 0.75f;
    EXPECT_EQ(w32::ReadEndpointLevels(masterOnly), 0xBFFFBFFFu);
    EXPECT_TRUE(w32::WriteEndpointLevels(masterOnly, 0x40002000));
    EXPECT_EQ(masterOnly.sets, std::vector<std::string>{"master=25"});  // the louder channel

    FakeEndpoint mute;
    mute.hasMaster = false;
    EXPECT_EQ(w32::ReadEndpointLevels(mute), std::nullopt);  // a failure, not a level of 0
    EXPECT_FALSE(w32::WriteEndpointLevels(mute, 0x80008000));
}

// The real fallback behind the floating window, on the machine's default playback
// device. CI gives Wine one (scripts/test.sh: a PulseAudio server with a null sink)
// and says so with ZEL_AUDIO_DEVICE=1; elsewhere a machine without one skips.
class EndpointWine : public PlatformTest {
  protected:
    void SetUp() override {
        PlatformTest::SetUp();
        Application = new TApplication();
        Application->SetTitle("Zelvora");
        RadioForm = Application->CreateForm<TRadioForm>();
        RadioForm->ShowWinAtStartCB->SetChecked(false);
        RadioForm->AboutShown = true;
        RadioFloatWin = Application->CreateForm<TRadioFloatWin>();
        plat::win32::SetEndpointSetObserver(
            [this](const plat::win32::EndpointSetCall& c) { sets.push_back(c); });
    }
    void TearDown() override {
        plat::win32::SetEndpointSetObserver(nullptr);
        delete Application;
        Application = nullptr;
        PlatformTest::TearDown();
    }
    void Pump(int rounds) {
        for (int i = 0; i < rounds; ++i) {
            platform().ProcessMessages();
            ::Sleep(20);
        }
    }
    static void Key(WORD vk) {
        ::keybd_event(static_cast<BYTE>(vk), 0, 0, 0);
        ::keybd_event(static_cast<BYTE>(vk), 0, KEYEVENTF_KEYUP, 0);
    }
    std::vector<plat::win32::EndpointSetCall> sets;
};

TEST_F(EndpointWine, TheBarShowsTheDevicesLevelAndAMoveReachesTheEndpoint) {
    TTrackBar* bar = RadioFloatWin->VolumeBar;
    if (!RadioForm->MixerVolume1) {
        EXPECT_FALSE(bar->Enabled());
        const char* expected = std::getenv("ZEL_AUDIO_DEVICE");
        ASSERT_FALSE(expected && *expected == '1') << "no playback device, though one was started";
        GTEST_SKIP() << "no playback device here: the bar is disabled";
    }
    EXPECT_TRUE(bar->Enabled());
    plat::DWORD level = 0;
    ASSERT_EQ(platform().auxGetVolume(0, &level), MMSYSERR_NOERROR);
    EXPECT_EQ(bar->Position(), static_cast<int>(level >> 8 & 0xFF));

    // Tab to the bar (its first focus lets moves through) and Home: the lowest level.
    RadioForm->ShowFloatingWindow(true);
    Pump(10);
    Key(VK_TAB);
    Pump(10);
    ASSERT_TRUE(RadioFloatWin->VolumeBarEntered()) << "Tab did not reach the volume bar";
    Key(VK_HOME);
    Pump(10);
    EXPECT_EQ(bar->Position(), 0);
    ASSERT_FALSE(sets.empty()) << "the move did not reach the endpoint";
    EXPECT_EQ(sets.back().level, 0.0f);
}

}  // namespace
