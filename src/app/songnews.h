// When to tell the user of a new title: at once, but not more than once per
// kSongNewsPolls polls (one a second) for a station; a title that changes again
// inside that time is told, as it is then, when the time is up.
#pragma once

#include <map>
#include <string>

inline constexpr int kSongNewsPolls = 5;

class TSongNews {
  public:
    // The title now playing on the station; true when it is to be told now.
    bool Heard(const std::string& station, const std::string& title);
    // A poll has passed.
    void Tick();

  private:
    struct Told {
        std::string title;
        int pollsSince = kSongNewsPolls;
    };
    std::map<std::string, Told> told_;  // by station: no longer than the station list
};
