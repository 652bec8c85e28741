#include "app/radiotoolbar.h"

#include <algorithm>

#include "app/AboutUNIT.h"
#include "app/radiowin.h"
#include "app/words.h"
#include "gui/application.h"
#include "platform/paths.h"
#include "platform/platform.h"

TRadioFloatWin* RadioFloatWin = nullptr;

namespace {

void Tell(const std::string& text) {
    Application->MessageBox(text, Application->Title(), plat::MB_OK);
}

}  // namespace

TRadioFloatWin::TRadioFloatWin(TComponent* owner) : TForm(owner, "TRadioFloatWin") {
    // Reachable while it is still being made: its first showing runs the about box's
    // modal loop, in which the tray may already ask for this window.
    RadioFloatWin = this;
    SetName("RadioFloatWin");
    SetCaption("Zelvora");
    SetBorderStyle(bsToolWindow);
    SetBorderIcons(biSystemMenu);
    SetFont(plat::FontSpec{"MS Sans Serif", 8, false, false});
    SetVisible(false);
    CreateControls();
    CreateMenu();
    SetClientWidth(340);
    SetClientHeight(84);
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
    OnCloseQuery = [this](TObject*, bool& canClose) { FormCloseQuery(canClose); };
}

TRadioFloatWin::~TRadioFloatWin() {
    if (RadioFloatWin == this) RadioFloatWin = nullptr;
}

void TRadioFloatWin::FormCreate(TObject*) {
    volumeBarEntered_ = false;
    CopyStationList(true);
    // Without a notification area there is no tray icon to reach the program by.
    if (RadioForm->ShowWinAtStartCB->Checked() || !plat::Current().HasNotificationArea()) Show();
    ShowVolume();
    SetBounds(RadioForm->FloatLeft, RadioForm->FloatTop, Width(), Height());
}

// Without a notification area this window is the only way back to the program: closed,
// it would leave the program running with nothing on the screen to reach it by.
void TRadioFloatWin::FormCloseQuery(bool& canClose) {
    if (plat::Current().HasNotificationArea()) return;
    canClose = false;
    const int answer = Application->MessageBox(
        "Zelvora has no icon in the notification area, so this window is the only way "
        "back to it.\r\n\r\nExit Zelvora?",
        Application->Title(), plat::MB_YESNO | plat::MB_ICONQUESTION);
    if (answer == plat::IDYES) RadioForm->Exit1Click(this);
}

// The flag is set before the about box opens: a tray click inside its modal loop
// shows this window again, and a second modal showing of the same box would fail.
void TRadioFloatWin::FormShow(TObject*) {
    RadioForm->RefreshSongItems();
    if (RadioForm->AboutShown) return;
    RadioForm->AboutShown = true;
    if (!AboutBox->Visible()) AboutBox->ShowModal();
}

void TRadioFloatWin::CopyStationList(bool withSelection) {
    StationCB->SetItems(*RadioForm->StationLB->Items());
    StationCB->SetItemIndex(withSelection ? RadioForm->StationLB->ItemIndex() : -1);
}

// Change and Delete leave the station list without a selection: without this the box
// would come back empty, and its play button would do nothing.
void TRadioFloatWin::CopyStationListKeeping(const std::optional<std::string>& shown) {
    CopyStationList(true);
    if (StationCB->ItemIndex() >= 0 || !shown) return;
    const auto& names = StationCB->Items()->Items();
    auto kept = std::find(names.begin(), names.end(), *shown);
    if (kept == names.end()) return;
    StationCB->SetItemIndex(static_cast<int>(kept - names.begin()));
    RadioForm->StationLB->SetItemIndex(StationCB->ItemIndex());
}

std::optional<std::string> TRadioFloatWin::ShownStation() const {
    const int i = StationCB->ItemIndex();
    if (i < 0) return std::nullopt;
    return StationCB->Items()->Strings(i);
}

// ---- Stations and the player ---------------------------------------------------------

void TRadioFloatWin::StationCBChange(TObject*) {
    RadioForm->StationLB->SetItemIndex(StationCB->ItemIndex());
}

void TRadioFloatWin::SpeedButton3Click(TObject*) {
    const int i = StationCB->ItemIndex();
    const TStringList* stations = RadioForm->StationLB->Items();
    if (i < 0 || i >= stations->Count()) return;
    RadioForm->LaunchStation(stations->Strings(i));
}

void TRadioFloatWin::SpeedButton1Click(TObject*) {
    RadioForm->StopPlayer();
}

// The location is quoted by the same rule as when a station is played: a program
// path with a blank, left bare, could start a different program named by its prefix.
void TRadioFloatWin::OpenRealAudioWindow1Click(TObject*) {
    if (!RadioForm->Player.Raise(RadioForm->RealAudioLoc)) ShowPlayerFailure();
}

void TRadioFloatWin::ConfigureRealAudioLocation1Click(TObject*) {
    Tell(DesktopWords().choosePlayerHint);
    OpenDialog1->SetInitialDir(plat::ExtractFileDir(RadioForm->RealAudioLoc));
    if (OpenDialog1->Execute()) RadioForm->RealAudioLoc = OpenDialog1->FileName();
}

// Both keep to the folder last used, so that an export lands where an import came from.
void TRadioFloatWin::ImportStations1Click(TObject*) {
    if (!OpenDialog2->Execute()) return;
    SaveDialog1->SetInitialDir(plat::ExtractFileDir(OpenDialog2->FileName()));
    const auto shown = ShownStation();
    RadioForm->ImportStations(OpenDialog2->FileName());
    CopyStationListKeeping(shown);
}

void TRadioFloatWin::ExportStations1Click(TObject*) {
    if (!SaveDialog1->Execute()) return;
    OpenDialog2->SetInitialDir(plat::ExtractFileDir(SaveDialog1->FileName()));
    RadioForm->ExportStations(SaveDialog1->FileName());
}

// ---- The rest of the menu --------------------------------------------------------------

void TRadioFloatWin::HideItemClick(TObject*) {
    Hide();
}

void TRadioFloatWin::Exit2Click(TObject* sender) {
    RadioForm->Exit1Click(sender);
}

// What was added shows in the drop-down list at once; the selection comes back after.
void TRadioFloatWin::FindStations1Click(TObject*) {
    RadioForm->FindStations();
    CopyStationList(true);
}

void TRadioFloatWin::N1Click(TObject*) {
    const auto shown = ShownStation();
    RadioForm->ShowModal();
    CopyStationListKeeping(shown);
}

void TRadioFloatWin::Help2Click(TObject*) {
    ShowHelpTopic(kContentsHelpTopic);
}

void TRadioFloatWin::AboutItem1Click(TObject*) {
    AboutBox->Show();
}

void TRadioFloatWin::AboutPublisher1Click(TObject*) {
    ShowHelpTopic(kPublisherHelpTopic);
}

void TRadioFloatWin::PublisherHomePage1Click(TObject*) {
    if (RadioForm->LaunchURL(kPublisherAddress)) return;
    Tell("Could not open web browser.");
    Tell(std::string("Go to ") + kPublisherAddress + " to view the " + kPublisherShortName +
         " Home Page.");
}
