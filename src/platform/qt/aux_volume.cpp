// The auxiliary wave device, device 0, is the audio server's default playback device
// (pulse_volume.h); there are no others. Without a server, or a server without a
// sink, there is no device, and the volume bar says so.
#include <pulse/version.h>

#include <algorithm>
#include <cstring>

#include "platform/qt/pulse_levels.h"
#include "platform/qt/pulse_volume.h"
#include "platform/qt/qt_platform.h"

namespace qtb {

namespace {

// The description cut to the field, never inside a UTF-8 sequence.
void CopyName(const std::string& name, char (&field)[32]) {
    std::size_t n = std::min(name.size(), sizeof field - 1);
    while (n > 0 && n < name.size() && (static_cast<unsigned char>(name[n]) & 0xC0) == 0x80) --n;
    std::memcpy(field, name.data(), n);
    field[n] = '\0';
}

}  // namespace

PulseVolume& QtPlatform::Volume() {
    if (!volume_) volume_ = std::make_unique<PulseVolume>();
    return *volume_;
}

UINT QtPlatform::auxGetNumDevs() {
    return Volume().Sink() ? 1 : 0;
}

MMRESULT QtPlatform::auxGetDevCapsA(UINT device, plat::AUXCAPS* caps, UINT size) {
    if (!caps || size < sizeof(plat::AUXCAPS)) return plat::MMSYSERR_ERROR;
    auto sink = device == 0 ? Volume().Sink() : std::nullopt;
    if (!sink) return plat::MMSYSERR_BADDEVICEID;
    *caps = plat::AUXCAPS{};
    caps->vDriverVersion = PA_MAJOR << 8 | PA_MINOR;  // of the client library
    CopyName(sink->description.empty() ? sink->name : sink->description, caps->szPname);
    caps->dwSupport =
        plat::AUXCAPS_VOLUME | (sink->channels.channels >= 2 ? plat::AUXCAPS_LRVOLUME : 0);
    return plat::MMSYSERR_NOERROR;
}

MMRESULT QtPlatform::auxGetVolume(UINT device, DWORD* volume) {
    auto sink = device == 0 ? Volume().Sink() : std::nullopt;
    if (!sink) return plat::MMSYSERR_BADDEVICEID;
    if (volume) *volume = LevelWordOf(sink->volume, sink->channels);
    return plat::MMSYSERR_NOERROR;
}

MMRESULT QtPlatform::auxSetVolume(UINT device, DWORD volume) {
    if (device != 0) return plat::MMSYSERR_BADDEVICEID;
    switch (Volume().SetLevels(volume)) {
        case PulseVolume::SetResult::sent:
            return plat::MMSYSERR_NOERROR;
        case PulseVolume::SetResult::noSink:
            return plat::MMSYSERR_BADDEVICEID;
        default:
            return plat::MMSYSERR_ERROR;
    }
}

}  // namespace qtb
