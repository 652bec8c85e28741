// Scripted devices: auxiliary audio, input state, the screen and icons.
#include <algorithm>
#include <cstring>

#include "platform/headless/state.h"

namespace plat::headless {

// ---- Auxiliary audio ---------------------------------------------------------------

UINT HeadlessPlatform::auxGetNumDevs() {
    Record(log, "auxGetNumDevs");
    return static_cast<UINT>(auxDevices.size());
}

MMRESULT HeadlessPlatform::auxGetDevCapsA(UINT device, AUXCAPS* caps, UINT size) {
    Record(log, "auxGetDevCapsA", device, size);
    if (device >= auxDevices.size()) return MMSYSERR_BADDEVICEID;
    const auto& dev = auxDevices[device];
    if (dev.capsResult != MMSYSERR_NOERROR) return dev.capsResult;
    // Like winmm, copy no more than the caller says its record holds.
    if (caps) std::memcpy(caps, &dev.caps, std::min<std::size_t>(size, sizeof(AUXCAPS)));
    return MMSYSERR_NOERROR;
}

MMRESULT HeadlessPlatform::auxGetVolume(UINT device, DWORD* volume) {
    Record(log, "auxGetVolume", device);
    if (device >= auxDevices.size()) return MMSYSERR_BADDEVICEID;
    const auto& dev = auxDevices[device];
    if (dev.getVolumeResult != MMSYSERR_NOERROR) return dev.getVolumeResult;
    if (volume) *volume = dev.volume;
    return MMSYSERR_NOERROR;
}

MMRESULT HeadlessPlatform::auxSetVolume(UINT device, DWORD volume) {
    Record(log, "auxSetVolume", device, volume);
    if (device >= auxDevices.size()) return MMSYSERR_BADDEVICEID;
    auto& dev = auxDevices[device];
    if (dev.setVolumeResult != MMSYSERR_NOERROR) return dev.setVolumeResult;
    dev.volume = volume;
    return MMSYSERR_NOERROR;
}

// ---- Input state and screen ----------------------------------------------------------

UINT HeadlessPlatform::GetDoubleClickTime() {
    Record(log, "GetDoubleClickTime");
    return doubleClickTime;
}

BOOL HeadlessPlatform::GetCursorPos(POINT* point) {
    Record(log, "GetCursorPos");
    if (!point) return 0;
    *point = cursor;
    return 1;
}

std::int16_t HeadlessPlatform::GetKeyState(int virtualKey) {
    Record(log, "GetKeyState", virtualKey);
    auto it = keyStates.find(virtualKey);
    return it == keyStates.end() ? 0 : it->second;
}

POINT HeadlessPlatform::GetScreenSize() {
    Record(log, "GetScreenSize");
    return screenSize;
}

// ---- Icons -----------------------------------------------------------------------

int HeadlessPlatform::LiveIcons() const {
    return static_cast<int>(state_->ownedIcons.size());
}

HICON HeadlessPlatform::LoadIconA(const std::string& resourceName) {
    Record(log, "LoadIconA", resourceName);
    if (!iconResources.count(resourceName)) {
        state_->lastError = 1813;  // ERROR_RESOURCE_TYPE_NOT_FOUND
        return 0;
    }
    auto& shared = state_->sharedIcons[resourceName];
    if (!shared) shared = state_->nextIcon++;
    return shared;
}

HICON HeadlessPlatform::CreateIconFromFile(const std::vector<std::uint8_t>& icoBytes) {
    Record(log, "CreateIconFromFile", icoBytes.size());
    if (icoBytes.empty()) return 0;
    HICON icon = state_->nextIcon++;
    state_->ownedIcons.insert(icon);
    return icon;
}

static bool IsShared(const std::map<std::string, HICON>& shared, HICON icon) {
    return std::any_of(shared.begin(), shared.end(), [&](auto& e) { return e.second == icon; });
}

HICON HeadlessPlatform::CopyIcon(HICON icon) {
    Record(log, "CopyIcon", icon);
    if (!state_->ownedIcons.count(icon) && !IsShared(state_->sharedIcons, icon)) return 0;
    HICON copy = state_->nextIcon++;
    state_->ownedIcons.insert(copy);
    return copy;
}

BOOL HeadlessPlatform::DestroyIcon(HICON icon) {
    Record(log, "DestroyIcon", icon);
    // Destroying a shared icon is harmless on Windows and leaves it usable.
    if (IsShared(state_->sharedIcons, icon)) return 1;
    return state_->ownedIcons.erase(icon) ? 1 : 0;
}

}  // namespace plat::headless
