// What Zelvora knows of particular players: one line each in a small table, and
// where an installed one is found when the settings name none.
#pragma once

#include <optional>
#include <string>

#include "platform/command_line.h"

// The systems a line of the table is for: Linux players are found on PATH only.
enum class TPlayerSystem : unsigned char { Windows, Linux };

struct TPlayerKind {
    const char* file;       // the player's program file name, in any case
    const char* arguments;  // put between the program and the address, split as a
                            // command line; "" for none
    // A start while a copy runs hands the address to that copy, which plays it now,
    // and the started process ends at once.
    bool handsOver;
    // "--" before the address ends the player's options, so that an address beginning
    // with a dash is played, never taken for an option.
    bool endsOptions;
    TPlayerSystem system;
    // Put before the address: the player's own reconnect for a stream that drops.
    const char* reconnect = "";
    // It speaks mpv's JSON IPC on a channel it is told of on its command line.
    bool mpvChannel = false;
    // How its main window's caption carries the title (TitleFromCaption); "" when
    // the caption is not read.
    const char* caption = "";
};

// What a caption pattern makes of a caption. The pattern is alternatives separated by
// "|", tried in order; in one, "%t" is the title (not empty), "%n" a number, "*" at
// the end anything, and every other character stands for itself. An alternative that
// begins with "!" is the player's caption while it plays nothing. Nothing when no
// alternative matches, an empty text for the caption of a player that plays nothing.
std::optional<std::string> TitleFromCaption(const std::string& pattern, const std::string& caption);

// The table's line for the program file's name; players it does not know start a
// new copy for each address, as the safe assumption.
const TPlayerKind& PlayerKindOf(const std::string& programFile);

// The program a player location starts: the quoted part of a quoted location; the
// location itself when it names a file; otherwise the first part of it up to a
// blank that names one (a program followed by arguments), as the system looks.
std::string PlayerProgramFile(const std::string& location);

// The program a player location starts, and the arguments written after it there.
plat::CommandLine PlayerCommand(const std::string& location);

// The first installed player found in the registry's keys of the known players (both
// views of the machine's keys), their App Paths, the usual program folders and, for
// players without an installer, the folders of PATH. On Linux (PATH split by colons)
// the first of the table's Linux players found on PATH. Nothing when none is there.
std::optional<std::string> FindInstalledPlayer();

// The location to use when none is stored and no player is installed: the Windows
// default, or on Linux the table's first player by its bare name, which is looked
// for on PATH again at each start and fails with the usual message until installed.
std::string FallbackPlayerLocation(const std::string& windowsDefault);
