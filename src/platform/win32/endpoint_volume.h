// The default playback device's own volume (Core Audio), which stands in for the
// auxiliary wave device that current Windows no longer has. Endpoints differ in what
// they implement: per-channel levels where they have them, else the master level.
#pragma once

#include <functional>
#include <optional>

#include "platform/win32/win.h"

#include <endpointvolume.h>

namespace w32 {

// How many channels the endpoint sets one by one: 0 when it does not tell.
UINT EndpointChannels(IAudioEndpointVolume& volume);
// The level word (left in the low 16 bits, right in the high) the endpoint reports;
// nothing when it cannot be read, which is a failure and not a level of 0.
std::optional<::DWORD> ReadEndpointLevels(IAudioEndpointVolume& volume);
// Sets the endpoint to the level word: each channel (those past the second follow
// the left), or else the master level to the louder of the two. False when the
// endpoint refused.
bool WriteEndpointLevels(IAudioEndpointVolume& volume, ::DWORD levels);

}  // namespace w32

namespace plat::win32 {

// One set call made on an endpoint: the channel (-1 for the master level), the
// level from 0 to 1, and whether the endpoint took it.
struct EndpointSetCall {
    int channel = -1;
    float level = 0;
    bool accepted = false;
};
// Called after every set call on an endpoint (tests watch them); empty: nobody.
void SetEndpointSetObserver(std::function<void(const EndpointSetCall&)> observer);

}  // namespace plat::win32
