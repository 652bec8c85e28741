#include "app/stationaddress.h"

#include <cctype>

namespace {

bool IsControl(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b < 0x20 || b == 0x7F;
}

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

}  // namespace

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

std::optional<std::string> CheckStationAddress(std::string_view address) {
    address = Trimmed(address);
    std::string checked;
    const bool url = IsURL(address);
    for (char c : address) {
        if (IsControl(c)) return std::nullopt;
        if (c == ' ' && url)
            checked += "%20";
        else
            checked += c;
    }
    return checked;
}
