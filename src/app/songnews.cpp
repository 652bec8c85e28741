#include "app/songnews.h"

bool TSongNews::Heard(const std::string& station, const std::string& title) {
    if (station.empty() || title.empty()) return false;
    Told& told = told_[station];
    if (told.title == title || told.pollsSince < kSongNewsPolls) return false;
    told.title = title;
    told.pollsSince = 0;
    return true;
}

void TSongNews::Tick() {
    for (auto& [station, told] : told_)
        if (told.pollsSince < kSongNewsPolls) ++told.pollsSince;
}
