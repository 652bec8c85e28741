#include "app/playercontrol.h"

#include <algorithm>
#include <map>

#include "app/players.h"
#include "app/radiowin.h"
#include "platform/platform.h"

bool TPlayerControl::Play(const std::string& location, const std::string& url) {
    auto& p = plat::Current();
    const std::string program = PlayerProgramFile(location);
    const TPlayerKind& kind = PlayerKindOf(program);
    auto running = Running();
    // What the player of the window class does with a second start is its own affair.
    if (!running.empty() && !p.FindWindowA(kPlayerWindowClass, nullptr)) {
        for (const auto& player : running)
            if (player.programFile != program || !kind.handsOver)
                p.CloseProcessWindows(player.process);
    }
    std::string line = QuotedPlayerLocation(location);
    if (*kind.arguments) line += std::string(" ") + kind.arguments;
    return Start(line + (kind.endsOptions ? " -- " : " ") + url, program, kind.handsOver);
}

void TPlayerControl::Stop() {
    auto& p = plat::Current();
    if (plat::HWND window = p.FindWindowA(kPlayerWindowClass, nullptr)) {
        p.SendMessageA(window, plat::WM_CLOSE, 0, 0);
        return;
    }
    for (const auto& player : Running()) p.CloseProcessWindows(player.process);
}

bool TPlayerControl::Raise(const std::string& location) {
    auto& p = plat::Current();
    if (plat::HWND window = p.FindWindowA(kPlayerWindowClass, nullptr)) {
        p.SetForegroundWindow(window);
        return true;
    }
    auto running = Running();
    for (auto player = running.rbegin(); player != running.rend(); ++player)
        if (p.RaiseProcessWindow(player->process)) return true;
    // A player that plays without a window it could raise (mpv on the Linux desktop)
    // is left playing: a second copy started bare would be no window of it. A player
    // that hands a start to its running copy brings that copy forward itself.
    const std::string program = PlayerProgramFile(location);
    if (!running.empty() && !PlayerKindOf(program).handsOver) return true;
    return Start(QuotedPlayerLocation(location), program, false);
}

std::optional<std::string> TPlayerControl::NowPlaying() {
    auto running = Running();
    if (running.empty()) return std::nullopt;
    return plat::Current().NowPlayingTitle(running.back().process);
}

std::vector<TPlayerControl::Played> TPlayerControl::Running() {
    std::map<std::string, std::vector<plat::DWORD>> running;  // program file -> processes
    for (const auto& player : played_)
        if (!running.contains(player.programFile))
            running[player.programFile] = plat::Current().ProcessesOfProgram(player.programFile);
    std::erase_if(played_, [&](const Played& player) {
        const auto& alive = running[player.programFile];
        return std::find(alive.begin(), alive.end(), player.process) == alive.end();
    });
    return played_;
}

bool TPlayerControl::Start(const std::string& commandLine, const std::string& programFile,
                           bool handsOver) {
    auto& p = plat::Current();
    plat::DWORD process = 0;
    if (p.CreateProcessA(commandLine, plat::SW_SHOWNORMAL, &process) < 32) return false;
    Remember(process, programFile);
    // The copy that took the address is the player now, whichever process it is.
    if (handsOver)
        for (plat::DWORD copy : p.ProcessesOfProgram(programFile)) Remember(copy, programFile);
    return true;
}

void TPlayerControl::Remember(plat::DWORD process, const std::string& programFile) {
    if (process == 0) return;
    for (const auto& player : played_)
        if (player.process == process) return;
    played_.push_back({process, programFile});
}
