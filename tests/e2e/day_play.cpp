#include <algorithm>

#include "e2e/steps.h"
#include "e2e/ui.h"

namespace e2e {

namespace {

std::string CommandLineFor(const Day& day, const Station& s) {
    return day.player + " " + s.url;
}

void ExpectPlayed(const Day& day, size_t before, const Station& s, const std::string& how) {
    std::string got = WaitPlayerStart(day, before);
    Expect(!got.empty(), how + " started no player");
    Expect(got == CommandLineFor(day, s), how + " started the player with " + Quoted(got) +
                                              ", not " + Quoted(CommandLineFor(day, s)));
}

}  // namespace

void PlayFromList(Day& day) {
    const FloatingWindow w = FindFloatingWindow(day);
    size_t before = PlayerStarts(day).size();
    ChooseInCombo(w.list, 1);
    Pause(1500);
    Expect(PlayerStarts(day).size() == before, "choosing a station in the list played it");
    Expect(ComboSelection(w.list) == 1, "the drop-down list did not keep the choice");
    Click(w.play);
    ExpectPlayed(day, before, kJazz, "the play button");
    Expect(WaitUntil([] { return PlayerWindow() != nullptr; }, 5000),
           "the test player shows no window");
}

void StopPlayer(Day& day) {
    const FloatingWindow w = FindFloatingWindow(day);
    Expect(PlayerWindow() != nullptr, "no player runs to be stopped");
    day.Shot("playing");
    Click(w.stop);
    Expect(WaitUntil([] { return PlayerWindow() == nullptr; }, 5000),
           "the stop button left the player's window open");
}

void PlayFromTrayMenu(Day& day) {
    // The stations stand right before a separator and Exit, counted from the end: the
    // third is one up from Exit, the first three up.
    size_t before = PlayerStarts(day).size();
    ChooseFromTrayMenu(day, day.app, {VK_END, VK_UP, VK_UP, VK_UP, VK_RETURN}, "tray-menu");
    ExpectPlayed(day, before, kNews, "the tray menu's first station");
    before = PlayerStarts(day).size();
    ChooseFromTrayMenu(day, day.app, {VK_END, VK_UP, VK_RETURN}, "tray-menu-third");
    Station renamed{kRenamedRock, kRock.url};
    ExpectPlayed(day, before, renamed, "the tray menu's third station");
    if (HWND player = PlayerWindow()) ::PostMessageA(player, WM_CLOSE, 0, 0);
}

void ExitFromTray(Day& day) {
    Expect(day.app.Running(), "the program is not running");
    ChooseFromTrayMenu(day, day.app, {VK_END, VK_RETURN}, "tray-menu-exit");
    Expect(day.app.WaitEnd(10000), "\"Exit\" did not end the program");
    Expect(FileExists(day.ProgramDir() + "\\zelvora.set"), "no zelvora.set beside the program");
    Expect(FileExists(SettingsFile()), "no settings file " + SettingsFile());
    Expect(IniValue("Mainform", "StationLBItemIndex") == "1",
           "the saved selection is " + Quoted(IniValue("Mainform", "StationLBItemIndex")));
    Expect(IniValue("Mainform", "RealAudioLoc") == day.player,
           "the saved player location is " + Quoted(IniValue("Mainform", "RealAudioLoc")));
    Expect(IniValue("MainForm", "PlayAtStartCB") == "1", "\"Play Selected Station\" not saved");
    Expect(IniValue("MainForm", "ShowWinAtStartCB") == "1", "\"Show Floating Window\" not saved");
}

}  // namespace e2e
