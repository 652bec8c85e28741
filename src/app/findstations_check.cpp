// Check Stations: the stations that came from the directory, asked about in one
// request. A new address is offered, one station at a time; what the directory says
// of the others ends in one summary.
#include "app/findstations.h"

#include "app/radiowin.h"
#include "gui/application.h"
#include "gui/exceptions.h"

namespace {

std::string Quoted(const std::string& name) {
    return "\"" + name + "\"";
}

std::string Stations(std::size_t n) {
    return std::to_string(n) + (n == 1 ? " station" : " stations");
}

}  // namespace

// A station file that cannot be read is left out: it is checked once it can be.
std::vector<TKeptStation> TFindStationsForm::KeptStations() {
    std::vector<TKeptStation> kept;
    TDirectoryIds& ids = radio_.DirectoryIds();
    for (const auto& name : radio_.StationLB->Items()->Items()) {
        const std::string uuid = ids.IdOf(name);
        if (uuid.empty()) continue;
        try {
            if (auto url = radio_.Stations().ReadURL(name)) kept.push_back({name, uuid, *url});
        } catch (const EInOutError&) {
        }
        if (kept.size() == static_cast<std::size_t>(kMaxCheckedStations)) break;
    }
    return kept;
}

void TFindStationsForm::CheckButtonClick(TObject*) {
    std::vector<TKeptStation> kept = KeptStations();
    if (kept.empty()) {
        Application->MessageBox(
            "None of your stations came from the station directory: there is nothing to check.",
            Application->Title(), plat::MB_OK);
        return;
    }
    std::vector<std::string> uuids;
    for (const auto& k : kept) uuids.push_back(k.uuid);
    ShowStatus("Asking the station directory about " + Stations(kept.size()) + "...");
    check_ = -1;
    EnableButtons();
    const int ticket = radio_.Directory().Lookup(
        uuids, [this, kept](const TDirectoryAnswer& a) { CheckAnswered(kept, a); });
    if (check_ == -1) check_ = ticket;
}

void TFindStationsForm::CheckAnswered(const std::vector<TKeptStation>& kept,
                                      const TDirectoryAnswer& answer) {
    check_ = 0;
    EnableButtons();
    if (answer.failure != TDirectoryFailure::None) {
        return ShowStatus(answer.failure == TDirectoryFailure::Unreadable ? kDirectoryUnreadable
                                                                          : kDirectoryUnreachable);
    }
    ShowStatus("");
    const std::vector<TCheckFinding> findings = CheckAgainst(kept, answer.list);
    SummarizeCheck(findings, OfferNewAddresses(findings));
}

// Returns how many stations took their new address.
int TFindStationsForm::OfferNewAddresses(const std::vector<TCheckFinding>& findings) {
    int taken = 0;
    for (const auto& f : findings) {
        if (f.result != TCheckResult::Moved) continue;
        const int answer = Application->MessageBox(
            "The station directory has a new address for " + Quoted(f.name) + ":\n" + f.newAddress +
                "\n\nUse the new address?",
            Application->Title(), plat::MB_YESNO | plat::MB_ICONQUESTION);
        if (answer != plat::IDYES) continue;
        radio_.Stations().Write(f.name, f.newAddress);
        ++taken;
    }
    return taken;
}

void TFindStationsForm::SummarizeCheck(const std::vector<TCheckFinding>& findings, int moved) {
    std::string lines;
    int same = 0, declined = 0;
    for (const auto& f : findings) {
        if (f.result == TCheckResult::Same) ++same;
        if (f.result == TCheckResult::Broken)
            lines += Quoted(f.name) + " is marked as broken in the station directory.\n";
        if (f.result == TCheckResult::Gone)
            lines += Quoted(f.name) + " is no longer listed in the station directory.\n";
        if (f.result == TCheckResult::Moved) ++declined;
    }
    declined -= moved;
    if (moved) lines += "New address taken: " + Stations(moved) + ".\n";
    if (declined) lines += "Old address kept: " + Stations(declined) + ".\n";
    const std::string checked = Stations(findings.size()) + " from the station directory";
    const std::string head = same == static_cast<int>(findings.size())
                                 ? checked + ": all as the directory has them."
                                 : checked + " checked.";
    Application->MessageBox(head + (lines.empty() ? "" : "\n\n" + lines), Application->Title(),
                            plat::MB_OK);
}
