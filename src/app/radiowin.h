// The configuration window, which is also the application's core object: it owns
// the station list, the settings file, the player location and everything else
// that lives for the whole run.
#pragma once

#include <memory>
#include <string>

#include "app/stationstore.h"
#include "gui/buttons.h"
#include "gui/forms.h"
#include "gui/inifiles.h"
#include "gui/listcontrols.h"
#include "gui/menus.h"
#include "gui/stdctrls.h"
#include "gui/timer.h"

// Placeholders for the player vendor's and the publisher's web sites.
inline constexpr const char* kPlayerVendorAddress = "https://player.example.org/";
inline constexpr const char* kPublisherAddress = "https://zelvora.example.org/";
inline constexpr const char* kDefaultPlayerLocation = "C:\\raplayer\\raplayer.exe";

class TRadioForm : public TForm {
public:
    explicit TRadioForm(TComponent* owner);
    ~TRadioForm() override;

    // ---- Controls, in tab order --------------------------------------------------
    TLabel* Label1;  // "Station:"
    TListBox* StationLB;
    TLabel* Label2;  // "Name:"
    TEdit* NameEdit;
    TLabel* Label3;  // "URL:"
    TEdit* URLEdit;
    TBitBtn* AddButton;
    TBitBtn* DeleteButton;
    TBitBtn* PlayButton;
    TLabel* Label4;  // "When Zelvora starts..."
    TCheckBox* PlayAtStartCB;
    TCheckBox* ShowWinAtStartCB;
    TLabel* Label5;  // "Add icon to..."
    TCheckBox* StartMenuCB;
    TCheckBox* DesktopCB;
    TCheckBox* LaunchAtStartCB;
    TButton* OKButton;
    TSpeedButton* ChangeSubject;
    TSpeedButton* RevertSubject;
    TSpeedButton* SpeedButton1;  // move the selected station up
    TSpeedButton* SpeedButton2;  // move it down

    // ---- Components without a window -----------------------------------------------
    TPopupMenu* TrayMenu;
    TMenuItem* TrayMenu1;  // "Zelvora..."
    TMenuItem* N7;         // separator
    TTimer* Timer3;        // switched while dragging; it has no action

    // ---- State shared with the other windows -----------------------------------------
    const std::string& ProgramDir() const { return programDir_; }
    std::string RealAudioLoc;
    bool AboutShown = false;
    int FloatTop = 0;  // where the floating window places itself when it is made
    int FloatLeft = 0;
    TStationStore Stations() const;

    // ---- Handlers ------------------------------------------------------------------
    void FormCreate(TObject* sender);
    void FormShow(TObject* sender);
    // Saves the station list and the settings and ends the process. When saving
    // fails, the failure leaves the handler and the program runs on.
    void Exit1Click(TObject* sender);

    // Starts the player on the station with that name; failures are reported here.
    void LaunchStation(const std::string& name);
    // Asks the shell to open the address; true when it reports success.
    bool LaunchURL(const std::string& address);

    void PlayButtonClick(TObject* sender);

private:
    void CreateControls();
    void CreateStationControls();
    void CreateOptionControls();
    void LoadStationListReporting();

    std::string programDir_;
    std::unique_ptr<TIniFile> settings_;
};

// The command line that starts the player on a URL: the location, one blank and
// the URL. A location with a blank that names an existing program file as a whole
// is quoted, so that the system cannot start a different program from a prefix of
// the path; a location with arguments after the program is left as it is.
std::string PlayerCommandLine(const std::string& location, const std::string& url);

extern TRadioForm* RadioForm;
