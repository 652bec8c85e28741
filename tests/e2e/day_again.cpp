#include <algorithm>

#include "e2e/steps.h"
#include "e2e/ui.h"

namespace e2e {

namespace {

// A function, not a constant: the stations are constants of another file, and the
// order in which files' constants are made is not fixed.
std::vector<std::string> FinalList() {
    return {kNews.name, kJazz.name, kRenamedRock};
}

void ExpectPlayedAtStart(const Day& day, size_t before, const std::string& who) {
    std::string want = day.player + " " + kJazz.url;
    std::string got = WaitPlayerStart(day, before, 15000);
    Expect(got == want, who + " with \"Play Selected Station\" started the player with " +
                            Quoted(got) + ", not " + Quoted(want));
}

// Nothing of the program on the screen: no about box, no floating or configuration window.
bool NothingShown(const Program& p) {
    return !p.ShownWindow("TAboutBox") && !p.ShownWindow("TRadioFloatWin") &&
           !p.ShownWindow("TRadioForm");
}

void ExitThroughTray(Day& day, Program& p, const std::string& label) {
    ChooseFromTrayMenu(day, p, {VK_END, VK_RETURN}, label);
    Expect(p.WaitEnd(10000), "\"Exit\" from the tray did not end the program");
}

}  // namespace

void RestartRestores(Day& day) {
    Expect(!day.app.Running(), "the program still runs from before");
    std::string top = IniValue("MainForm", "Top"), left = IniValue("MainForm", "Left");
    size_t before = PlayerStarts(day).size();
    Expect(day.app.Start(day.exe), "could not start the program again");
    GoToMainWindow(day, day.app);
    ExpectPlayedAtStart(day, before, "the start");
    HWND floating = WaitShown(day.app, "TRadioFloatWin", "the floating window");
    RECT r{};
    ::GetWindowRect(floating, &r);
    Expect(std::to_string(r.top) == top && std::to_string(r.left) == left,
           "the floating window stands at " + std::to_string(r.left) + ", " +
               std::to_string(r.top) + ", not at the saved " + left + ", " + top);
    HWND combo = Child(floating, "ComboBox");
    Expect(ComboItems(combo) == FinalList(), "the drop-down list holds " + Join(ComboItems(combo)));
    Expect(ComboSelection(combo) == 1,
           "the drop-down list shows entry " + std::to_string(ComboSelection(combo)) + ", not 1");
    CloseTestPlayers();

    ChooseFromMenuBar(day.app, floating, 'c', {VK_HOME, VK_RETURN});
    HWND form = WaitShown(day.app, "TRadioForm", "the configuration window");
    HWND list = Child(form, "ListBox");
    Expect(ListItems(list) == FinalList(), "the station list holds " + Join(ListItems(list)));
    Expect(ListSelection(list) == 1,
           "the list selects station " + std::to_string(ListSelection(list)) + ", not 1");
    HWND playAtStart = Child(form, "Button", "Play Selected Station");
    HWND showWin = Child(form, "Button", "Show Floating Window");
    Expect(Checked(playAtStart), "\"Play Selected Station\" came back unchecked");
    Expect(Checked(showWin), "\"Show Floating Window\" came back unchecked");
    Click(showWin);
    Expect(WaitUntil([&] { return !Checked(showWin); }, 3000), "could not clear the option");
    day.Shot("options-restored");
    Click(Child(form, "Button", "OK"));
    Expect(WaitUntil([&] { return !Shown(form); }, 5000), "OK did not close the window");

    ChooseFromMenuBar(day.app, floating, 'f', {VK_END, VK_RETURN});
    Expect(day.app.WaitEnd(10000), "\"E&xit\" of the floating window did not end the program");
    Expect(IniValue("MainForm", "ShowWinAtStartCB") == "0", "the cleared option was not saved");
}

void HiddenStart(Day& day) {
    size_t before = PlayerStarts(day).size();
    Expect(day.app.Start(day.exe), "could not start the program again");
    ExpectPlayedAtStart(day, before, "the start");
    Expect(WaitUntil([&] { return day.app.TrayWindow() != nullptr; }, 10000), "no tray icon");
    Pause(2000);
    Expect(NothingShown(day.app),
           "a window of the program showed at a start without "
           "\"Show Floating Window\"");
    CloseTestPlayers();
    day.Shot("nothing-shown");
    PressTrayIcon(day.app, WM_LBUTTONDOWN);
    GoToMainWindow(day, day.app);
    WaitShown(day.app, "TRadioFloatWin", "the floating window after a click on the tray icon");
}

namespace {

// The names of the plain files in a folder.
std::vector<std::string> FilesIn(const std::string& dir) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    HANDLE h = ::FindFirstFileA((dir + "\\*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (::FindNextFileA(h, &found));
    ::FindClose(h);
    return names;
}

// What the person has on disk: the order file, the station files, the settings.
std::vector<std::string> PersonsFiles(const Day& day) {
    std::vector<std::string> files{ReadFile(day.ProgramDir() + "\\zelvora.set").value_or("-"),
                                   ReadFile(SettingsFile()).value_or("-")};
    for (const auto& name : FilesIn(day.ProgramDir() + "\\settings"))
        files.push_back(name + ":" + ReadFile(day.StationFile(name)).value_or("-"));
    return files;
}

}  // namespace

// A second start while the program runs ends at once, plays nothing and touches no
// file; the copy that runs brings its floating window forward.
void SecondCopy(Day& day) {
    Expect(day.app.Running(), "the first copy is not running");
    HWND floating = WaitShown(day.app, "TRadioFloatWin", "the first copy's floating window");
    ChooseFromMenuBar(day.app, floating, 'f', {VK_HOME, VK_RETURN});  // "&Hide"
    Expect(WaitUntil([&] { return !Shown(floating); }, 5000), "\"&Hide\" left the window shown");
    const auto files = PersonsFiles(day);
    const size_t before = PlayerStarts(day).size();
    Expect(day.second.Start(day.exe), "could not start a second copy");
    Expect(day.second.WaitEnd(10000), "the second copy runs on beside the first");
    Expect(WaitUntil([&] { return Shown(floating); }, 5000),
           "the first copy's floating window did not come forward");
    Expect(WaitUntil([&] { return ::GetForegroundWindow() == floating; }, 3000),
           "the first copy's floating window is not in the foreground");
    day.Shot("second-start");
    Pause(1000);
    Expect(PlayerStarts(day).size() == before, "the second start played a station");
    Expect(PersonsFiles(day) == files, "the second start changed the person's files");
    Expect(day.app.TrayWindow() != nullptr, "the first copy lost its tray icon");
    ExitThroughTray(day, day.app, "first-copy-menu");
}

void UnpackNewRelease(Day& day) {
    Expect(!day.app.Running() && !day.second.Running(), "the program still runs from before");
    const auto before = PersonsFiles(day);
    const auto shipped = FilesIn(day.package);
    Expect(std::find(shipped.begin(), shipped.end(), "starter-stations.m3u") != shipped.end(),
           "the release package holds no starter-stations.m3u: " + Join(shipped));
    // What unpacking over the folder does: each file of the package replaces its namesake.
    for (const auto& name : shipped)
        Expect(::CopyFileA((day.package + "\\" + name).c_str(),
                           (day.ProgramDir() + "\\" + name).c_str(), FALSE) != 0,
               "could not unpack " + name + " over the program's folder");
    Expect(PersonsFiles(day) == before, "unpacking the release changed the person's files");
}

}  // namespace e2e
