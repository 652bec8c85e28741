// What the players show: the title each tells and whether it still plays the station.
#include "app/playercontrol.h"
#include "app/players.h"
#include "platform/platform.h"

namespace {

const char* const kCouldNotPlay = "could not be played";

}  // namespace

bool TPlayerControl::Look() {
    const std::size_t before = players_.size();
    const std::string troubleBefore = trouble_;
    bool told = false;
    for (auto& player : players_) {
        if (player.channel && player.channel->Pump()) told = true;
        LookAt(player);
    }
    Running();
    // A single-instance player's start ends at once by design when it hands the
    // address over: only when no copy runs that could have taken it has it failed.
    if (!players_.empty()) {
        endedEarly_ = false;
    } else if (endedEarly_ && (pendingUrl_.empty() ||
                               plat::Current().ProcessesOfProgram(pendingProgram_).empty())) {
        pendingUrl_.clear();
        trouble_ = kCouldNotPlay;
        couldNotPlay_ = true;
        endedEarly_ = false;
    }
    return told || players_.size() != before || trouble_ != troubleBefore;
}

// A player stopped from its own controls may run on with nothing to play. It is
// taken for stopped only once it has said it played, since a player says it is
// stopped while it opens the stream, and a copy handed the station may still say
// so from before.
void TPlayerControl::LookAt(Player& player) {
    if (player.process.Ended()) return;
    const Seen seen = SeenNow(player);
    if (seen.playing) player.heardPlaying = true;
    if (seen.stopped && player.heardPlaying) player.stopped = true;
}

TPlayerControl::Seen TPlayerControl::SeenNow(Player& player) const {
    auto& p = plat::Current();
    const plat::PROCESS process = player.process.Get();
    Seen seen;
    // An open channel is mpv's own word. Its MPRIS plug-in says "Stopped" until the
    // stream opens, which would end the player before its channel has told anything.
    if (player.channel && player.channel->Connected()) {
        seen.playing = true;
        seen.title = player.channel->Title();
        return seen;
    }
    if (*player.caption) {
        if (auto caption = p.ProcessWindowCaption(process)) {
            if (auto title = TitleFromCaption(player.caption, *caption)) {
                seen.title = title;
                seen.playing = !title->empty();
                seen.stopped = title->empty();
                return seen;
            }
        }
    }
    const std::string status = p.PlaybackStatus(process);
    seen.playing = seen.playing || status == "Playing";
    seen.stopped = status == "Stopped";
    seen.title = p.NowPlayingTitle(process);
    return seen;
}
