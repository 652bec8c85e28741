// TMixerVolume: the playback level (0 to 255) of one auxiliary audio device, for
// the left channel, the right channel or both, and the device's description. Every
// operation is one auxiliary-audio call; no connection is kept between calls.
#pragma once

#include <cstdint>
#include <string>

#include "gui/component.h"
#include "gui/exceptions.h"
#include "platform/types.h"

// The ordinal is the auxiliary device number; the name only picks the error text.
enum TDeviceTypes : std::uint8_t {
    dtWave,
    dtMidi,
    dtCDAudio,
    dtLineIn,
    dtMicrophone,
    dTMixerVolume,
    dtPCSpeaker,
};

enum TChannel : std::uint8_t { chLeft, chRight, chBoth };

using TMinMaxVolume = std::uint8_t;

// Raised when the device of a type does not exist, with that type's message.
class EDeviceTypeError : public Exception {
  public:
    using Exception::Exception;
    explicit EDeviceTypeError(TDeviceTypes type);
};

// "No Wave device available" ... by device type.
const char* DeviceTypeErrorText(TDeviceTypes type);

class TMixerVolume : public TComponent {
  public:
    // Reads the level and then the description of device 0 (dtWave); raises
    // EDeviceTypeError "No Wave device available" when there is no such device.
    explicit TMixerVolume(TComponent* owner);
    ~TMixerVolume() override;

    TDeviceTypes DeviceType() const { return deviceType_; }
    // Describes the requested type first (raising when it has no device); takes it
    // only when it differs and its level can be set, then reads its level.
    void SetDeviceType(TDeviceTypes type);
    TChannel Channel() const { return channel_; }
    // A single channel is taken only on a device that controls the two separately;
    // otherwise the channel becomes chBoth.
    void SetChannel(TChannel channel);
    bool Mute() const { return mute_; }
    // Muting sets the device to 0 and ignores Volume writes; unmuting sends nothing.
    void SetMute(bool mute);
    TMinMaxVolume Volume() const { return volume_; }
    // Stores the level, then sets the device; ignored while muted or when unchanged.
    void SetVolume(TMinMaxVolume volume);

    // Information about the device as last queried. The setters exist so that a
    // stored layout may carry the values; they are ignored.
    std::int32_t DriverVersion() const { return driverVersion_; }
    void SetDriverVersion(std::int32_t) {}
    const std::string& Manufacturer() const { return manufacturer_; }
    void SetManufacturer(const std::string&) {}
    const std::string& ProductName() const { return productName_; }
    void SetProductName(const std::string&) {}
    bool SupportChannels() const { return supportChannels_; }
    void SetSupportChannels(bool) {}
    bool SupportVolume() const { return supportVolume_; }
    void SetSupportVolume(bool) {}
    // The number of auxiliary devices, asked of the system at every reading.
    std::int32_t NumberOfDevices() const;
    void SetNumberOfDevices(std::int32_t) {}

    // Describes the device again, then reads its level into Volume.
    void Refresh();

    // The auxiliary volume word for a level on the current Channel: a single channel
    // reaches 0xFFFF at 255 and the other is 0; both channels reach 0xFF00.
    plat::DWORD EncodeVolume(TMinMaxVolume level) const;

  protected:
    void Loaded() override;

  private:
    void ReadVolume();
    void ReadDeviceCaps(TDeviceTypes type);
    void WriteVolume(TMinMaxVolume level);

    TDeviceTypes deviceType_ = dtWave;
    TChannel channel_ = chBoth;
    bool mute_ = false;
    TMinMaxVolume volume_ = 0;
    std::int32_t driverVersion_ = 0;
    std::string manufacturer_;
    std::string productName_;
    bool supportChannels_ = false;
    bool supportVolume_ = false;
};
