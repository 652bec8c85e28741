// Today's players, played through the real floating window: the test player, copied
// as mpc-hc.exe, vlc.exe and mpv.exe, behaves as they do and writes what happens to it.
#include <sstream>

#include "e2e/steps.h"
#include "e2e/ui.h"

namespace e2e {

namespace {

struct StubEvent {
    std::string player;  // its file name, "mpv.exe"
    DWORD pid = 0;
    std::string what;  // started, took, handed, closed
    std::string rest;  // the command line or the address
};

std::vector<StubEvent> StubEvents(const Day& day) {
    std::vector<StubEvent> events;
    std::istringstream in(ReadFile(day.stubLog).value_or(""));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream words(line);
        StubEvent e;
        words >> e.player >> e.pid >> e.what;
        std::getline(words >> std::ws, e.rest);
        events.push_back(e);
    }
    return events;
}

// Waits for an event of the player after the first `from` events; returns it, or
// fails the step.
StubEvent WaitEvent(const Day& day, size_t from, const std::string& player, const std::string& what,
                    const std::string& restEnd, DWORD pid = 0) {
    StubEvent found;
    auto match = [&] {
        auto events = StubEvents(day);
        for (size_t i = from; i < events.size(); ++i) {
            const auto& e = events[i];
            if (e.player == player && e.what == what && (pid == 0 || e.pid == pid) &&
                e.rest.size() >= restEnd.size() &&
                e.rest.compare(e.rest.size() - restEnd.size(), restEnd.size(), restEnd) == 0)
                return found = e, true;
        }
        return false;
    };
    Expect(WaitUntil(match, 10000), player + " did not report \"" + what + " ..." + restEnd + "\"");
    return found;
}

bool Closed(const Day& day, DWORD pid) {
    for (const auto& e : StubEvents(day))
        if (e.pid == pid && e.what == "closed") return true;
    return false;
}

struct Stub {
    std::string name;         // "mpv"
    std::string windowClass;  // its top-level window's class
    std::string arguments;    // what Zelvora puts before the address
    bool oneCopy;             // the next station goes to the running copy
};

std::string ProgramOf(const Day& day, const Stub& stub) {
    return day.stubs + "\\" + stub.name + "\\" + stub.name + ".exe";
}

// Started by the person, not by Zelvora: a copy with no station.
DWORD StartOwnCopy(const Day& day, const Stub& stub) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    // Appended, not added up: GCC 12 warns wrongly of "\"" + a temporary string.
    std::string line = "\"";
    line += ProgramOf(day, stub);
    line += '"';
    Expect(::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                            &pi) != 0,
           "could not start " + line);
    ::WaitForInputIdle(pi.hProcess, 10000);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return pi.dwProcessId;
}

// Two stations, the player's window minimized and raised by "&Open RealAudio Window",
// then the stop button; the play and stop buttons are pressed with the mouse.
// Returns the process that played.
DWORD PlayRaiseAndStop(Day& day, const Stub& stub, DWORD ownCopy) {
    const std::string program = ProgramOf(day, stub), file = stub.name + ".exe";
    ChoosePlayer(day, program);
    const FloatingWindow w = FindFloatingWindow(day);

    size_t from = StubEvents(day).size();
    ChooseInCombo(w.list, 0);
    MouseClick(w.play);
    const std::string first = (stub.arguments.empty() ? "" : stub.arguments + " ") + kNews.url;
    DWORD playing = ownCopy;
    if (stub.oneCopy && ownCopy)
        WaitEvent(day, from, file, "took", kNews.url, ownCopy);
    else
        playing = WaitEvent(day, from, file, "started", first).pid;

    from = StubEvents(day).size();
    ChooseInCombo(w.list, 1);
    MouseClick(w.play);
    if (stub.oneCopy) {
        WaitEvent(day, from, file, "handed", kJazz.url);
        WaitEvent(day, from, file, "took", kJazz.url, playing);
    } else {
        WaitEvent(day, from, file, "closed", "", playing);
        playing = WaitEvent(day, from, file, "started", kJazz.url).pid;
    }
    Expect(!Closed(day, playing), stub.name + " was closed although it took the station");
    HWND window = nullptr;
    WaitUntil([&] { return (window = ShownWindow(stub.windowClass, playing)) != nullptr; }, 5000);
    Expect(window != nullptr, stub.name + " shows no window of class " + stub.windowClass);
    day.Shot(stub.name + "-playing");

    ::PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    Expect(WaitUntil([&] { return ::IsIconic(window) != 0; }, 5000), "could not minimize it");
    ChooseFromMenuBar(day.app, w.form, 'f', {VK_HOME, VK_DOWN, VK_RETURN});
    Expect(
        WaitUntil([&] { return !::IsIconic(window) && ::GetForegroundWindow() == window; }, 5000),
        "\"&Open RealAudio Window\" did not bring " + stub.name + "'s window forward");
    day.Shot(stub.name + "-raised");

    MouseClick(w.stop);
    Expect(WaitUntil([&] { return Closed(day, playing); }, 5000),
           "the stop button did not close " + stub.name);
    Expect(WaitUntil([&] { return TopWindows(stub.windowClass, playing).empty(); }, 5000),
           stub.name + "'s window stayed after stop");
    return playing;
}

}  // namespace

// MPC-HC runs already, started by the person: Stop leaves it alone until Zelvora has
// handed it a station; then it is the player.
void SingleInstancePlayer(Day& day) {
    const Stub mpc{"mpc-hc", "MediaPlayerClassicW", "", true};
    const FloatingWindow w = FindFloatingWindow(day);
    const DWORD own = StartOwnCopy(day, mpc);
    Expect(WaitUntil([&] { return ShownWindow(mpc.windowClass, own) != nullptr; }, 5000),
           "the person's MPC-HC shows no window");
    MouseClick(w.stop);
    Pause(1000);
    Expect(!Closed(day, own), "stop closed an MPC-HC that Zelvora had not played with");
    Expect(PlayRaiseAndStop(day, mpc, own) == own, "the station went to a new MPC-HC");
}

void PlayerWithASwitch(Day& day) {
    PlayRaiseAndStop(day, {"vlc", "ZelStubVlc", "--one-instance --http-reconnect --", true}, 0);
}

// mpv starts anew for each station: the one playing is closed first. A copy the
// person started is never Zelvora's to close.
void MultiInstancePlayer(Day& day) {
    // Before the end of its options mpv gets its reconnect and the pipe of its control
    // channel, named anew at each start (the Wine tests check both).
    const Stub mpv{"mpv", "mpv", "--", false};
    const DWORD own = StartOwnCopy(day, mpv);
    PlayRaiseAndStop(day, mpv, 0);
    Expect(!Closed(day, own) && !TopWindows(mpv.windowClass, own).empty(),
           "Zelvora closed the mpv the person had started");
    if (HWND w = ShownWindow(mpv.windowClass, own)) ::PostMessageA(w, WM_CLOSE, 0, 0);

    ChooseFromTrayMenu(day, day.app, {VK_END, VK_RETURN}, "players-exit");
    Expect(day.app.WaitEnd(10000), "\"Exit\" did not end the program");
    Expect(IniValue("Mainform", "RealAudioLoc") == ProgramOf(day, mpv),
           "the saved player location is " + Quoted(IniValue("Mainform", "RealAudioLoc")));
}

}  // namespace e2e
