// Station addresses as they enter the program: typed into Add or Change, read from a
// playlist, found by the station directory. Each of those goes through
// CheckStationAddress, so that what is stored, and later handed to a player, is one
// clean line that every player takes as the stream or file it names.
#pragma once

#include <string>
#include <string_view>

enum class TAddressFault {
    None,
    ControlCharacter,  // a tab, a line break, Ctrl-Z...: no address has one, and the
                       // station file's line would end at it
    NoStation,         // neither a stream of the schemes below nor the full path of a file
};

struct TCheckedAddress {
    std::string address;  // the form to store; to be used only without a fault
    TAddressFault fault = TAddressFault::None;
};

// The blanks and tabs at the ends are dropped (nobody means them, and a playlist's
// reader drops them too); inside a URL every blank becomes "%20", as browsers make
// it, while a file path keeps its blanks. Without a fault, the address holds no
// control character, a URL no blank, and checking it again gives it back unchanged.
// An address of blanks only comes back empty, with the fault NoStation.
TCheckedAddress CheckStationAddress(std::string_view address);

// An address of one of the streaming schemes (http, https, mms, mmsh, rtsp, rtmp, and
// RealAudio's own pnm), or the full path of a file: what a player plays as a station.
// Other schemes are refused on purpose: a playlist must not make a player open a
// camera or a device ("v4l2://", "av://").
bool IsStationAddress(std::string_view address);

// The text without the blanks and tabs at its ends.
std::string_view Trimmed(std::string_view s);
// Whether the text starts with the prefix, given in lower case, in any case.
bool StartsWithNoCase(std::string_view s, std::string_view prefix);

// Whether the address starts with a scheme and "://" ("http://", "rtsp://"); a drive
// letter ("C:/") is no scheme.
bool IsURL(std::string_view address);
