// Handing work to outside programs: the player for a station, the shell for an
// address.
#include "app/radiowin.h"

#include "app/words.h"

#include "gui/application.h"
#include "platform/platform.h"

void ShowPlayerFailure() {
    Application->MessageBox(DesktopWords().playerFailure, "Error", plat::MB_OK | plat::MB_ICONSTOP);
}

void TRadioForm::LaunchStation(const std::string& name) {
    auto url = Stations().ReadURL(name);
    if (!url) return;
    if (!Player.Play(RealAudioLoc, *url)) return ShowPlayerFailure();
    playingStation_ = name;
    stoppedBySleep_ = false;
    ShowNowPlaying();
}

// The tip is looked at every time: SetHint tells the shell only of a change.
void TRadioForm::PollPlayer() {
    if (songNews_) songNews_->Tick();
    Player.Poll();
    ShowNowPlaying();
}

void TRadioForm::StopPlayer() {
    Player.Stop();
    playingStation_.clear();
    ShowNowPlaying();
}

bool TRadioForm::LaunchURL(const std::string& address) {
    return plat::Current().ShellExecuteA(Application->Handle(), "open", address, "", "",
                                         plat::SW_SHOWNORMAL) > 32;
}
