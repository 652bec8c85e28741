// The player control: which running program is "the player", and what Play, Stop
// and the player's window entry do with it.
//
// The player's own window class comes first, as it always did: where a window of
// that class exists, Stop closes it and the window entry raises it, and a station is
// played with the unchanged command line. Beyond it, the player is a process that
// Zelvora played a station with in this run, held pinned so that a process id the
// system gives out again is never taken for it:
//  - the process Zelvora started, for as long as it runs, whatever program it has
//    become since (a wrapper such as cvlc execs the real player) or whatever became
//    of its program file (an upgrade replaces it);
//  - for a player that hands a new address to its running copy, the one copy that
//    took it: the one that says it plays the address, or the only copy running.
//    Among several copies none is guessed at.
// Nothing else is ever closed: a location pointing at a web browser costs the user
// none of the windows they had open.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/mpvchannel.h"
#include "platform/command_line.h"
#include "platform/types.h"

// The player's own top-level window, which stop closes and the menu raises.
inline constexpr const char* kPlayerWindowClass = "Progressive Networks RAPlayer";

// A closing player is waited for this long before the next one starts.
inline constexpr plat::UINT kPlayerEndWaitMs = 3000;
// A player that ends within this many polls of its start (one a second) has
// most likely failed to play: the tip says so.
inline constexpr int kQuickEndPolls = 10;

struct TPlayerKind;

// Another program's process, pinned for as long as the object lives.
class TPinnedProcess {
  public:
    explicit TPinnedProcess(plat::PROCESS process = 0) : process_(process) {}
    ~TPinnedProcess();
    TPinnedProcess(TPinnedProcess&& other) noexcept : process_(other.process_) {
        other.process_ = 0;
    }
    TPinnedProcess& operator=(TPinnedProcess&& other) noexcept;
    TPinnedProcess(const TPinnedProcess&) = delete;
    TPinnedProcess& operator=(const TPinnedProcess&) = delete;

    plat::PROCESS Get() const { return process_; }
    plat::DWORD Id() const;
    bool Ended(plat::UINT waitMs = 0) const;

  private:
    plat::PROCESS process_;
};

class TPlayerControl {
  public:
    // Starts the player at the location on the address, so that one station plays at
    // a time: a running player that would start a second copy is closed first and
    // waited for. False when the program could not be started.
    bool Play(const std::string& location, const std::string& url);
    // Closes the player: its windows get WM_CLOSE, posted. Nothing when none runs.
    void Stop();
    // Brings the player's window forward, restored when minimized; starts the player
    // (with no address) when none runs. False when that start failed.
    bool Raise(const std::string& location);
    // What the newest running player says it plays: its mpv channel's title, else
    // the title its caption carries, else what the system says (MPRIS); nothing when
    // no player runs or none can tell, an empty text while it publishes no title.
    std::optional<std::string> NowPlaying();
    // Looks at the players once (the floating window's poll, once a second): forgets
    // those that ended or stopped playing by themselves, finds the copy that took the
    // last address where it can now be told, and notes a player that ended at once.
    // True when what plays changed.
    bool Poll();
    // Reads what the players told since (a title on a channel, a stopped player):
    // the poll's look without counting a poll. True when what plays changed.
    bool Look();
    // Whether a player Zelvora played with still runs, or one that took the last
    // address is still being looked for.
    bool Playing();
    // What went wrong with the last station, for the tip; empty when nothing did.
    const std::string& Trouble() const { return trouble_; }
    // The player of the last station ended by itself right after it started.
    bool CouldNotPlay() const { return couldNotPlay_; }

  private:
    struct Player {
        TPinnedProcess process;
        std::string programFile;
        int polls = 0;                         // polls since it was started, up to kQuickEndPolls
        bool started = false;                  // Zelvora started it (rather than found the copy)
        bool closing = false;                  // Zelvora asked it to close
        std::unique_ptr<TMpvChannel> channel;  // mpv's IPC, when it speaks it
        const char* caption = "";              // its caption pattern, "" for none
        bool heardPlaying = false;  // it said it plays, since Zelvora handed it the station
        bool stopped = false;       // it said it stopped after that
    };
    // What a player shows now: a title and whether it says it plays or has stopped.
    struct Seen {
        std::optional<std::string> title;
        bool playing = false, stopped = false;
    };
    // The players still running, oldest first; the ended ones are forgotten, and so
    // are those that stopped by themselves and run on with nothing to play.
    std::vector<Player>& Running();
    void Close(Player& player);
    void CloseBeforeNext(const std::string& program, bool handsOver);
    bool Start(const plat::CommandLine& line, const TPlayerKind& kind, const std::string& url,
               std::unique_ptr<TMpvChannel> channel);
    void AdoptCopyPlaying();
    bool Knows(plat::DWORD id) const;
    Seen SeenNow(Player& player) const;
    void LookAt(Player& player);

    std::vector<Player> players_;
    // The address a single-instance player was handed while the copy that took it
    // is not known yet, looked for over the first polls.
    std::string pendingUrl_, pendingProgram_;
    int pendingPolls_ = 0;
    bool endedEarly_ = false;  // a started player ended before kQuickEndPolls polls
    std::string trouble_;
    bool couldNotPlay_ = false;
};
