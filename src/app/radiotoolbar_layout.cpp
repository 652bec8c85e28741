// The floating window's controls and menu. Controls are made in tab order: the
// drop-down list, then the volume bar; the tool buttons take no focus.
#include "app/radiotoolbar.h"

#include "app/layout.h"
#include "app/radiowin.h"
#include "app/words.h"
#include "gui/application.h"
#include "gui/exceptions.h"

namespace {

TLabel* MakeLabel(TRadioFloatWin* form, const char* name, Place p, const char* caption) {
    auto* label = MakeControl<TLabel>(form, name, p, caption);
    label->SetAlignment(taRightJustify);
    return label;
}

}  // namespace

void TRadioFloatWin::CreateControls() {
    StatusLabel = MakeLabel(this, "StatusLabel", {2, 11, 56, 13}, "Stations:");
    StationCB = MakeControl<TComboBox>(this, "StationCB", {62, 8, 217, 21});
    StationCB->OnChange = [this](TObject* s) { StationCBChange(s); };
    VolumeLabel = MakeLabel(this, "VolumeLabel", {2, 46, 42, 13}, "Volume:");
    VolumeBar = MakeControl<TTrackBar>(this, "VolumeBar", {47, 38, 289, 40});
    VolumeBar->SetMin(0);
    VolumeBar->SetMax(255);
    VolumeBar->SetPosition(0);
    VolumeBar->SetFrequency(26);
    VolumeBar->SetTickMarks(tmBottomRight);
    VolumeBar->OnChange = [this](TObject* s) { VolumeBarChange(s); };
    VolumeBar->OnEnter = [this](TObject* s) { VolumeBarEnter(s); };

    SpeedButton3 = MakeToolButton(this, "SpeedButton3", {284, 6, 25, 25}, TGlyph::Play,
                                  "Play the selected station");
    SpeedButton3->OnClick = [this](TObject* s) { SpeedButton3Click(s); };
    SpeedButton1 =
        MakeToolButton(this, "SpeedButton1", {311, 6, 25, 25}, TGlyph::Stop, "Stop the player");
    SpeedButton1->OnClick = [this](TObject* s) { SpeedButton1Click(s); };

    Timer1 = new TTimer(this);
    Timer1->SetName("Timer1");
    Timer1->SetInterval(1000);
    Timer1->SetEnabled(true);
    // Without a timer the bar does not follow the device; the program starts anyway.
    try {
        Timer1->OnTimer = [this](TObject* s) { Timer1Timer(s); };
    } catch (const EOutOfResources& e) {
        Application->ShowException(e);
    }

    OpenDialog1 = new TOpenDialog(this);
    OpenDialog1->SetName("OpenDialog1");
    OpenDialog1->SetFilter("Applications|*.exe|All Files|*.*");
    OpenDialog1->SetTitle(DesktopWords().choosePlayerTitle);

    OpenDialog2 = new TOpenDialog(this);
    OpenDialog2->SetName("OpenDialog2");
    OpenDialog2->SetFilter(
        "Playlists (*.m3u, *.m3u8, *.pls, *.txt)|*.m3u;*.m3u8;*.pls;*.txt|All Files|*.*");
    OpenDialog2->SetTitle("Import Stations");
    SaveDialog1 = new TSaveDialog(this);
    SaveDialog1->SetName("SaveDialog1");
    SaveDialog1->SetFilter("Playlist in UTF-8 (*.m3u8)|*.m3u8|Playlist (*.m3u)|*.m3u");
    SaveDialog1->SetDefaultExt("m3u8");
    SaveDialog1->SetTitle("Export Stations");
    SaveDialog1->SetFileName("Zelvora stations.m3u8");
}

TMenuItem* TRadioFloatWin::AddItem(TMenuItem* parent, const char* name, const std::string& caption,
                                   TNotifyEvent onClick) {
    auto* item = new TMenuItem(this);
    item->SetName(name);
    item->SetCaption(caption);
    item->OnClick = std::move(onClick);
    parent->Add(item);
    return item;
}

void TRadioFloatWin::CreateMenu() {
    MainMenu1 = new TMainMenu(this);
    MainMenu1->SetName("MainMenu1");
    TMenuItem* bar = MainMenu1->Items();
    auto on = [this](void (TRadioFloatWin::*handler)(TObject*)) {
        return [this, handler](TObject* s) { (this->*handler)(s); };
    };

    File1 = AddItem(bar, "File1", "&File");
    HideItem = AddItem(File1, "HideItem", "&Hide", on(&TRadioFloatWin::HideItemClick));
    N3 = AddItem(File1, "N3", "-");
    OpenRealAudioWindow1 = AddItem(File1, "OpenRealAudioWindow1", DesktopWords().openPlayerWindow,
                                   on(&TRadioFloatWin::OpenRealAudioWindow1Click));
    CreateSongItems();
    N2 = AddItem(File1, "N2", "-");
    Exit2 = AddItem(File1, "Exit2", "E&xit", on(&TRadioFloatWin::Exit2Click));

    Configure1 = AddItem(bar, "Configure1", "&Configure");
    N1 = AddItem(Configure1, "N1", "&Configure", on(&TRadioFloatWin::N1Click));
    ConfigureRealAudioLocation1 =
        AddItem(Configure1, "ConfigureRealAudioLocation1", DesktopWords().choosePlayer,
                on(&TRadioFloatWin::ConfigureRealAudioLocation1Click));
    N4 = AddItem(Configure1, "N4", "-");
    ImportStations1 = AddItem(Configure1, "ImportStations1", "Import Stations...",
                              on(&TRadioFloatWin::ImportStations1Click));
    ExportStations1 = AddItem(Configure1, "ExportStations1", "Export Stations...",
                              on(&TRadioFloatWin::ExportStations1Click));
    FindStations1 = AddItem(Configure1, "FindStations1", "&Find Stations...",
                            on(&TRadioFloatWin::FindStations1Click));

    Help1 = AddItem(bar, "Help1", "&Help");
    Help2 = AddItem(Help1, "Help2", "Help...", on(&TRadioFloatWin::Help2Click));
    Help2->SetShortCut(ShortCut(plat::VK_F1));
    N6 = AddItem(Help1, "N6", "-");
    AboutItem1 =
        AddItem(Help1, "AboutItem1", "About Zelvora...", on(&TRadioFloatWin::AboutItem1Click));
    AboutPublisher1 =
        AddItem(Help1, "AboutPublisher1", std::string("About the ") + kPublisherShortName + "...",
                on(&TRadioFloatWin::AboutPublisher1Click));

    PublisherWebPage1 = AddItem(bar, "PublisherWebPage1", "&Web");
    PublisherHomePage1 = AddItem(PublisherWebPage1, "PublisherHomePage1",
                                 std::string(kPublisherShortName) + " Home Page...",
                                 on(&TRadioFloatWin::PublisherHomePage1Click));
    SetMenu(MainMenu1);
}
