#include "app/foundstations.h"

#include <algorithm>
#include <cstring>

#include "app/codepage.h"
#include "app/stationstore.h"

namespace {

// Cuts a UTF-8 text at a character's start; in a single-byte code page any byte is one.
std::string Cut(std::string text, std::size_t bytes) {
    if (text.size() <= bytes) return text;
    std::size_t at = bytes;
    while (at > 0 && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) --at;
    text.resize(at);
    return text;
}

std::string OneLine(const std::string& text) {
    std::string out;
    for (char c : text) {
        const bool blank = static_cast<unsigned char>(c) < 32 || c == 127 || c == ' ';
        if (!blank)
            out += c;
        else if (!out.empty() && out.back() != ' ')
            out += ' ';
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

}  // namespace

std::string ResultRow(const TFoundStation& s) {
    auto cell = [](const std::string& text) { return SystemFromUtf8(Cut(OneLine(text), 200)); };
    std::string row = cell(s.name) + '\t' + cell(s.country) + '\t' + cell(s.codec) + '\t';
    row += (s.bitrate > 0 ? std::to_string(s.bitrate) : std::string()) + '\t';
    std::string tags = s.tags;
    std::replace(tags.begin(), tags.end(), ',', ' ');
    return row + cell(tags) + '\t' + std::to_string(s.votes);
}

std::string AcceptableStationName(const std::string& directoryName) {
    std::string name = OneLine(SystemFromUtf8(directoryName));
    for (char& c : name)
        if (std::strchr("<>:\"|?*", c)) c = '-';
    name = OneLine(Cut(name, kMaxFoundName));
    if (name.empty()) name = "Station";
    if (!UsableFileName(StationFileName(name))) name += " Radio";
    return name;
}

std::vector<TCheckFinding> CheckAgainst(const std::vector<TKeptStation>& kept,
                                        const TStationList& answer) {
    std::vector<TCheckFinding> findings;
    for (const auto& mine : kept) {
        TCheckFinding f;
        f.name = mine.name;
        auto it = std::find_if(answer.stations.begin(), answer.stations.end(),
                               [&](const TFoundStation& s) { return s.uuid == mine.uuid; });
        if (it == answer.stations.end()) {
            f.result = TCheckResult::Gone;
        } else if (!it->lastCheckOk) {
            f.result = TCheckResult::Broken;
        } else if (mine.address != it->url && mine.address != it->urlResolved) {
            f.result = TCheckResult::Moved;
            f.newAddress = it->PlayAddress();
        }
        findings.push_back(std::move(f));
    }
    return findings;
}
