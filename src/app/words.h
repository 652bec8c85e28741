// The words the program's texts use for the things of the desktop it runs on: the
// player, the menus, the folders a shortcut goes to. On Windows (and on the headless
// platform, unless a test asks for another desktop) they are the Windows texts,
// unchanged; a Linux desktop has words of its own. Every such text is here, so that
// the windows ask for a word rather than for a system.
#pragma once

#include <string>

struct TDesktopWords {
    std::string openPlayerWindow;   // the floating window's File menu
    std::string choosePlayer;       // its Configure menu
    std::string choosePlayerHint;   // told before the file dialog opens
    std::string choosePlayerTitle;  // the file dialog's title
    std::string playerFailure;      // told when the player cannot be started
    std::string startMenu;          // the shortcut boxes, under "Add icon to..."
    std::string startupItems;
    // Where the three shortcut boxes stand in their row, and how wide they are, in the
    // configuration window's 96-DPI layout: the room their words take.
    struct Room {
        int left, width;
    } startMenuBox, desktopBox, startupItemsBox;
};

// The words of the current platform's desktop.
const TDesktopWords& DesktopWords();
