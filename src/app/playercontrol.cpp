#include "app/playercontrol.h"

#include <algorithm>

#include "app/players.h"
#include "platform/platform.h"

namespace {

const char* const kStillClosing = "the player before did not end";

}  // namespace

// ---- A pinned process ----------------------------------------------------------------

TPinnedProcess::~TPinnedProcess() {
    if (process_) plat::Current().ReleaseProcess(process_);
}

TPinnedProcess& TPinnedProcess::operator=(TPinnedProcess&& other) noexcept {
    if (this != &other) {
        if (process_) plat::Current().ReleaseProcess(process_);
        process_ = other.process_;
        other.process_ = 0;
    }
    return *this;
}

plat::DWORD TPinnedProcess::Id() const {
    return process_ ? plat::Current().ProcessIdOf(process_) : 0;
}

bool TPinnedProcess::Ended(plat::UINT waitMs) const {
    return !process_ || plat::Current().ProcessHasEnded(process_, waitMs);
}

// ---- The player ------------------------------------------------------------------------

bool TPlayerControl::Play(const std::string& location, const std::string& url) {
    auto& p = plat::Current();
    plat::CommandLine line = PlayerCommand(location);
    const TPlayerKind& kind = PlayerKindOf(line.program);
    trouble_.clear();
    // What the player of the window class does with a second start is its own affair.
    if (!p.FindWindowA(kPlayerWindowClass, nullptr)) CloseBeforeNext(line.program, kind.handsOver);
    for (auto& argument : plat::SplitArguments(kind.arguments)) line.arguments.push_back(argument);
    for (auto& argument : plat::SplitArguments(kind.reconnect)) line.arguments.push_back(argument);
    std::unique_ptr<TMpvChannel> channel;
    if (kind.mpvChannel) {
        channel = std::make_unique<TMpvChannel>(TMpvChannel::NewAddress());
        line.arguments.push_back(channel->Option());
    }
    // An empty station file gives the player no address at all.
    if (!url.empty()) {
        if (kind.endsOptions) line.arguments.push_back("--");
        line.arguments.push_back(url);
    }
    return Start(line, kind, url, std::move(channel));
}

// A single-instance player started while the old copy is still closing would hand the
// new address to that copy and end, and the closing copy would take it along: nothing
// would play. So the closed players are waited for, for a bounded time.
void TPlayerControl::CloseBeforeNext(const std::string& program, bool handsOver) {
    std::vector<const Player*> closing;
    for (auto& player : Running()) {
        if (player.programFile == program && handsOver) continue;
        Close(player);
        if (player.closing) closing.push_back(&player);
    }
    bool waited = true;
    for (const Player* player : closing)
        if (!player->process.Ended(waited ? kPlayerEndWaitMs : 0)) waited = false;
    if (!waited) trouble_ = kStillClosing;
}

// mpv is asked on its channel: playing audio on Linux it has no window, and no
// MPRIS without its plugin.
void TPlayerControl::Close(Player& player) {
    if (player.channel && player.channel->Quit()) {
        player.closing = true;
        return;
    }
    player.closing = plat::Current().CloseProcessWindows(player.process.Get()) != 0;
}

void TPlayerControl::Stop() {
    auto& p = plat::Current();
    pendingUrl_.clear();
    // Posted: a player that hangs is the player's problem, not the tray's.
    if (plat::HWND window = p.FindWindowA(kPlayerWindowClass, nullptr)) {
        p.PostMessageA(window, plat::WM_CLOSE, 0, 0);
        return;
    }
    for (auto& player : Running()) Close(player);
    trouble_.clear();
    couldNotPlay_ = false;
}

bool TPlayerControl::Raise(const std::string& location) {
    auto& p = plat::Current();
    if (plat::HWND window = p.FindWindowA(kPlayerWindowClass, nullptr)) {
        p.SetForegroundWindow(window);
        return true;
    }
    auto& running = Running();
    for (auto player = running.rbegin(); player != running.rend(); ++player)
        if (p.RaiseProcessWindow(player->process.Get())) return true;
    // A player that plays without a window it could raise (mpv on the Linux desktop)
    // is left playing: a second copy started bare would be no window of it. A player
    // that hands a start to its running copy brings that copy forward itself.
    const plat::CommandLine line = PlayerCommand(location);
    const TPlayerKind& kind = PlayerKindOf(line.program);
    if (!running.empty() && !kind.handsOver) return true;
    return Start(line, kind, "", nullptr);
}

std::optional<std::string> TPlayerControl::NowPlaying() {
    auto& running = Running();
    if (running.empty()) return std::nullopt;
    return SeenNow(running.back()).title;
}

bool TPlayerControl::Playing() {
    return !Running().empty() || !pendingUrl_.empty();
}

bool TPlayerControl::Poll() {
    const std::size_t before = players_.size();
    for (auto& player : players_) player.polls = std::min(player.polls + 1, kQuickEndPolls);
    if (!pendingUrl_.empty()) {
        AdoptCopyPlaying();
        if (++pendingPolls_ >= kQuickEndPolls) pendingUrl_.clear();
    }
    const bool changed = Look();
    return changed || players_.size() != before;
}

std::vector<TPlayerControl::Player>& TPlayerControl::Running() {
    std::erase_if(players_, [this](const Player& player) {
        if (!player.stopped && !player.process.Ended()) return false;
        if (player.started && !player.closing && player.polls < kQuickEndPolls) endedEarly_ = true;
        return true;
    });
    return players_;
}

bool TPlayerControl::Start(const plat::CommandLine& line, const TPlayerKind& kind,
                           const std::string& url, std::unique_ptr<TMpvChannel> channel) {
    auto& p = plat::Current();
    plat::PROCESS started = 0;
    if (p.StartProcess(line.program, line.arguments, plat::SW_SHOWNORMAL, &started) < 32)
        return false;
    players_.push_back(
        {TPinnedProcess(started), line.program, 0, true, false, std::move(channel), kind.caption});
    couldNotPlay_ = false;
    const bool handsOver = kind.handsOver;
    pendingUrl_.clear();
    if (handsOver && !url.empty()) {
        pendingUrl_ = url;
        pendingProgram_ = line.program;
        pendingPolls_ = 0;
        AdoptCopyPlaying();
    }
    return true;
}

// The copy that took the address: the one player not yet known that says it plays
// it, else the one other copy of the program that runs. With several and none
// telling, none is taken.
void TPlayerControl::AdoptCopyPlaying() {
    auto& p = plat::Current();
    auto unknown = [&](std::vector<plat::DWORD> ids) {
        std::erase_if(ids, [&](plat::DWORD id) { return id == 0 || Knows(id); });
        return ids;
    };
    auto copies = unknown(p.ProcessesPlaying(pendingUrl_));
    if (copies.empty()) copies = unknown(p.ProcessesOfProgram(pendingProgram_));
    if (copies.size() != 1) return;
    TPinnedProcess copy(p.OpenProcess(copies.front()));
    if (!copy.Get()) return;
    players_.push_back({std::move(copy), pendingProgram_, kQuickEndPolls, false, false, nullptr,
                        PlayerKindOf(pendingProgram_).caption});
    pendingUrl_.clear();
}

bool TPlayerControl::Knows(plat::DWORD id) const {
    return std::any_of(players_.begin(), players_.end(),
                       [&](const Player& player) { return player.process.Id() == id; });
}
