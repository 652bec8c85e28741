// The configuration window, which is also the application's core object: it owns
// the station list, the settings file, the player location and everything else
// that lives for the whole run.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "app/directory_client.h"
#include "app/directory_ids.h"
#include "app/playercontrol.h"
#include "app/stationlist.h"
#include "app/sleeptimer.h"
#include "app/songnews.h"
#include "app/stationstore.h"
#include "gui/buttons.h"
#include "gui/forms.h"
#include "gui/inifiles.h"
#include "gui/listcontrols.h"
#include "gui/menus.h"
#include "gui/stdctrls.h"
#include "gui/timer.h"

class TPGTrayIcon95;
struct TPlaylist;
class TMixerVolume;
class TPBShellLink;

// Placeholders for the player vendor's and the publisher's web sites.
inline constexpr const char* kPlayerVendorAddress = "https://player.example.org/";
inline constexpr const char* kPublisherAddress = "https://zelvora.example.org/";
inline constexpr const char* kDefaultPlayerLocation = "C:\\raplayer\\raplayer.exe";
// The stations of a first start, beside the program, where an administrator may
// replace them.
inline constexpr const char* kStarterStationsFile = "starter-stations.m3u";
// Posted to the configuration window when what a player plays now may have changed.
inline constexpr plat::UINT WM_NOWPLAYING = plat::WM_USER + 101;
// Posted to it when a later start of the program found this copy running.
inline constexpr plat::UINT WM_LATERSTART = plat::WM_USER + 201;
// Sent to it when the session ends or the program is told to end; wParam 1: the
// program ends itself once it has saved.
inline constexpr plat::UINT WM_SESSIONEND = plat::WM_USER + 202;
// Posted to it when the station list has changed: one save for all the changes that
// one handler makes (an import, a move).
inline constexpr plat::UINT WM_SAVESTATIONS = plat::WM_USER + 203;

// What became of a station found in the directory that the user added.
enum class TAddFound { Added, NameTaken, AddressTaken, NoAddress };

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
    TPGTrayIcon95* PGTrayIcon951 = nullptr;
    TMixerVolume* MixerVolume1 = nullptr;
    TPBShellLink* PBShellStartMenu = nullptr;
    TPBShellLink* PBShellDesktop = nullptr;
    TPBShellLink* PBShellStartupItem = nullptr;

    // ---- State shared with the other windows -----------------------------------------
    // The folder of the station files' folder and the order file.
    const std::string& DataDir() const { return dataDir_; }
    std::string RealAudioLoc;
    TPlayerControl Player;  // what plays, stops and raises the player
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
    // What Exit saves, saved when the session ends or the program is told to end,
    // each file on its own (nobody is left to read a report); then, when it is to
    // end itself, the tray icon is removed and the process ends.
    void SessionEnds(bool programToEnd);

    // Starts the player on the station with that name; failures are reported here.
    void LaunchStation(const std::string& name);
    // Stops the player; the tray icon's tip no longer names a station.
    void StopPlayer();
    // Looks at the player once a second (the floating window's poll): the tip follows
    // a player that ended or failed to play.
    void PollPlayer();
    // Asks the shell to open the address; true when it reports success.
    bool LaunchURL(const std::string& address);

    // Station list editing (radiowin_stations.cpp)
    // AddStationTo on the station list; the floating list is not refilled.
    TAddResult AddStation(const std::string& name, const std::string& url);
    void StationLBClick(TObject* sender);
    void AddButtonClick(TObject* sender);
    void ChangeSubjectClick(TObject* sender);
    void RevertSubjectClick(TObject* sender);
    void DeleteButtonClick(TObject* sender);
    void PlayButtonClick(TObject* sender);
    void SpeedButton1Click(TObject* sender);
    void SpeedButton2Click(TObject* sender);
    void StationLBDragOver(TObject* sender, TObject* source, int x, int y, TDragState state,
                           bool& accept);
    void StationLBDragDrop(TObject* sender, TObject* source, int x, int y);
    void StationLBEndDrag(TObject* sender, TObject* target, int x, int y);

    // Tray icon and tray menu (radiowin_tray.cpp)
    void TrayMenuPopup(TObject* sender);
    void DesktopMenuClick(TObject* sender);
    void TrayMenu1Click(TObject* sender);
    void PGTrayIcon951Click(TObject* sender);
    void PGTrayIcon951DblClick(TObject* sender);
    // The tip names the station playing and the title its player publishes, or what
    // went wrong with it; it stays empty where the system cannot tell what a player
    // plays and nothing went wrong, as it always was.
    void ShowNowPlaying();

    bool WndProc(plat::Message& m) override;

    // Shortcut options (radiowin_shortcuts.cpp)
    void StartMenuCBClick(TObject* sender);
    void DesktopCBClick(TObject* sender);
    void LaunchAtStartCBClick(TObject* sender);

    // What the floating window shows of this window (radiowin_float.cpp): its
    // drop-down list becomes a copy of the station list, without a selection; and
    // the window is shown, brought to the foreground when asked.
    void RefillFloatingList();
    void ShowFloatingWindow(bool foreground);
    // Makes the mixer when a wave device has come since the start (a headset plugged
    // in): true when there is one now. While there is none it costs one call.
    bool FindMixer();

    // Playlists (radiowin_playlists.cpp): every station of the file added by Add's
    // rules, then one summary box that says what was added and what not and why.
    // EInOutError when the file cannot be read; nothing is added then.
    void ImportStations(const std::string& playlistFile);
    // The list in its order as extended M3U, then a box that says so. EInOutError
    // when the file cannot be written; an old file of that name stays as it was.
    void ExportStations(const std::string& playlistFile);

    // ---- The station directory (radiowin_directory.cpp) -------------------------------
    TButton* FindButton;  // "Find Stations...", beside Add
    // The directory client, made at first use: its servers are those of the settings
    // file's [Directory] Server key, or of the environment variable ZELVORA_DIRECTORY,
    // which wins; without either they are found by DNS.
    TDirectoryClient& Directory();
    // The ids of the stations that came from the directory, read at first use;
    // EInOutError when the file cannot be read (and nothing is read then).
    TDirectoryIds& DirectoryIds();
    // Shows the Find Stations window modally.
    void FindStations();
    void FindButtonClick(TObject* sender);
    // Plays the found station's address at once, and counts the play.
    void PlayFound(const TFoundStation& station);
    // Adds the found station by Add's rules under a name made acceptable (name says
    // which, or which station already has its address) and keeps its id.
    TAddFound AddFound(const TFoundStation& station, std::string& name);

    // The main program's last step before its message loop.
    void ActivateTrayAtStart(bool anotherCopyRuns);

    // What plays now (radiowin_songs.cpp): a group of the tray menu after its first
    // item, the same entries in the floating window's menu.
    TMenuItem* N8;  // separator before the group
    TMenuItem* SongNotifications1;
    TMenuItem* CopySongTitle1;
    TMenuItem* Sleep1;  // its items: Off and the minutes of kSleepChoices
    void SongNotifications1Click(TObject* sender);
    void CopySongTitle1Click(TObject* sender);
    // The sleep timer for the minutes (0: off); at its end it does what Stop does.
    void SetSleepTimer(int minutes);
    // "Song Notifications", kept in the settings file: read at first need.
    bool SongNotifications();
    // The title the tip shows, on one line; empty while none is known.
    const std::string& SongTitle() const { return songTitle_; }
    int SleepMinutesLeft() const;
    // Both menus' entries as they are now, before a menu shows them.
    void RefreshSongItems();

  private:
    void CreateControls();
    void CreateStationControls();
    void CreateOptionControls();
    // Each area makes its components in the constructor and applies their stored
    // values while the form reads them (the component's being-read flag is set).
    void CreateTray();
    void StoreTray();
    void CreateMixer();
    void StoreMixer();
    void CreateShellLinks();
    void StoreShellLinks();
    void RemoveTrayIcon();
    void RestoreShortcutBoxes();
    void LoadStationListReporting();
    void LoadStarterStations();
    void ListStationFiles();

    // Keeping the list and the settings on disk (radiowin_lifetime.cpp)
    std::string OrderFile() const;
    void WatchLifetime();
    bool LifetimeMessage(plat::Message& m);
    void StationListChanged();
    void SaveQueuedStationList();
    void SaveStationListNow();
    void SaveSettings();
    // The list shows what the order file held, or there was no order file: only then
    // may the list replace the file. A file that could not be read stays as it is.
    bool listLoaded_ = false;
    bool saveQueued_ = false;
    bool saveFailureReported_ = false;  // since the last save that worked
    struct ImportCounts;
    void AddFromPlaylist(const TPlaylist& list, ImportCounts& counts);
    std::string PlayerLocationToUse() const;

    std::string dataDir_;
    std::unique_ptr<TIniFile> settings_;

    // The station directory (radiowin_directory.cpp)
    void CreateDirectoryControls();
    std::string StationWithAddress(const std::string& address) const;
    std::unique_ptr<TDirectoryClient> directory_;
    std::unique_ptr<TDirectoryIds> directoryIds_;

    // Station list editing (radiowin_stations.cpp)
    void ConnectStationEditing();
    bool FileSharedByOthers(int index) const;
    void MoveStation(int from, int to);
    void FillFieldsFromSelection();
    int dragScroll_ = 0;  // -1 up, 1 down, 0 none: where the list would scroll while dragging

    // Tray menu (radiowin_tray.cpp)
    TMenuItem* AddTrayItem(const std::string& caption, void (TRadioForm::*handler)(TObject*));
    std::vector<std::unique_ptr<TMenuItem>> trayItems_;     // built at the last popup
    std::vector<std::unique_ptr<TMenuItem>> retiredItems_;  // built at the one before
    int trayClicksRunning_ = 0;
    std::string playingStation_;  // the station last started, until Stop

    // What plays now (radiowin_songs.cpp)
    void CreateSongItems();
    void ShowSongItems();
    void TellSong();
    void SleepTimerEnded();
    std::string SleepTip(const std::string& tip) const;
    std::string songTitle_;
    std::optional<bool> songNotifications_;
    std::unique_ptr<TSongNews> songNews_;
    std::unique_ptr<TSleepTimer> sleepTimer_;
    bool stoppedBySleep_ = false;
};

// The tray tip for a station and the title playing on it: "Station - Title", the
// title shortened to fit the tip with "..." and control characters made blanks.
// The size is the room the tip has, at most kMaxTip.
std::string NowPlayingTip(const std::string& station, const std::string& title,
                          std::size_t size = 63);
// The text on one line: control characters become blanks.
std::string OneLine(std::string text);
// The sleep timer's choices, in minutes.
inline constexpr int kSleepChoices[] = {15, 30, 60, 90};
// The error box shown when the player cannot be started.
void ShowPlayerFailure();

extern TRadioForm* RadioForm;
