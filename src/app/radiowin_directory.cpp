// The configuration window's side of the station directory: the client and the ids
// file it keeps for the run, the Find Stations button, and what a found station's
// Play and Add do.
#include "app/radiowin.h"

#include "app/findstations.h"
#include "app/layout.h"
#include "gui/exceptions.h"
#include "platform/paths.h"
#include "platform/platform.h"

void TRadioForm::CreateDirectoryControls() {
    FindButton = MakeControl<TButton>(this, "FindButton", {369, 124, 112, 25}, "&Find Stations...");
    FindButton->SetTabOrder(AddButton->TabOrder() + 1);
    FindButton->OnClick = [this](TObject* s) { FindButtonClick(s); };
}

TDirectoryClient& TRadioForm::Directory() {
    if (directory_) return *directory_;
    std::string setting;
    if (auto variable = plat::Current().GetEnvironmentVariableA(kDirectoryVariable))
        setting = *variable;
    else if (settings_)
        setting = settings_->ReadString(kDirectorySection, kDirectoryKey, "");
    directory_ = std::make_unique<TDirectoryClient>(BasesFromSetting(setting));
    return *directory_;
}

// A file that cannot be read now is read again next time, and never written over.
TDirectoryIds& TRadioForm::DirectoryIds() {
    if (directoryIds_) return *directoryIds_;
    auto ids = std::make_unique<TDirectoryIds>(plat::JoinPath(dataDir_, kDirectoryIdsFile));
    ids->Load();
    directoryIds_ = std::move(ids);
    return *directoryIds_;
}

void TRadioForm::FindStations() {
    TFindStationsForm form(nullptr, *this);
    form.ShowModal();
}

void TRadioForm::FindButtonClick(TObject*) {
    FindStations();
}

void TRadioForm::PlayFound(const TFoundStation& station) {
    if (!Player.Play(RealAudioLoc, station.PlayAddress())) return ShowPlayerFailure();
    playingStation_ = AcceptableStationName(station.name);
    ShowNowPlaying();
    Directory().CountClick(station.uuid);
}

// A station file that cannot be read has no address to compare.
std::string TRadioForm::StationWithAddress(const std::string& address) const {
    for (const auto& name : StationLB->Items()->Items()) {
        try {
            if (Stations().ReadURL(name) == address) return name;
        } catch (const EInOutError&) {
        }
    }
    return {};
}

TAddFound TRadioForm::AddFound(const TFoundStation& station, std::string& name) {
    TDirectoryIds& ids = DirectoryIds();  // before anything changes: it may not be readable
    name = AcceptableStationName(station.name);
    const std::string& address = station.PlayAddress();
    if (address.empty()) return TAddFound::NoAddress;
    if (std::string other = StationWithAddress(address); !other.empty()) {
        name = other;
        return TAddFound::AddressTaken;
    }
    switch (AddStation(name, address)) {
        case TAddResult::Added:
            break;
        case TAddResult::NameTaken:
            return TAddFound::NameTaken;
        default:
            return TAddFound::NoAddress;
    }
    RefillFloatingList();
    ids.Set(name, station.uuid);
    ids.Save(StationLB->Items()->Items());
    return TAddFound::Added;
}
