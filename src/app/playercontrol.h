// The player control: which running program is "the player", and what Play, Stop
// and the player's window entry do with it.
//
// The player's own window class comes first, as it always did: where a window of
// that class exists, Stop closes it and the window entry raises it, and a station is
// played with the unchanged command line. Beyond it, the player is the program at
// the player location that Zelvora played a station with in this run:
//  - a process Zelvora started whose program file is that player and which runs on;
//  - for a player that hands a new address to its running copy, that copy, found by
//    its program file when Zelvora handed it a station.
// Nothing else is ever closed: a location pointing at a web browser costs the user
// none of the windows they had open.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/types.h"

// The player's own top-level window, which stop closes and the menu raises.
inline constexpr const char* kPlayerWindowClass = "Progressive Networks RAPlayer";

class TPlayerControl {
  public:
    // Starts the player at the location on the address, so that one station plays at
    // a time: a running player that would start a second copy is closed first.
    // False when the program could not be started.
    bool Play(const std::string& location, const std::string& url);
    // Closes the player: its windows get WM_CLOSE. Nothing when none runs.
    void Stop();
    // Brings the player's window forward, restored when minimized; starts the player
    // (with no address) when none runs. False when that start failed.
    bool Raise(const std::string& location);
    // What the newest running player says it plays: nothing when no player runs or
    // the system cannot tell, an empty text while it publishes no title.
    std::optional<std::string> NowPlaying();

  private:
    struct Played {
        plat::DWORD process;
        std::string programFile;
    };
    // The players still running their program file, oldest first; the rest are
    // forgotten, so that a process id the system gives out again is never taken
    // for the player.
    std::vector<Played> Running();
    bool Start(const std::string& commandLine, const std::string& programFile, bool handsOver);
    void Remember(plat::DWORD process, const std::string& programFile);

    std::vector<Played> played_;
};
