// The rules the station list keeps as stations come in, by Add or by an import: which
// names are taken, and what adding one does. The configuration window applies them to
// its list box's items.
#pragma once

#include <string>
#include <vector>

#include "app/stationstore.h"
#include "gui/stringlist.h"

enum class TAddResult { Added, NameTaken, NoName, NoURL, BadURL, NoStationURL };

// Whether a station of the list other than the one at except has the name, or its
// station file ("Rock.FM" next to "Rock FM"), compared as the user's locale does,
// ignoring case: adding or renaming to it would write over that station's URL.
bool StationNameTaken(const std::vector<std::string>& names, const std::string& name,
                      int except = -1);

// Add's rules: a name not yet taken, not empty, and a URL that CheckStationAddress
// takes (BadURL: a control character; NoStationURL: no stream, no file). The station
// file is written with the checked URL (EInOutError when it cannot be, and nothing is
// added) and the name appended as it is.
TAddResult AddStationTo(TStringList& names, const TStationStore& store, const std::string& name,
                        const std::string& url);
