// The steps of the day, in the order a person takes them. Each throws StepFailure
// with its reason when what it sees is not what the person should see.
#pragma once

#include "e2e/day.h"

namespace e2e {

// day_first.cpp: a first start with nothing on disk, the player's location, the
// configuration window.
void FirstStart(Day& day);
void ChoosePlayerLocation(Day& day);
void EditStations(Day& day);
void CloseConfiguration(Day& day);

// day_play.cpp: playing from the floating window and from the tray menu, and Exit.
void PlayFromList(Day& day);
void StopPlayer(Day& day);
void PlayFromTrayMenu(Day& day);
void ExitFromTray(Day& day);

// day_again.cpp: the next starts, and a second start while the first runs.
void RestartRestores(Day& day);
void HiddenStart(Day& day);
void SecondCopy(Day& day);
// A newer release unpacked over the program's folder leaves the person's list alone.
void UnpackNewRelease(Day& day);

// day_playlists.cpp: stations from a playlist and to one, through the real dialogs.
void ImportStations(Day& day);
void ExportStations(Day& day);

// day_players.cpp: today's players, one station at a time, stopped and raised.
void SingleInstancePlayer(Day& day);
void PlayerWithASwitch(Day& day);
void MultiInstancePlayer(Day& day);

// day_directory.cpp: a station found in the station directory, played and added.
void FindAndAddStation(Day& day);

}  // namespace e2e
