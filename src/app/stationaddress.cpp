#include "app/stationaddress.h"

#include <cctype>

namespace {

bool IsControl(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b < 0x20 || b == 0x7F;
}

}  // namespace

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
    if (s.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(s[i])) != prefix[i]) return false;
    return true;
}


TCheckedAddress CheckStationAddress(std::string_view address) {
    address = Trimmed(address);
    TCheckedAddress checked;
    const bool url = IsURL(address);
    for (char c : address) {
        if (IsControl(c)) checked.fault = TAddressFault::ControlCharacter;
        if (c == ' ' && url)
            checked.address += "%20";
        else
            checked.address += c;
    }
    if (checked.fault == TAddressFault::None && !IsStationAddress(checked.address))
        checked.fault = TAddressFault::NoStation;
    return checked;
}

bool IsStationAddress(std::string_view a) {
    for (std::string_view scheme :
         {"http://", "https://", "mms://", "mmsh://", "rtsp://", "rtmp://", "pnm://"})
        if (StartsWithNoCase(a, scheme)) return a.size() > scheme.size();
    const bool drive = a.size() > 3 && std::isalpha(static_cast<unsigned char>(a[0])) &&
                       a[1] == ':' && (a[2] == '\\' || a[2] == '/');
    const bool share = a.size() > 2 && a.starts_with("\\\\");
    const bool rooted = a.size() > 1 && a[0] == '/' && a[1] != '/';
    return drive || share || rooted;
}

// A scheme is a letter, then letters, digits, "+", "-" or "." (RFC 3986); one of a
// single letter would be a drive.
bool IsURL(std::string_view a) {
    const auto colon = a.find("://");
    if (colon == std::string_view::npos || colon < 2) return false;
    if (!std::isalpha(static_cast<unsigned char>(a[0]))) return false;
    for (char c : a.substr(0, colon))
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.')
            return false;
    return true;
}
