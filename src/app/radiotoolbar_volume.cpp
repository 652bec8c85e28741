// The volume bar and the mixer behind it. Most machines today have no auxiliary
// device for the wave output, so a missing mixer is an ordinary state, shown on the
// bar itself. So is a mixer that answered and then stops (a sound server restarted):
// a box over whatever the user is doing would tell nothing the bar does not.
#include "app/radiotoolbar.h"

#include "app/radiowin.h"
#include "components/volume.h"

namespace {

const char* const kNoMixerHint = "No volume control: this computer has no wave output device.";
const char* const kMixerLostHint = "No volume control: the wave output device stopped answering.";

}  // namespace

void TRadioFloatWin::ShowVolume() {
    TMixerVolume* mixer = RadioForm->MixerVolume1;
    if (!mixer) return VolumeUnavailable(kNoMixerHint);
    VolumeBar->SetPosition(mixer->Volume());
}

// A disabled control gets no mouse messages, they go to the window under it: the
// window carries the reason too, so that it shows while the mouse rests on the bar.
void TRadioFloatWin::VolumeUnavailable(const char* why) {
    VolumeBar->SetEnabled(false);
    for (TControl* c : {static_cast<TControl*>(VolumeBar), static_cast<TControl*>(this)}) {
        c->SetHint(why);
        c->SetShowHint(true);
    }
}

void TRadioFloatWin::VolumeAvailable() {
    VolumeBar->SetEnabled(true);
    for (TControl* c : {static_cast<TControl*>(VolumeBar), static_cast<TControl*>(this)}) {
        c->SetShowHint(false);
        c->SetHint("");
    }
}

void TRadioFloatWin::VolumeBarEnter(TObject*) {
    volumeBarEntered_ = true;
}

void TRadioFloatWin::VolumeBarChange(TObject*) {
    TMixerVolume* mixer = RadioForm->MixerVolume1;
    if (!volumeBarEntered_ || !mixer) return;
    try {
        mixer->SetVolume(static_cast<TMinMaxVolume>(VolumeBar->Position()));
    } catch (const EDeviceTypeError&) {
        VolumeUnavailable(kMixerLostHint);
    }
}

// The poll also looks at the player. A device that comes back after failing gets its
// bar back, and so does one that was not there at the start.
void TRadioFloatWin::Timer1Timer(TObject*) {
    RadioForm->PollPlayer();
    if (!RadioForm->MixerVolume1 && !RadioForm->FindMixer()) return;
    TMixerVolume* mixer = RadioForm->MixerVolume1;
    try {
        mixer->Refresh();
    } catch (const EDeviceTypeError&) {
        return VolumeUnavailable(kMixerLostHint);
    }
    if (!VolumeBar->Enabled()) VolumeAvailable();
    VolumeBar->SetPosition(mixer->Volume());
}
