// The notification area. (The auxiliary audio devices are in aux_volume.cpp.)
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
    // A balloon needs the second version's record, which every shell since 2000 takes.
    if (data.uFlags & NIF_INFO) {
        nid.cbSize = NOTIFYICONDATAA_V2_SIZE;
        std::memcpy(nid.szInfo, data.szInfo, sizeof data.szInfo);
        nid.szInfo[sizeof data.szInfo - 1] = '\0';
        std::memcpy(nid.szInfoTitle, data.szInfoTitle, sizeof data.szInfoTitle);
        nid.szInfoTitle[sizeof data.szInfoTitle - 1] = '\0';
        nid.dwInfoFlags = data.dwInfoFlags;
        nid.uTimeout = 10000;
    }
    return ::Shell_NotifyIconA(message, &nid);
}

}  // namespace w32
