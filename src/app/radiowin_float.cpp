// What the configuration window shares with the floating window: the mixer whose
// level the floating window shows, its drop-down list and its showing.
#include "app/radiowin.h"

#include "app/radiotoolbar.h"
#include "components/volume.h"
#include "platform/platform.h"

// Without a wave device there is no mixer at all, and the program still starts:
// the floating window shows why its volume bar is disabled.
void TRadioForm::CreateMixer() {
    try {
        MixerVolume1 = new TMixerVolume(this);
        MixerVolume1->SetName("MixerVolume1");
    } catch (const EDeviceTypeError&) {
        MixerVolume1 = nullptr;
    }
}

// The level stored with the window is deliberately not applied: starting the program
// must not change the user's volume, so the mixer keeps the level the device reports.
// Both channels move together; a bar on the left channel alone would silence the
// right one of a stereo device.
void TRadioForm::StoreMixer() {
    if (!MixerVolume1) return;
    MixerVolume1->SetChannel(chBoth);
}

bool TRadioForm::FindMixer() {
    if (MixerVolume1) return true;
    if (plat::Current().auxGetNumDevs() == 0) return false;
    CreateMixer();
    if (MixerVolume1) StoreMixer();
    return MixerVolume1 != nullptr;
}

void TRadioForm::RefillFloatingList() {
    if (RadioFloatWin) RadioFloatWin->CopyStationList(false);
}

void TRadioForm::ShowFloatingWindow(bool foreground) {
    if (!RadioFloatWin) return;
    RadioFloatWin->Show();
    if (foreground) plat::Current().SetForegroundWindow(RadioFloatWin->Handle());
}
