// What plays now: the tip, the song notifications, copying the title and the sleep
// timer, which live in a group of the tray menu right after its first item.
#include <algorithm>
#include <string>

#include "app/radiotoolbar.h"
#include "app/radiowin.h"
#include "app/sleeptimer.h"
#include "app/songnews.h"
#include "components/PGTray95.h"
#include "gui/inifiles.h"
#include "platform/platform.h"

namespace {

const char* const kSettingsFile = "zelvora.ini";
const char* const kSongNotificationsKey = "SongNotifications";
// Tests shorten the sleep timer's minutes with this key of their settings file.
const char* const kTestingSection = "Testing";
constexpr int kMinuteMs = 60000, kShortestMinuteMs = 100;

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string SleepCaption(int minutes) {
    return minutes == 0 ? "Off" : std::to_string(minutes) + " Minutes";
}

}  // namespace

void TRadioForm::CreateSongItems() {
    auto item = [this](TMenuItem* parent, const char* name, const std::string& caption) {
        auto* made = new TMenuItem(this);
        made->SetName(name);
        made->SetCaption(caption);
        parent->Add(made);
        return made;
    };
    N8 = item(TrayMenu->Items(), "N8", "-");
    SongNotifications1 = item(TrayMenu->Items(), "SongNotifications1", "Song Notifications");
    SongNotifications1->OnClick = [this](TObject* s) { SongNotifications1Click(s); };
    CopySongTitle1 = item(TrayMenu->Items(), "CopySongTitle1", "Copy Song Title");
    CopySongTitle1->OnClick = [this](TObject* s) { CopySongTitle1Click(s); };
    CopySongTitle1->SetEnabled(false);
    Sleep1 = item(TrayMenu->Items(), "Sleep1", "Sleep");
    for (int minutes : {0, 15, 30, 60, 90}) {
        TMenuItem* choice = item(Sleep1, "", SleepCaption(minutes));
        choice->OnClick = [this, minutes](TObject*) { SetSleepTimer(minutes); };
        choice->SetChecked(minutes == 0);
    }
    songNews_ = std::make_unique<TSongNews>();
    sleepTimer_ = std::make_unique<TSleepTimer>(
        this, [this] { ShowNowPlaying(); }, [this] { SleepTimerEnded(); });
}

// ---- The tip and the notification ------------------------------------------------------

void TRadioForm::ShowNowPlaying() {
    const std::optional<std::string> title = Player.NowPlaying();
    const bool couldNotPlay = Player.CouldNotPlay();
    const std::string& trouble = Player.Trouble();
    // A player that ended or stopped by itself no longer plays the station.
    if (!Player.Playing() && !couldNotPlay && trouble.empty()) playingStation_.clear();
    songTitle_ = playingStation_.empty() || !title ? std::string() : Trimmed(OneLine(*title));

    const int left = SleepMinutesLeft();
    const std::string sleep = left > 0 ? "\nsleep in " + std::to_string(left) + " min" : "";
    const std::size_t room = kMaxTip - sleep.size();
    std::string tip;
    if (!playingStation_.empty() && couldNotPlay)
        tip = NowPlayingTip("Zelvora", playingStation_ + " " + trouble, room);
    else if (!playingStation_.empty() && (title || !trouble.empty()))
        tip = NowPlayingTip(playingStation_, trouble.empty() ? *title : trouble, room);
    else if (stoppedBySleep_)
        tip = "Zelvora - stopped by the sleep timer";
    if (left > 0) tip = tip.empty() ? "Zelvora - " + sleep.substr(1) : tip + sleep;
    PGTrayIcon951->SetHint(tip);
    TellSong();
    ShowSongItems();
}

void TRadioForm::TellSong() {
    if (songTitle_.empty() || !SongNotifications()) return;
    if (songNews_->Heard(playingStation_, songTitle_))
        PGTrayIcon951->ShowBalloon(OneLine(playingStation_), songTitle_);
}

// Both menus show the same: the tray's items before each popup, the floating
// window's at once.
void TRadioForm::ShowSongItems() {
    const bool notifications = songNotifications_.value_or(false);
    const int left = SleepMinutesLeft();
    SongNotifications1->SetChecked(notifications);
    CopySongTitle1->SetEnabled(!songTitle_.empty());
    Sleep1->SetCaption(left > 0 ? "Sleep (" + std::to_string(left) + " min)" : "Sleep");
    if (RadioFloatWin) RadioFloatWin->ShowSongItems(notifications, !songTitle_.empty(), left);
}

void TRadioForm::RefreshSongItems() {
    SongNotifications();
    ShowSongItems();
}

// ---- The entries ---------------------------------------------------------------------

bool TRadioForm::SongNotifications() {
    if (!songNotifications_)
        songNotifications_ =
            TIniFile(kSettingsFile).ReadBool("MainForm", kSongNotificationsKey, false);
    return *songNotifications_;
}

// Kept at once: a choice made in the tray outlives a session that ends without Exit.
void TRadioForm::SongNotifications1Click(TObject*) {
    const bool on = !SongNotifications();
    songNotifications_ = on;
    ShowSongItems();
    TIniFile(kSettingsFile).WriteBool("MainForm", kSongNotificationsKey, on);
}

void TRadioForm::CopySongTitle1Click(TObject*) {
    if (songTitle_.empty()) return;
    plat::Current().SetClipboardText(Handle(), songTitle_);
}

int TRadioForm::SleepMinutesLeft() const {
    return sleepTimer_ ? sleepTimer_->MinutesLeft() : 0;
}

void TRadioForm::SetSleepTimer(int minutes) {
    const int minuteMs =
        TIniFile(kSettingsFile).ReadInteger(kTestingSection, "MinuteMs", kMinuteMs);
    sleepTimer_->Start(minutes, static_cast<unsigned>(std::max(minuteMs, kShortestMinuteMs)));
    stoppedBySleep_ = false;
    for (int i = 0; i < Sleep1->Count(); ++i)
        Sleep1->Items(i)->SetChecked(Sleep1->Items(i)->Caption() == SleepCaption(minutes));
    ShowNowPlaying();
}

void TRadioForm::SleepTimerEnded() {
    StopPlayer();
    stoppedBySleep_ = true;
    for (int i = 0; i < Sleep1->Count(); ++i) Sleep1->Items(i)->SetChecked(i == 0);
    ShowNowPlaying();
}
