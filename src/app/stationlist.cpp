#include "app/stationlist.h"

#include "app/stationaddress.h"
#include "platform/platform.h"

namespace {

int Compare(const std::string& a, const std::string& b) {
    return plat::Current().CompareStringA(plat::NORM_IGNORECASE, a, b);
}

bool SameText(const std::string& a, const std::string& b) {
    return Compare(a, b) == plat::CSTR_EQUAL;
}

TAddResult AddUnlessTaken(bool taken, TStringList& names, const TStationStore& store,
                          const std::string& name, const std::string& url) {
    if (taken) return TAddResult::NameTaken;
    if (name.empty()) return TAddResult::NoName;
    const TCheckedAddress checked = CheckStationAddress(url);
    if (checked.address.empty()) return TAddResult::NoURL;
    if (checked.fault == TAddressFault::ControlCharacter) return TAddResult::BadURL;
    if (checked.fault == TAddressFault::NoStation) return TAddResult::NoStationURL;
    store.Write(name, checked.address);
    names.Add(name);
    return TAddResult::Added;
}

}  // namespace

bool StationNameTaken(const std::vector<std::string>& names, const std::string& name, int except) {
    const std::string file = StationFileName(name);
    for (int i = 0; i < static_cast<int>(names.size()); ++i)
        if (i != except && (SameText(name, names[i]) || SameText(file, StationFileName(names[i]))))
            return true;
    return false;
}

bool TTakenNames::InLocale::operator()(const std::string& a, const std::string& b) const {
    return Compare(a, b) == plat::CSTR_LESS_THAN;
}

bool TTakenNames::Holds(const Sorted& sorted, const std::string& text) {
    auto at = sorted.lower_bound(text);
    return at != sorted.end() && SameText(text, *at);
}

TTakenNames::TTakenNames(const std::vector<std::string>& names) {
    for (const auto& name : names) Add(name);
}

bool TTakenNames::Taken(const std::string& name) const {
    return Holds(names_, name) || Holds(files_, StationFileName(name));
}

void TTakenNames::Add(const std::string& name) {
    names_.insert(name);
    files_.insert(StationFileName(name));
}

TAddResult AddStationTo(TStringList& names, const TStationStore& store, const std::string& name,
                        const std::string& url) {
    return AddUnlessTaken(StationNameTaken(names.Items(), name), names, store, name, url);
}

TAddResult AddStationTo(TStringList& names, TTakenNames& taken, const TStationStore& store,
                        const std::string& name, const std::string& url) {
    const TAddResult result = AddUnlessTaken(taken.Taken(name), names, store, name, url);
    if (result == TAddResult::Added) taken.Add(name);
    return result;
}
