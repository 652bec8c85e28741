// The rules the station list keeps as stations come in, by Add or by an import: which
// names are taken, and what adding one does. The configuration window applies them to
// its list box's items.
#pragma once

#include <set>
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

// The same test for an import, which asks it for each of up to a thousand stations:
// the names and their station files kept sorted in the user's locale, so that each
// test takes a few comparisons instead of two for every listed station.
class TTakenNames {
  public:
    explicit TTakenNames(const std::vector<std::string>& names);
    bool Taken(const std::string& name) const;
    void Add(const std::string& name);

  private:
    struct InLocale {
        bool operator()(const std::string& a, const std::string& b) const;
    };
    using Sorted = std::multiset<std::string, InLocale>;
    static bool Holds(const Sorted& sorted, const std::string& text);

    Sorted names_, files_;
};

// Add's rules: a name not yet taken, not empty, and a URL that CheckStationAddress
// takes (BadURL: a control character; NoStationURL: no stream, no file). The station
// file is written with the checked URL (EInOutError when it cannot be, and nothing is
// added) and the name appended as it is.
TAddResult AddStationTo(TStringList& names, const TStationStore& store, const std::string& name,
                        const std::string& url);
// The same with the taken names of an import, which follow each station added.
TAddResult AddStationTo(TStringList& names, TTakenNames& taken, const TStationStore& store,
                        const std::string& name, const std::string& url);
