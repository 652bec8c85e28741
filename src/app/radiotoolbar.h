// The floating window: the program's small control panel with the station list,
// play and stop, the volume bar and the menu that reaches everything else. It owns
// no data of its own; it keeps its controls in step with the configuration window.
#pragma once

#include <optional>
#include <string>

#include "app/playercontrol.h"
#include "gui/buttons.h"
#include "gui/comctrls.h"
#include "gui/dialogs.h"
#include "gui/forms.h"
#include "gui/listcontrols.h"
#include "gui/menus.h"
#include "gui/stdctrls.h"
#include "gui/timer.h"

// How the publisher is named in its menu entries and messages.
inline constexpr const char* kPublisherShortName = "Zelvora Project";

class TRadioFloatWin : public TForm {
  public:
    explicit TRadioFloatWin(TComponent* owner);
    ~TRadioFloatWin() override;

    TLabel* StatusLabel;  // "Stations:"
    TComboBox* StationCB;
    TSpeedButton* SpeedButton3;  // play
    TSpeedButton* SpeedButton1;  // stop
    TLabel* VolumeLabel;         // "Volume:"
    TTrackBar* VolumeBar;
    TTimer* Timer1;
    TOpenDialog* OpenDialog1;
    TOpenDialog* OpenDialog2;  // the playlist to import
    TSaveDialog* SaveDialog1;  // the playlist to export to

    TMainMenu* MainMenu1;
    TMenuItem* File1;
    TMenuItem* HideItem;
    TMenuItem* N3;
    TMenuItem* OpenRealAudioWindow1;
    TMenuItem* N2;
    TMenuItem* Exit2;
    TMenuItem* Configure1;
    TMenuItem* N1;
    TMenuItem* ConfigureRealAudioLocation1;
    TMenuItem* N4;
    TMenuItem* ImportStations1;
    TMenuItem* ExportStations1;
    TMenuItem* FindStations1;  // the station directory's window
    TMenuItem* Help1;
    TMenuItem* Help2;
    TMenuItem* N6;
    TMenuItem* AboutItem1;
    TMenuItem* AboutPublisher1;
    TMenuItem* PublisherWebPage1;
    TMenuItem* PublisherHomePage1;

    void FormCreate(TObject* sender);
    void FormShow(TObject* sender);
    void FormCloseQuery(bool& canClose);
    void StationCBChange(TObject* sender);
    void SpeedButton3Click(TObject* sender);
    void SpeedButton1Click(TObject* sender);
    void VolumeBarEnter(TObject* sender);
    void VolumeBarChange(TObject* sender);
    void Timer1Timer(TObject* sender);
    void HideItemClick(TObject* sender);
    void OpenRealAudioWindow1Click(TObject* sender);
    void Exit2Click(TObject* sender);
    void N1Click(TObject* sender);
    void ConfigureRealAudioLocation1Click(TObject* sender);
    void ImportStations1Click(TObject* sender);
    void ExportStations1Click(TObject* sender);
    void FindStations1Click(TObject* sender);
    void Help2Click(TObject* sender);
    void AboutItem1Click(TObject* sender);
    void AboutPublisher1Click(TObject* sender);
    void PublisherHomePage1Click(TObject* sender);

    // The drop-down list becomes a copy of the station list, with the list's
    // selection when withSelection is set and none otherwise.
    void CopyStationList(bool withSelection);
    // The same after the list has changed under the box: with the list's selection, or
    // without one the station the box showed before while it is still listed.
    void CopyStationListKeeping(const std::optional<std::string>& shown);
    std::optional<std::string> ShownStation() const;
    bool VolumeBarEntered() const { return volumeBarEntered_; }

    // What plays now (radiotoolbar_songs.cpp): the tray menu's group, in the File menu.
    TMenuItem* N5;
    TMenuItem* SongNotifications2;
    TMenuItem* CopySongTitle2;
    TMenuItem* Sleep2;
    // The entries as the tray's show them.
    void ShowSongItems(bool notifications, bool canCopy, int sleepMinutesLeft);

  private:
    void CreateControls();
    void CreateMenu();
    void CreateSongItems();
    TMenuItem* AddItem(TMenuItem* parent, const char* name, const std::string& caption,
                       TNotifyEvent onClick = nullptr);

    // The volume bar follows the mixer while there is one; a mixer that fails leaves
    // the bar disabled with the reason until it answers again.
    void ShowVolume();
    void VolumeUnavailable(const char* why);
    void VolumeAvailable();

    bool volumeBarEntered_ = false;
};

extern TRadioFloatWin* RadioFloatWin;
