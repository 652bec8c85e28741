// Other programs' processes: started by CreateProcessA or put there by the test, each
// with the windows it shows, behaving as the test's script says.
#include "platform/command_line.h"
#include "platform/headless/state.h"

namespace plat::headless {

namespace {

ProgramScript ScriptOf(const HeadlessPlatform& h, const std::string& file) {
    for (const auto& [name, script] : h.programs)
        if (EqualsIgnoreCase(name, file)) return script;
    return {};
}

ProcessRecord* Running(std::deque<ProcessRecord>& processes, DWORD id) {
    for (auto& p : processes)
        if (p.id == id) return p.running ? &p : nullptr;
    return nullptr;
}

ProcessWindow* FirstVisible(ProcessRecord& p) {
    for (auto& w : p.windows)
        if (w.visible) return &w;
    return nullptr;
}

}  // namespace

DWORD HeadlessPlatform::AddProcess(const std::string& programFile,
                                   std::vector<ProcessWindow> windows) {
    ProcessRecord p;
    p.id = 1000 + 4 * static_cast<DWORD>(processes.size());
    p.programFile = programFile;
    p.windows = std::move(windows);
    processes.push_back(std::move(p));
    return processes.back().id;
}

const ProcessRecord* HeadlessPlatform::Process(DWORD id) const {
    for (const auto& p : processes)
        if (p.id == id) return &p;
    return nullptr;
}

// A process is pinned by its id: the ids here are never given out again.
UINT HeadlessPlatform::StartProcess(const std::string& program,
                                    const std::vector<std::string>& arguments, int showCmd,
                                    PROCESS* process) {
    const std::string commandLine = JoinCommandLine({program, arguments});
    Record(log, "StartProcess", commandLine, showCmd);
    winExecs.push_back({commandLine, showCmd, program, arguments});
    if (process) *process = 0;
    UINT result = 33;
    if (!winExecResults.empty()) {
        result = winExecResults.front();
        winExecResults.pop_front();
    }
    if (result < 32) return result;

    const ProgramScript script = ScriptOf(*this, program);
    // A deque keeps its elements in place as it grows: copy stays valid below.
    ProcessRecord* copy = nullptr;
    for (auto& p : processes)
        if (!copy && p.running && EqualsIgnoreCase(p.programFile, program)) copy = &p;
    std::vector<ProcessWindow> windows;
    if (script.hasWindow) windows.push_back({"", showCmd != SW_HIDE, false});
    DWORD id = AddProcess(program, windows);
    if (script.mpvChannel) ListenForPlayer(id, arguments);
    processes.back().commandLines.push_back(commandLine);
    if (script.handsOver && copy) {
        // The new process hands its line to the running copy and ends at once.
        copy->commandLines.push_back(commandLine);
        processes.back().running = false;
    }
    ++pinnedProcesses;
    if (process) *process = id;
    return result;
}

PROCESS HeadlessPlatform::OpenProcess(DWORD processId) {
    Record(log, "OpenProcess", processId);
    if (!Running(processes, processId)) return 0;
    ++pinnedProcesses;
    return processId;
}

void HeadlessPlatform::ReleaseProcess(PROCESS process) {
    if (process) --pinnedProcesses;
}

DWORD HeadlessPlatform::ProcessIdOf(PROCESS process) {
    return static_cast<DWORD>(process);
}

// A process that was asked to close and takes a while ends when a wait reaches the
// time it ends at; the clock itself does not move.
bool HeadlessPlatform::ProcessHasEnded(PROCESS process, UINT milliseconds) {
    ProcessRecord* p = Running(processes, static_cast<DWORD>(process));
    if (!p) return true;
    if (milliseconds) processWaits.push_back(milliseconds);
    if (p->endsAt && p->endsAt <= Now() + milliseconds) p->running = false;
    return !p->running;
}

std::vector<DWORD> HeadlessPlatform::ProcessesOfProgram(const std::string& programFile) {
    Record(log, "ProcessesOfProgram", programFile);
    std::vector<DWORD> found;
    for (const auto& p : processes)
        if (p.running && EqualsIgnoreCase(p.programFile, programFile)) found.push_back(p.id);
    return found;
}

std::vector<DWORD> HeadlessPlatform::ProcessesPlaying(const std::string& address) {
    Record(log, "ProcessesPlaying", address);
    std::vector<DWORD> found;
    if (!publishesNowPlaying) return found;
    for (const auto& [id, playing] : playingAddress)
        if (playing == address && Running(processes, id)) found.push_back(id);
    return found;
}

BOOL HeadlessPlatform::CloseProcessWindows(PROCESS process) {
    Record(log, "CloseProcessWindows", process);
    ProcessRecord* p = Running(processes, static_cast<DWORD>(process));
    if (!p || !FirstVisible(*p)) return 0;
    ++p->closeRequests;
    const ProgramScript script = ScriptOf(*this, p->programFile);
    if (script.ignoresClose) return 1;
    if (script.closingMs && !p->endsAt) p->endsAt = Now() + script.closingMs;
    if (!script.closingMs) p->running = false;
    return 1;
}

BOOL HeadlessPlatform::RaiseProcessWindow(PROCESS process) {
    Record(log, "RaiseProcessWindow", process);
    ProcessRecord* p = Running(processes, static_cast<DWORD>(process));
    ProcessWindow* w = p ? FirstVisible(*p) : nullptr;
    if (!w) return 0;
    w->minimized = false;
    ++p->raises;
    return 1;
}

std::optional<std::string> HeadlessPlatform::NowPlayingTitle(PROCESS process) {
    Record(log, "NowPlayingTitle", process);
    if (!publishesNowPlaying) return std::nullopt;
    auto title = nowPlaying.find(static_cast<DWORD>(process));
    return title == nowPlaying.end() ? std::string() : title->second;
}

void HeadlessPlatform::WatchNowPlaying(HWND window, UINT message) {
    Record(log, "WatchNowPlaying", window, message);
    nowPlayingWindow = window;
    nowPlayingMessage = message;
}

void HeadlessPlatform::SetNowPlaying(DWORD processId, const std::string& title) {
    publishesNowPlaying = true;
    nowPlaying[processId] = title;
    if (nowPlayingWindow) PostMessageA(nowPlayingWindow, nowPlayingMessage, processId, 0);
}

std::optional<std::string> HeadlessPlatform::GetEnvironmentVariableA(const std::string& name) {
    Record(log, "GetEnvironmentVariableA", name);
    for (const auto& [key, value] : environment)
        if (EqualsIgnoreCase(key, name)) return value;
    state_->lastError = ERROR_ENVVAR_NOT_FOUND;
    return std::nullopt;
}

}  // namespace plat::headless
