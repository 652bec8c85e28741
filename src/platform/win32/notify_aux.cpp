// The notification area and the auxiliary audio devices.
#include <cstring>

#include "platform/win32/win32_platform.h"

namespace w32 {

plat::BOOL Win32Platform::Shell_NotifyIconA(plat::DWORD message, const plat::NOTIFYICONDATA& data) {
    // The first shell version's record: every shell accepts it, and the fields beyond
    // it (balloons, GUIDs) are never used here.
    NOTIFYICONDATAA nid{};
    nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
    nid.hWnd = H(data.hWnd);
    nid.uID = data.uID;
    nid.uFlags = data.uFlags;
    nid.uCallbackMessage = data.uCallbackMessage;
    nid.hIcon = HI(data.hIcon);
    static_assert(sizeof nid.szTip >= sizeof data.szTip);
    std::memcpy(nid.szTip, data.szTip, sizeof data.szTip);
    nid.szTip[sizeof data.szTip - 1] = '\0';
    return ::Shell_NotifyIconA(message, &nid);
}

plat::UINT Win32Platform::auxGetNumDevs() {
    return ::auxGetNumDevs();
}

plat::MMRESULT Win32Platform::auxGetDevCapsA(plat::UINT device, plat::AUXCAPS* caps,
                                             plat::UINT size) {
    if (!caps || size < sizeof(plat::AUXCAPS)) return MMSYSERR_ERROR;
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
    ::DWORD v = 0;
    plat::MMRESULT r = ::auxGetVolume(device, &v);
    if (volume) *volume = v;
    return r;
}

plat::MMRESULT Win32Platform::auxSetVolume(plat::UINT device, plat::DWORD volume) {
    return ::auxSetVolume(device, volume);
}

}  // namespace w32
