#include "components/volume.h"

#include <cstring>

#include "platform/platform.h"

namespace {

// The size of AUXCAPSA that the system expects.
constexpr plat::UINT AuxCapsSize = 48;
static_assert(sizeof(plat::AUXCAPS) == AuxCapsSize);

}  // namespace

const char* DeviceTypeErrorText(TDeviceTypes type) {
    switch (type) {
        case dtWave:
            return "No Wave device available";
        case dtMidi:
            return "No Midi device available";
        case dtCDAudio:
            return "No CD-audio device available";
        case dtLineIn:
            return "No Line-In device available";
        case dtMicrophone:
            return "No Microfoon device avialable";
        case dTMixerVolume:
            return "No Volume device available";
        case dtPCSpeaker:
            return "No Speaker device available";
    }
    return "No device available";
}

EDeviceTypeError::EDeviceTypeError(TDeviceTypes type) : Exception(DeviceTypeErrorText(type)) {}

TMixerVolume::TMixerVolume(TComponent* owner) : TComponent(owner) {
    ReadVolume();
    ReadDeviceCaps(deviceType_);
}

TMixerVolume::~TMixerVolume() = default;

void TMixerVolume::Loaded() {
    TComponent::Loaded();
    ReadVolume();
    ReadDeviceCaps(deviceType_);
}

void TMixerVolume::Refresh() {
    ReadDeviceCaps(deviceType_);
    ReadVolume();
}

std::int32_t TMixerVolume::NumberOfDevices() const {
    return static_cast<std::int32_t>(plat::Current().auxGetNumDevs());
}

plat::DWORD TMixerVolume::EncodeVolume(TMinMaxVolume level) const {
    plat::DWORD v = level;
    switch (channel_) {
        case chLeft:
            return v * 257;
        case chRight:
            return (v * 257) << 16;
        default:
            return (v * 256) << 16 | v * 256;
    }
}

void TMixerVolume::ReadVolume() {
    plat::DWORD value = 0;
    auto result = plat::Current().auxGetVolume(deviceType_, &value);
    if (result == plat::MMSYSERR_BADDEVICEID) throw EDeviceTypeError(deviceType_);
    // Any other failure leaves the last level known rather than a made-up one.
    if (result != plat::MMSYSERR_NOERROR) return;
    volume_ = static_cast<TMinMaxVolume>(channel_ == chRight ? value >> 24 : value >> 8);
}

void TMixerVolume::ReadDeviceCaps(TDeviceTypes type) {
    plat::AUXCAPS caps;
    auto result = plat::Current().auxGetDevCapsA(type, &caps, AuxCapsSize);
    if (result == plat::MMSYSERR_BADDEVICEID) throw EDeviceTypeError(type);
    // Any other failure keeps the description last read, as with the level.
    if (result != plat::MMSYSERR_NOERROR) return;
    supportVolume_ = (caps.dwSupport & plat::AUXCAPS_VOLUME) != 0;
    supportChannels_ = (caps.dwSupport & plat::AUXCAPS_LRVOLUME) != 0;
    manufacturer_ = caps.wMid == plat::MM_MICROSOFT ? std::string("Microsoft")
                                                    : std::to_string(caps.wMid) + " = Unknown";
    driverVersion_ = static_cast<std::int32_t>(caps.vDriverVersion);
    // The name ends at its NUL, or at the end of the field when a driver fills it.
    productName_.assign(caps.szPname, strnlen(caps.szPname, sizeof caps.szPname));
}

void TMixerVolume::SetDeviceType(TDeviceTypes type) {
    ReadDeviceCaps(type);
    if (type == deviceType_ || !supportVolume_) return;
    deviceType_ = type;
    ReadVolume();
    if (!supportChannels_) channel_ = chBoth;
}

void TMixerVolume::SetChannel(TChannel channel) {
    if (channel == channel_) return;
    if (!supportChannels_) {
        channel_ = chBoth;
        return;
    }
    channel_ = channel;
    ReadVolume();
}

void TMixerVolume::WriteVolume(TMinMaxVolume level) {
    volume_ = level;  // kept even when the device turns out to be missing
    auto result = plat::Current().auxSetVolume(deviceType_, EncodeVolume(level));
    if (result == plat::MMSYSERR_BADDEVICEID) throw EDeviceTypeError(deviceType_);
}

void TMixerVolume::SetVolume(TMinMaxVolume volume) {
    if (volume == volume_ || mute_) return;
    WriteVolume(volume);
}

void TMixerVolume::SetMute(bool mute) {
    if (mute == mute_) return;
    mute_ = mute;
    // Muting always silences the device, even when Volume already reads 0: the
    // device may have been raised by another program since it was last read.
    if (mute) WriteVolume(0);
}
