#include "app/radiowin.h"

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
// those over the user's settings. A first start, with neither the order file nor a
// station file, gets the starter stations.
void TRadioForm::LoadStationListReporting() {
    const std::string orderFile = plat::JoinPath(dataDir_, "zelvora.set");
    if (!FileExists(orderFile)) {
        if (Stations().Empty()) LoadStarterStations();
        return;
    }
    try {
        LoadStationList(*StationLB, orderFile);
    } catch (const Exception& e) {
        Application->ShowException(e);
    }
}

void TRadioForm::FormShow(TObject*) {
    if (AboutShown) return;
    AboutBox->ShowModal();
    AboutShown = true;
}

void TRadioForm::Exit1Click(TObject*) {
    SaveStationList(*StationLB, plat::JoinPath(dataDir_, "zelvora.set"));
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
    settings_->WriteInteger(kMainLower, "StationLBItemIndex", StationLB->ItemIndex());
    settings_->WriteString(kMainLower, "RealAudioLoc", RealAudioLoc);
    settings_.reset();
    RemoveTrayIcon();
    plat::Current().ExitProcess(0);
}
