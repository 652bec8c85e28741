#include "app/radiowin.h"

#include <algorithm>

#include "app/AboutUNIT.h"
#include "app/players.h"
#include "app/stationorder.h"
#include "gui/application.h"
#include "gui/exceptions.h"
#include "gui/fileutil.h"
#include "platform/paths.h"
#include "platform/platform.h"

TRadioForm* RadioForm = nullptr;

namespace {

const char* const kSettingsFile = "zelvora.ini";
const char* const kMain = "MainForm";
const char* const kMainLower = "Mainform";  // the same section, spelled as the keys have it

}  // namespace

TRadioForm::TRadioForm(TComponent* owner) : TForm(owner, "TRadioForm") {
    SetName("RadioForm");
    SetCaption("Configure Zelvora");
    SetBorderStyle(bsDialog);
    SetBorderIcons(biSystemMenu);
    SetPosition(poScreenCenter);
    SetBounds(15, 15, 0, 0);
    SetClientWidth(497);
    SetClientHeight(328);
    SetFont(plat::FontSpec{"MS Sans Serif", 8, false, false});
    SetVisible(false);
    CreateControls();
    CreateDirectoryControls();
    ConnectStationEditing();
    StationLB->Items()->OnChange = [this](TObject*) { StationListChanged(); };
    CreateTray();
    CreateMixer();
    CreateShellLinks();
    ReadStored([this] {
        StoreTray();
        StoreMixer();
        StoreShellLinks();
    });
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

TRadioForm::~TRadioForm() {
    if (HandleAllocated()) {
        plat::Current().WatchSessionEnd(0, 0);
        plat::Current().WatchLaterStarts(0, 0);
    }
    if (RadioForm == this) RadioForm = nullptr;
}

TStationStore TRadioForm::Stations() const {
    return TStationStore(plat::JoinPath(dataDir_, "settings"));
}

void TRadioForm::FormCreate(TObject*) {
    AboutShown = false;
    auto& p = plat::Current();
    dataDir_ = p.UserDataDirectory();
    const std::string settingsDir = plat::JoinPath(dataDir_, "settings");
    if (!DirectoryExists(settingsDir)) p.CreateDirectoryA(settingsDir);
    Application->SetHelpFile(plat::JoinPath(p.ProgramDataDirectory(), "zelvora.HLP"));
    settings_ = std::make_unique<TIniFile>(kSettingsFile);
    WatchLifetime();

    if (settings_->ReadInteger(kMain, "Status", 0) != 0) {
        FloatTop = settings_->ReadInteger(kMain, "Top", 50);
        FloatLeft = settings_->ReadInteger(kMain, "Left", 50);
    }
    LaunchAtStartCB->SetChecked(settings_->ReadBool(kMain, "LaunchAtStartCB", false));
    PlayAtStartCB->SetChecked(settings_->ReadBool(kMain, "PlayAtStartCB", false));
    ShowWinAtStartCB->SetChecked(settings_->ReadBool(kMain, "ShowWinAtStartCB", true));
    LoadStationListReporting();
    StationLB->SetItemIndex(settings_->ReadInteger(kMainLower, "StationLBItemIndex", -1));
    RealAudioLoc = settings_->ReadString(kMainLower, "RealAudioLoc", "");
    if (RealAudioLoc.empty()) RealAudioLoc = PlayerLocationToUse();
    p.WatchNowPlaying(Handle(), WM_NOWPLAYING);
    if (PlayAtStartCB->Checked()) PlayButton->Click();
    RestoreShortcutBoxes();
}

// With no location in the settings: the player's default place when it is there,
// else the first player found installed, else the default all the same (on Linux,
// where that place means nothing, the preferred player by name). Like any location
// it reaches the settings file only at exit.
std::string TRadioForm::PlayerLocationToUse() const {
    if (FileExists(kDefaultPlayerLocation)) return kDefaultPlayerLocation;
    return FindInstalledPlayer().value_or(FallbackPlayerLocation(kDefaultPlayerLocation));
}

// A damaged order file is reported, and start-up goes on: stopping here would leave
// the player location empty and the options cleared, and the next exit would write
// those over the user's settings. One that is there but cannot be read now (a backup
// program holds it, its permissions changed) is kept as it is for the next start.
// Without an order file, the station files there make the list (a run that ended
// before it saved one); a first start, with neither, gets the starter stations.
void TRadioForm::LoadStationListReporting() {
    const std::string orderFile = OrderFile();
    if (!FileExists(orderFile)) {
        listLoaded_ = true;
        ListStationFiles();
        if (StationLB->Items()->Count() == 0) LoadStarterStations();
        return;
    }
    try {
        LoadStationList(*StationLB, orderFile);
    } catch (const EFOpenError& e) {
        return Application->ShowException(
            Exception(std::string(e.what()) +
                      ".\n\nThe stations listed in it are kept: the list stays empty in this "
                      "run, changes to it are not saved, and the next start reads the file "
                      "again."));
    } catch (const Exception& e) {
        Application->ShowException(e);
    }
    listLoaded_ = true;
}

// Only files that a name maps to unchanged: a temporary file or a copy that another
// program left has a full stop in its name, and no station's file has one.
void TRadioForm::ListStationFiles() {
    auto& p = plat::Current();
    std::vector<std::string> names;
    for (const std::string& file : p.FindFilesA(Stations().SettingsDir()))
        if (StationFileName(file) == file && UsableFileName(file) && p.SystemText(file) == file)
            names.push_back(file);
    std::sort(names.begin(), names.end(), [&p](const std::string& a, const std::string& b) {
        return p.CompareStringA(plat::NORM_IGNORECASE, a, b) == plat::CSTR_LESS_THAN;
    });
    for (const std::string& name : names) StationLB->Items()->Add(name);
}

void TRadioForm::FormShow(TObject*) {
    if (AboutShown) return;
    AboutBox->ShowModal();
    AboutShown = true;
}

void TRadioForm::Exit1Click(TObject*) {
    SaveStationListNow();
    SaveSettings();
    settings_.reset();
    RemoveTrayIcon();
    plat::Current().ExitProcess(0);
}

void TRadioForm::SaveSettings() {
    if (!settings_) return;
    if (WindowState() == wsNormal) {
        settings_->WriteInteger(kMain, "Status", 1);
        settings_->WriteInteger(kMain, "Top", Top());
        settings_->WriteInteger(kMain, "Left", Left());
        settings_->WriteInteger(kMain, "Width", Width());
        settings_->WriteInteger(kMain, "Height", Height());
    }
    settings_->WriteBool(kMain, "LaunchAtStartCB", LaunchAtStartCB->Checked());
    settings_->WriteBool(kMain, "PlayAtStartCB", PlayAtStartCB->Checked());
    settings_->WriteBool(kMain, "ShowWinAtStartCB", ShowWinAtStartCB->Checked());
    // The selection belongs to the list it was made in.
    if (listLoaded_)
        settings_->WriteInteger(kMainLower, "StationLBItemIndex", StationLB->ItemIndex());
    settings_->WriteString(kMainLower, "RealAudioLoc", RealAudioLoc);
}
