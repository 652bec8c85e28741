// Other programs' processes: started by CreateProcessA or put there by the test, each
// with the windows it shows, behaving as the test's script says.
#include "platform/headless/state.h"

namespace plat::headless {

namespace {

// The program a command line starts: the quoted part, or the longest program the
// script knows (or a process runs) that the line begins with, else the first word.
std::string ProgramOf(const HeadlessPlatform& h, const std::string& line) {
    if (line.starts_with('"')) return line.substr(1, line.find('"', 1) - 1);
    std::string best;
    auto consider = [&](const std::string& file) {
        bool starts =
            line.size() >= file.size() && EqualsIgnoreCase(line.substr(0, file.size()), file);
        if (starts && (line.size() == file.size() || line[file.size()] == ' ') &&
            file.size() > best.size())
            best = file;
    };
    for (const auto& [file, script] : h.programs) consider(file);
    for (const auto& p : h.processes) consider(p.programFile);
    return best.empty() ? line.substr(0, line.find(' ')) : best;
}

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

UINT HeadlessPlatform::CreateProcessA(const std::string& commandLine, int showCmd,
                                      DWORD* processId) {
    Record(log, "CreateProcessA", commandLine, showCmd);
    winExecs.push_back({commandLine, showCmd});
    if (processId) *processId = 0;
    UINT result = 33;
    if (!winExecResults.empty()) {
        result = winExecResults.front();
        winExecResults.pop_front();
    }
    if (result < 32) return result;

    const std::string file = ProgramOf(*this, commandLine);
    const ProgramScript script = ScriptOf(*this, file);
    // A deque keeps its elements in place as it grows: copy stays valid below.
    ProcessRecord* copy = nullptr;
    for (auto& p : processes)
        if (!copy && p.running && EqualsIgnoreCase(p.programFile, file)) copy = &p;
    std::vector<ProcessWindow> windows;
    if (script.hasWindow) windows.push_back({file, showCmd != SW_HIDE, false});
    DWORD id = AddProcess(file, windows);
    processes.back().commandLines.push_back(commandLine);
    if (script.handsOver && copy) {
        // The new process hands its line to the running copy and ends at once.
        copy->commandLines.push_back(commandLine);
        processes.back().running = false;
    }
    if (processId) *processId = id;
    return result;
}

std::vector<DWORD> HeadlessPlatform::ProcessesOfProgram(const std::string& programFile) {
    Record(log, "ProcessesOfProgram", programFile);
    std::vector<DWORD> found;
    for (const auto& p : processes)
        if (p.running && EqualsIgnoreCase(p.programFile, programFile)) found.push_back(p.id);
    return found;
}

BOOL HeadlessPlatform::CloseProcessWindows(DWORD processId) {
    Record(log, "CloseProcessWindows", processId);
    ProcessRecord* p = Running(processes, processId);
    if (!p || !FirstVisible(*p)) return 0;
    ++p->closeRequests;
    if (!ScriptOf(*this, p->programFile).ignoresClose) p->running = false;
    return 1;
}

BOOL HeadlessPlatform::RaiseProcessWindow(DWORD processId) {
    Record(log, "RaiseProcessWindow", processId);
    ProcessRecord* p = Running(processes, processId);
    ProcessWindow* w = p ? FirstVisible(*p) : nullptr;
    if (!w) return 0;
    w->minimized = false;
    ++p->raises;
    return 1;
}

std::optional<std::string> HeadlessPlatform::NowPlayingTitle(DWORD processId) {
    Record(log, "NowPlayingTitle", processId);
    if (!publishesNowPlaying) return std::nullopt;
    auto title = nowPlaying.find(processId);
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
