// The station directory: "Find Stations..." from the floating window's menu, a station
// found by name in the tests' own directory, played through the test player and
// added with its id, which it keeps across a restart.
#include <algorithm>
#include <optional>

#include "e2e/steps.h"
#include "e2e/ui.h"

#include <commctrl.h>  // after <windows.h>, which steps.h brings

namespace e2e {

namespace {

const char* const kFound = "Zelvora Test Tone";
const char* const kFoundId = "a2bd64fe-ee61-59b6-9a92-8387bfa8dcbc";

// A key with Alt held, as the keyboard gives it: a control's access key.
void PressAltKey(WORD vk) {
    INPUT in[4] = {};
    for (INPUT& i : in) i.type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[3].ki.wVk = VK_MENU;
    in[1].ki.wVk = in[2].ki.wVk = vk;
    in[2].ki.dwFlags = in[3].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(4, in, sizeof(INPUT));
    Pause(400);
}

int Rows(HWND list) {
    return static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

bool Holds(const std::optional<std::string>& text, const std::string& part) {
    return text && text->find(part) != std::string::npos;
}

HWND ShowFloating(Day& day) {
    PressTrayIcon(day.app, WM_LBUTTONDOWN);
    if (WaitUntil([&] { return day.app.ShownWindow("TAboutBox") != nullptr; }, 3000))
        GoToMainWindow(day, day.app);
    return WaitShown(day.app, "TRadioFloatWin", "the floating window");
}

// A start that plays the selected station at once: that player is not this step's.
void StartQuietly(Day& day) {
    const size_t before = PlayerStarts(day).size();
    Expect(day.app.Start(day.exe), "could not start the program again");
    WaitPlayerStart(day, before, 5000);
    CloseTestPlayers();
    Expect(WaitUntil([&] { return day.app.TrayWindow() != nullptr; }, 10000), "no tray icon");
}

}  // namespace

void FindAndAddStation(Day& day) {
    SetIniValue("Mainform", "RealAudioLoc", day.player);
    StartQuietly(day);
    HWND floating = ShowFloating(day);
    ChooseFromMenuBar(day.app, floating, 'c', {'F'});
    HWND find = WaitShown(day.app, "TFindStationsForm", "the Find Stations window");
    ::SetForegroundWindow(find);
    Pause(300);
    PressAltKey('N');
    TypeText("test tone");
    PressKey(VK_RETURN);
    HWND list = Child(find, "SysListView32");
    Expect(list && WaitUntil([&] { return Rows(list) == 1; }, 10000),
           "the search found " + std::to_string(list ? Rows(list) : -1) + " stations, not one");

    const size_t before = PlayerStarts(day).size();
    PressAltKey('E');  // the results, the first one chosen
    PressKey(VK_RETURN);
    const std::string line = WaitPlayerStart(day, before);
    Expect(line.find("/c.ogg") != std::string::npos,
           "Enter on the result started the player with " + Quoted(line));
    CloseTestPlayers();
    day.Shot("directory-found");

    ::SetForegroundWindow(find);
    Pause(300);
    PressAltKey('A');
    Expect(
        WaitUntil([&] { return Holds(ReadFile(day.StationFile("Zelvora_Test_Tone")), "/c.ogg"); },
                  5000),
        "Add wrote no station file for " + Quoted(kFound));
    Expect(
        Holds(ReadFile(day.ProgramDir() + "\\zelvora.ids"), std::string(kFoundId) + "\t" + kFound),
        "the ids file holds " + Quoted(ReadFile(day.ProgramDir() + "\\zelvora.ids").value_or("")));
    if (!day.directoryLog.empty())
        Expect(Holds(ReadFile(day.directoryLog), std::string("/json/url/") + kFoundId),
               "the directory heard of no play of the station");
    PressKey(VK_ESCAPE);
    Expect(WaitUntil([&] { return !Shown(find); }, 5000), "Escape left the window open");

    ChooseFromTrayMenu(day, day.app, {VK_END, VK_RETURN}, "directory-exit");
    Expect(day.app.WaitEnd(10000), "\"Exit\" did not end the program");
    StartQuietly(day);
    floating = ShowFloating(day);
    const auto names = ComboItems(Child(floating, "ComboBox"));
    Expect(std::find(names.begin(), names.end(), kFound) != names.end(),
           "after a restart the list holds " + Join(names));
    Expect(Holds(ReadFile(day.ProgramDir() + "\\zelvora.ids"), kFoundId),
           "after a restart the ids file has lost the station's id");
    ChooseFromTrayMenu(day, day.app, {VK_END, VK_RETURN}, "directory-exit-again");
    Expect(day.app.WaitEnd(10000), "\"Exit\" did not end the program");
}

}  // namespace e2e
