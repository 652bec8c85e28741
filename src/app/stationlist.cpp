#include "app/stationlist.h"

#include "app/stationaddress.h"
#include "platform/platform.h"

namespace {

bool SameText(const std::string& a, const std::string& b) {
    return plat::Current().CompareStringA(plat::NORM_IGNORECASE, a, b) == plat::CSTR_EQUAL;
}

}  // namespace

bool StationNameTaken(const std::vector<std::string>& names, const std::string& name, int except) {
    const std::string file = StationFileName(name);
    for (int i = 0; i < static_cast<int>(names.size()); ++i)
        if (i != except && (SameText(name, names[i]) || SameText(file, StationFileName(names[i]))))
            return true;
    return false;
}

TAddResult AddStationTo(TStringList& names, const TStationStore& store, const std::string& name,
                        const std::string& url) {
    if (StationNameTaken(names.Items(), name)) return TAddResult::NameTaken;
    if (name.empty()) return TAddResult::NoName;
    const TCheckedAddress checked = CheckStationAddress(url);
    if (checked.address.empty()) return TAddResult::NoURL;
    if (checked.fault == TAddressFault::ControlCharacter) return TAddResult::BadURL;
    if (checked.fault == TAddressFault::NoStation) return TAddResult::NoStationURL;
    store.Write(name, checked.address);
    names.Add(name);
    return TAddResult::Added;
}
