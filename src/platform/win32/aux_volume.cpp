// The auxiliary audio devices. Current Windows has no auxiliary device for the wave
// output any more, so when device 0 is missing it is answered from the default
// playback device's own volume (Core Audio), per channel: the level word keeps its
// meaning (left in the low 16 bits, right in the high), and the volume slider works.
// Where Core Audio has no playback device either (Wine without a sound driver), the
// real answers stand.
// win32_platform.h first: the seam's names must be declared before <windows.h>.
#include "platform/win32/win32_platform.h"

#include <endpointvolume.h>
#include <mmdeviceapi.h>

#include <cstring>

namespace w32 {

namespace {

template <class T>
struct ComRelease {
    void operator()(T* p) const { p->Release(); }
};
template <class T>
using ComPtr = std::unique_ptr<T, ComRelease<T>>;

// COM for the length of one call; the GUI thread may already have it (shell links).
class ComScope {
  public:
    ComScope() : ok_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComScope() {
        if (ok_) ::CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

  private:
    bool ok_;
};

// The master volume of the default playback device, looked up at each call so that
// a change of the default device (headphones plugged in) is followed.
ComPtr<IAudioEndpointVolume> DefaultEndpointVolume() {
    IMMDeviceEnumerator* enumerator = nullptr;
    if (FAILED(::CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL,
                                  __uuidof(IMMDeviceEnumerator),
                                  reinterpret_cast<void**>(&enumerator))))
        return nullptr;
    ComPtr<IMMDeviceEnumerator> devices(enumerator);
    IMMDevice* device = nullptr;
    if (FAILED(devices->GetDefaultAudioEndpoint(eRender, eConsole, &device))) return nullptr;
    ComPtr<IMMDevice> endpoint(device);
    IAudioEndpointVolume* volume = nullptr;
    if (FAILED(endpoint->Activate(__uuidof(IAudioEndpointVolume), CLSCTX_ALL, nullptr,
                                  reinterpret_cast<void**>(&volume))))
        return nullptr;
    return ComPtr<IAudioEndpointVolume>(volume);
}

UINT ChannelCount(IAudioEndpointVolume& volume) {
    UINT n = 0;
    return SUCCEEDED(volume.GetChannelCount(&n)) ? n : 0;
}

WORD ReadChannel(IAudioEndpointVolume& volume, UINT channel) {
    float level = 0;
    if (FAILED(volume.GetChannelVolumeLevelScalar(channel, &level))) return 0;
    return static_cast<WORD>(level * 65535.0f + 0.5f);
}

bool WriteChannel(IAudioEndpointVolume& volume, UINT channel, WORD level) {
    return SUCCEEDED(volume.SetChannelVolumeLevelScalar(channel, level / 65535.0f, nullptr));
}

// True when device 0 is to be answered from Core Audio.
bool UseEndpoint(plat::UINT device) {
    return device == 0 && ::auxGetNumDevs() == 0;
}

}  // namespace

plat::UINT Win32Platform::auxGetNumDevs() {
    plat::UINT n = ::auxGetNumDevs();
    if (n > 0) return n;
    ComScope com;
    return DefaultEndpointVolume() ? 1 : 0;
}

plat::MMRESULT Win32Platform::auxGetDevCapsA(plat::UINT device, plat::AUXCAPS* caps,
                                             plat::UINT size) {
    if (!caps || size < sizeof(plat::AUXCAPS)) return MMSYSERR_ERROR;
    if (UseEndpoint(device)) {
        ComScope com;
        auto volume = DefaultEndpointVolume();
        if (!volume) return MMSYSERR_BADDEVICEID;
        *caps = plat::AUXCAPS{};
        caps->wMid = plat::MM_MICROSOFT;
        caps->vDriverVersion = 0x0100;
        std::strncpy(caps->szPname, "Default playback device", sizeof caps->szPname - 1);
        caps->wTechnology = AUXCAPS_AUXIN;
        caps->dwSupport = AUXCAPS_VOLUME | (ChannelCount(*volume) >= 2 ? AUXCAPS_LRVOLUME : 0);
        return MMSYSERR_NOERROR;
    }
    AUXCAPSA real{};
    plat::MMRESULT r = ::auxGetDevCapsA(device, &real, sizeof real);
    if (r != MMSYSERR_NOERROR) return r;
    caps->wMid = real.wMid;
    caps->wPid = real.wPid;
    caps->vDriverVersion = real.vDriverVersion;
    std::memcpy(caps->szPname, real.szPname, sizeof caps->szPname);
    caps->wTechnology = real.wTechnology;
    caps->wReserved1 = real.wReserved1;
    caps->dwSupport = real.dwSupport;
    return r;
}

plat::MMRESULT Win32Platform::auxGetVolume(plat::UINT device, plat::DWORD* volume) {
    if (UseEndpoint(device)) {
        ComScope com;
        auto endpoint = DefaultEndpointVolume();
        if (!endpoint) return MMSYSERR_BADDEVICEID;
        const UINT channels = ChannelCount(*endpoint);
        if (channels == 0) return MMSYSERR_ERROR;
        const WORD left = ReadChannel(*endpoint, 0);
        const WORD right = channels >= 2 ? ReadChannel(*endpoint, 1) : left;
        if (volume) *volume = static_cast<plat::DWORD>(right) << 16 | left;
        return MMSYSERR_NOERROR;
    }
    ::DWORD v = 0;
    plat::MMRESULT r = ::auxGetVolume(device, &v);
    if (volume) *volume = v;
    return r;
}

// Channels past the second follow the left one, so a surround device is not left
// with its other speakers at their old level.
plat::MMRESULT Win32Platform::auxSetVolume(plat::UINT device, plat::DWORD volume) {
    if (!UseEndpoint(device)) return ::auxSetVolume(device, volume);
    ComScope com;
    auto endpoint = DefaultEndpointVolume();
    if (!endpoint) return MMSYSERR_BADDEVICEID;
    const UINT channels = ChannelCount(*endpoint);
    const WORD left = static_cast<WORD>(volume & 0xFFFF);
    const WORD right = channels >= 2 ? static_cast<WORD>(volume >> 16) : left;
    bool ok = channels > 0;
    for (UINT c = 0; c < channels; ++c)
        ok = WriteChannel(*endpoint, c, c == 1 ? right : left) && ok;
    return ok ? MMSYSERR_NOERROR : MMSYSERR_ERROR;
}

}  // namespace w32
