// A person's day with Zelvora: the state the steps share and the moves they have in
// common (menus, the tray icon, message boxes, the test player's record).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "e2e/program.h"

namespace e2e {

// Ends a step with a reason a person can act on.
struct StepFailure {
    std::string reason;
};
void Expect(bool ok, const std::string& reason);

struct Station {
    std::string name;
    std::string url;
};

struct Day {
    std::string exe;     // zelvora.exe in its fresh program folder
    std::string player;  // the test player's program file
    std::string record;  // where the test player writes each command line it was started with
    std::string out;     // the screenshots' folder
    std::string package;  // the release package unpacked once more, as a newer release
    std::string stubs;    // the folder with a folder per stand-in player: <name>\<name>.exe
    std::string stubLog;  // where the stand-ins write what happens to them
    std::string directoryLog;  // the tests' station directory's request log ("": none)
    Program app;         // the copy a person uses
    Program second;      // a start made while the first copy runs
    int shots = 0;

    std::string ProgramDir() const { return DirOf(exe); }
    std::string StationFile(const std::string& fileName) const {
        return ProgramDir() + "\\settings\\" + fileName;
    }
    // Writes a screenshot named after the moment it shows.
    void Shot(const std::string& label);
};

// The stations of the day, as typed, and what the list holds at the end of editing.
extern const Station kJazz, kRock, kNews;
extern const char* const kRenamedRock;  // what "Rock FM" becomes

// ---- Common moves ---------------------------------------------------------------------
// Waits for a visible window of the class of that process, or fails the step.
HWND WaitShown(const Program& p, const std::string& cls, const std::string& what, DWORD ms = 15000);
// Opens a menu of a window's menu bar by its mnemonic and presses the keys in it
// (VK_HOME first makes the first entry the current one).
void ChooseFromMenuBar(const Program& p, HWND window, char mnemonic, const std::vector<UINT>& keys);
// The tray icon's callback, as the shell sends it for a button going down.
void PressTrayIcon(const Program& p, UINT buttonDown);
// Right button on the tray icon, then the keys in the menu that opens.
void ChooseFromTrayMenu(Day& day, const Program& p, const std::vector<UINT>& keys,
                        const std::string& shotLabel);
// The about box that comes up at a first showing: checked, pictured and closed.
void GoToMainWindow(Day& day, const Program& p);

// The names of the starter stations that came with the program, in their order.
std::vector<std::string> StarterNames(const Day& day);
// Points the player location at the program through "Configure RealAudio Location",
// its note and the real file dialog; pictures of both when shotPrefix is not empty.
void ChoosePlayer(Day& day, const std::string& program, const std::string& shotPrefix = "");

// The command lines the test player was started with, oldest first.
std::vector<std::string> PlayerStarts(const Day& day);
// Waits until the player has been started once more than `before` times and returns the
// newest command line (empty when it was not started).
std::string WaitPlayerStart(const Day& day, size_t before, DWORD ms = 10000);
HWND PlayerWindow();
// Closes every test player started so far, so that the next picture shows only the program.
void CloseTestPlayers();
// The floating window with its drop-down list and its play and stop buttons.
struct FloatingWindow {
    HWND form, list, play, stop;
};
// Waits for it to show, or fails the step.
FloatingWindow FindFloatingWindow(const Day& day);
std::string Quoted(const std::string& text);
// ["a", "b"]: a list as a reason shows it.
std::string Join(const std::vector<std::string>& items);

}  // namespace e2e
