// The auxiliary level word (left level in the low 16 bits, right in the high, 0 to
// 0xFFFF each) against a PulseAudio sink's volume. The word maps linearly onto the
// sink's own scale, 0xFFFF being PA_VOLUME_NORM (100 % in pactl and the desktop's
// sound settings): that scale is already the one a person's slider moves on, as the
// Windows backend's word maps linearly onto the Windows endpoint's slider scalar. A
// sink raised past 100 % reads as full.
#pragma once

#include <pulse/channelmap.h>
#include <pulse/volume.h>

#include <cstdint>

namespace qtb {

pa_volume_t SinkLevel(std::uint16_t word);
std::uint16_t WordLevel(pa_volume_t level);

// The word a sink with these channels reports: the loudest channel of each side; a
// sink without sides (mono) gives its loudest channel on both.
std::uint32_t LevelWordOf(const pa_cvolume& volume, const pa_channel_map& channels);
// The volume that sets the sink to the word: the left channels to the left level,
// the right ones to the right, the others (centre, bass, mono) to the louder one.
pa_cvolume SinkVolumeOf(std::uint32_t word, const pa_channel_map& channels);

}  // namespace qtb
