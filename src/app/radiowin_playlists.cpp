// Stations from and to playlist files: the starter stations of a first start, and
// the floating window's import and export.
#include <algorithm>

#include "app/playlist.h"
#include "app/radiowin.h"
#include "gui/application.h"
#include "gui/exceptions.h"
#include "gui/fileutil.h"
#include "platform/paths.h"
#include "platform/platform.h"

struct TRadioForm::ImportCounts {
    int added = 0;
    std::vector<std::string> taken;       // a name already in the list
    std::vector<std::string> unwritable;  // a name no station file can have (a device's)
    std::vector<std::string> badAddress;  // an address with control characters
    std::vector<std::string> refused;     // an address of no stream and no file
    // Station files that could not be written, by the error's text, in the order met.
    std::vector<std::pair<std::string, std::vector<std::string>>> failed;

    void Failed(const std::string& error, const std::string& name) {
        auto same = [&](const auto& f) { return f.first == error; };
        auto it = std::find_if(failed.begin(), failed.end(), same);
        if (it == failed.end()) it = failed.insert(failed.end(), {error, {}});
        it->second.push_back(name);
    }
};

namespace {

// A box would not fit a long list: the first few names, then how many more.
constexpr std::size_t kNamesShown = 20;

std::string Listed(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size() && i < kNamesShown; ++i)
        text += (i ? ", \"" : "\"") + names[i] + "\"";
    if (names.size() > kNamesShown)
        text += " and " + std::to_string(names.size() - kNamesShown) + " more";
    return text;
}

void AddReason(std::string& text, const std::string& reason,
               const std::vector<std::string>& names) {
    if (!names.empty()) text += "\n\nNot added, because " + reason + ": " + Listed(names) + ".";
}

const char* TroubleText(TPlaylistTrouble trouble) {
    switch (trouble) {
        case TPlaylistTrouble::TooLarge:
            return "The file is larger than 4 MB: only its first 4 MB were read.";
        case TPlaylistTrouble::TooMany:
            return "The file holds more than 1000 stations: only the first 1000 were read.";
        case TPlaylistTrouble::Binary:
            return "The file is no playlist: it holds binary data, so nothing was read from it.";
        case TPlaylistTrouble::Truncated:
            return "The file ends in the middle of a station: the stations before it were read.";
        case TPlaylistTrouble::None:
            break;
    }
    return "";
}

std::string StationCount(int n) {
    return n == 1 ? "1 station was" : std::to_string(n) + " stations were";
}

void Tell(const std::string& text, bool warn) {
    Application->MessageBox(text, Application->Title(),
                            plat::MB_OK | (warn ? plat::MB_ICONWARNING : 0));
}

}  // namespace

// A station file that cannot be written skips its station; the rest still come. Only
// a device's name is one no station file can have; any other failure is the disk's.
void TRadioForm::AddFromPlaylist(const TPlaylist& list, ImportCounts& counts) {
    TTakenNames taken(StationLB->Items()->Items());
    for (const auto& entry : list.entries) {
        try {
            switch (
                AddStationTo(*StationLB->Items(), taken, Stations(), entry.name, entry.address)) {
                case TAddResult::Added:
                    ++counts.added;
                    break;
                case TAddResult::NameTaken:
                    counts.taken.push_back(entry.name);
                    break;
                case TAddResult::NoName:
                case TAddResult::NoURL:
                    counts.unwritable.push_back(entry.name);
                    break;
                case TAddResult::BadURL:
                    counts.badAddress.push_back(entry.name);
                    break;
                case TAddResult::NoStationURL:
                    counts.refused.push_back(entry.address);
                    break;
            }
        } catch (const EInOutError& e) {
            if (e.ErrorCode() == plat::ERROR_INVALID_NAME)
                counts.unwritable.push_back(entry.name);
            else
                counts.Failed(e.Message(), entry.name);
        }
    }
}

// A starter file that is missing or damaged leaves the list empty, as any first
// start without one.
void TRadioForm::LoadStarterStations() {
    const std::string file =
        plat::JoinPath(plat::Current().ProgramDataDirectory(), kStarterStationsFile);
    if (!FileExists(file)) return;
    try {
        TPlaylist list = ReadPlaylist(file);
        if (list.trouble != TPlaylistTrouble::None) return;
        ImportCounts counts;
        AddFromPlaylist(list, counts);
    } catch (const EInOutError&) {
    }
}

void TRadioForm::ImportStations(const std::string& playlistFile) {
    TPlaylist list = ReadPlaylist(playlistFile);
    ImportCounts counts;
    counts.refused = list.refused;
    AddFromPlaylist(list, counts);
    RefillFloatingList();

    const std::string file = plat::ExtractFileName(playlistFile);
    std::string text = counts.added ? StationCount(counts.added) + " added from " + file + "."
                                    : "No station was added from " + file + ".";
    if (list.trouble != TPlaylistTrouble::None)
        text += std::string("\n\n") + TroubleText(list.trouble);
    AddReason(text, "the name is already in the list", counts.taken);
    AddReason(text, "no station file can have that name", counts.unwritable);
    for (const auto& [error, names] : counts.failed)
        AddReason(text, "the station file could not be written (" + error + ")", names);
    AddReason(text, "the name has characters this system cannot show", list.unshowable);
    AddReason(text, "the address holds control characters", counts.badAddress);
    AddReason(
        text,
        "the address is neither a stream (http, https, mms, mmsh, rtsp, rtmp, pnm) nor a file",
        counts.refused);
    const bool complete = list.trouble == TPlaylistTrouble::None && counts.taken.empty() &&
                          counts.unwritable.empty() && counts.failed.empty() &&
                          counts.badAddress.empty() && list.unshowable.empty() &&
                          counts.refused.empty();
    Tell(text, !complete);
}

void TRadioForm::ExportStations(const std::string& playlistFile) {
    std::vector<TPlaylistEntry> entries;
    std::vector<std::string> withoutAddress;
    for (const auto& name : StationLB->Items()->Items()) {
        auto url = Stations().ReadURL(name);
        if (url && !url->empty())
            entries.push_back({name, *url});
        else
            withoutAddress.push_back(name);
    }
    if (plat::DWORD error = WriteFileReplacing(playlistFile, WritePlaylist(entries)))
        throw EInOutError(static_cast<int>(error));
    std::string text =
        StationCount(static_cast<int>(entries.size())) + " written to " + playlistFile + ".";
    if (!withoutAddress.empty())
        text += "\n\nLeft out, because they have no address: " + Listed(withoutAddress) + ".";
    Tell(text, !withoutAddress.empty());
}
