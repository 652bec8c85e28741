#include "platform/win32/endpoint_volume.h"

namespace plat::win32 {

namespace {

std::function<void(const EndpointSetCall&)>& Observer() {
    static std::function<void(const EndpointSetCall&)> observer;
    return observer;
}

}  // namespace

void SetEndpointSetObserver(std::function<void(const EndpointSetCall&)> observer) {
    Observer() = std::move(observer);
}

}  // namespace plat::win32

namespace w32 {

namespace {

WORD ToWord(float level) {
    if (!(level > 0)) return 0;  // also for NaN
    return level >= 1 ? 0xFFFF : static_cast<WORD>(level * 65535.0f + 0.5f);
}

float ToScalar(WORD level) {
    return level / 65535.0f;
}

bool Told(int channel, float level, HRESULT hr) {
    if (auto& observer = plat::win32::Observer()) observer({channel, level, SUCCEEDED(hr)});
    return SUCCEEDED(hr);
}

bool SetChannels(IAudioEndpointVolume& volume, UINT channels, WORD left, WORD right) {
    bool ok = true;
    for (UINT c = 0; c < channels; ++c) {
        const float level = ToScalar(c == 1 ? right : left);
        ok = Told(static_cast<int>(c), level,
                  volume.SetChannelVolumeLevelScalar(c, level, nullptr)) &&
             ok;
    }
    return ok;
}

}  // namespace

UINT EndpointChannels(IAudioEndpointVolume& volume) {
    UINT n = 0;
    return SUCCEEDED(volume.GetChannelCount(&n)) ? n : 0;
}

std::optional<::DWORD> ReadEndpointLevels(IAudioEndpointVolume& volume) {
    float left = 0, right = 0;
    const UINT channels = EndpointChannels(volume);
    if (channels > 0 && SUCCEEDED(volume.GetChannelVolumeLevelScalar(0, &left))) {
        right = left;
        if (channels >= 2 && FAILED(volume.GetChannelVolumeLevelScalar(1, &right)))
            return std::nullopt;
    } else if (SUCCEEDED(volume.GetMasterVolumeLevelScalar(&left))) {
        right = left;
    } else {
        return std::nullopt;
    }
    return static_cast<::DWORD>(ToWord(right)) << 16 | ToWord(left);
}

bool WriteEndpointLevels(IAudioEndpointVolume& volume, ::DWORD levels) {
    const WORD left = static_cast<WORD>(levels & 0xFFFF);
    const UINT channels = EndpointChannels(volume);
    const WORD right = channels == 1 ? left : static_cast<WORD>(levels >> 16);
    if (channels > 0 && SetChannels(volume, channels, left, right)) return true;
    const float master = ToScalar(left > right ? left : right);
    return Told(-1, master, volume.SetMasterVolumeLevelScalar(master, nullptr));
}

}  // namespace w32
