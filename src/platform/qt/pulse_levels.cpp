#include "platform/qt/pulse_levels.h"

#include <algorithm>

namespace qtb {

namespace {

constexpr std::uint64_t kFullWord = 0xFFFF;

// Rounded to the nearest, so that a word set and read back is the same word.
std::uint64_t Scaled(std::uint64_t value, std::uint64_t to, std::uint64_t from) {
    return (value * to + from / 2) / from;
}

enum class Side { left, right, neither };

Side SideOf(pa_channel_position_t at) {
    switch (at) {
        case PA_CHANNEL_POSITION_FRONT_LEFT:
        case PA_CHANNEL_POSITION_REAR_LEFT:
        case PA_CHANNEL_POSITION_FRONT_LEFT_OF_CENTER:
        case PA_CHANNEL_POSITION_SIDE_LEFT:
        case PA_CHANNEL_POSITION_TOP_FRONT_LEFT:
        case PA_CHANNEL_POSITION_TOP_REAR_LEFT:
            return Side::left;
        case PA_CHANNEL_POSITION_FRONT_RIGHT:
        case PA_CHANNEL_POSITION_REAR_RIGHT:
        case PA_CHANNEL_POSITION_FRONT_RIGHT_OF_CENTER:
        case PA_CHANNEL_POSITION_SIDE_RIGHT:
        case PA_CHANNEL_POSITION_TOP_FRONT_RIGHT:
        case PA_CHANNEL_POSITION_TOP_REAR_RIGHT:
            return Side::right;
        default:
            return Side::neither;
    }
}

}  // namespace

pa_volume_t SinkLevel(std::uint16_t word) {
    return static_cast<pa_volume_t>(Scaled(word, PA_VOLUME_NORM, kFullWord));
}

std::uint16_t WordLevel(pa_volume_t level) {
    if (level >= PA_VOLUME_NORM) return static_cast<std::uint16_t>(kFullWord);
    return static_cast<std::uint16_t>(Scaled(level, kFullWord, PA_VOLUME_NORM));
}

std::uint32_t LevelWordOf(const pa_cvolume& volume, const pa_channel_map& channels) {
    pa_volume_t left = PA_VOLUME_MUTED, right = PA_VOLUME_MUTED;
    bool sides = false;
    const unsigned n = std::min<unsigned>(volume.channels, channels.channels);
    for (unsigned c = 0; c < n; ++c) {
        const Side side = SideOf(channels.map[c]);
        if (side == Side::left) left = std::max(left, volume.values[c]);
        if (side == Side::right) right = std::max(right, volume.values[c]);
        sides = sides || side != Side::neither;
    }
    if (!sides) left = right = pa_cvolume_max(&volume);
    return std::uint32_t{WordLevel(right)} << 16 | WordLevel(left);
}

pa_cvolume SinkVolumeOf(std::uint32_t word, const pa_channel_map& channels) {
    const pa_volume_t left = SinkLevel(static_cast<std::uint16_t>(word & 0xFFFF));
    const pa_volume_t right = SinkLevel(static_cast<std::uint16_t>(word >> 16));
    pa_cvolume volume;
    pa_cvolume_init(&volume);
    volume.channels = channels.channels;
    for (unsigned c = 0; c < channels.channels; ++c) {
        const Side side = SideOf(channels.map[c]);
        volume.values[c] = side == Side::left    ? left
                           : side == Side::right ? right
                                                 : std::max(left, right);
    }
    return volume;
}

}  // namespace qtb
