// The auxiliary audio devices. Current Windows has no auxiliary device for the wave
// output any more, so when device 0 is missing it is answered from the default
// playback device's own volume (Core Audio, endpoint_volume.cpp): the level word
// keeps its meaning (left in the low 16 bits, right in the high), and the volume
// slider works.
// Where Core Audio has no playback device either (Wine without a sound driver), the
// real answers stand.
// win32_platform.h first: the seam's names must be declared before <windows.h>.
#include "platform/win32/win32_platform.h"

#include <mmdeviceapi.h>

#include "platform/win32/endpoint_volume.h"

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

// True when device 0 is to be answered from Core Audio.
bool UseEndpoint(plat::UINT device) {
    return device == 0 && ::auxGetNumDevs() == 0;
}

}  // namespace

// Asked once a second while there is no device: without a wave output at all the
// answer costs no Core Audio lookup.
plat::UINT Win32Platform::auxGetNumDevs() {
    plat::UINT n = ::auxGetNumDevs();
    if (n > 0 || ::waveOutGetNumDevs() == 0) return n;
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
        caps->dwSupport =
            AUXCAPS_VOLUME | (EndpointChannels(*volume) >= 2 ? AUXCAPS_LRVOLUME : 0);
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
        auto levels = ReadEndpointLevels(*endpoint);
        if (!levels) return MMSYSERR_ERROR;
        if (volume) *volume = *levels;
        return MMSYSERR_NOERROR;
    }
    ::DWORD v = 0;
    plat::MMRESULT r = ::auxGetVolume(device, &v);
    if (volume) *volume = v;
    return r;
}

plat::MMRESULT Win32Platform::auxSetVolume(plat::UINT device, plat::DWORD volume) {
    if (!UseEndpoint(device)) return ::auxSetVolume(device, volume);
    ComScope com;
    auto endpoint = DefaultEndpointVolume();
    if (!endpoint) return MMSYSERR_BADDEVICEID;
    return WriteEndpointLevels(*endpoint, volume) ? MMSYSERR_NOERROR : MMSYSERR_ERROR;
}

}  // namespace w32
