// Station addresses as they enter the program: typed into Add or Change, read from a
// playlist, found by the station directory. Each of those goes through
// CheckStationAddress, so that what is stored, and later handed to a player, is one
// clean line that means the same to every player.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The address as it is to be stored, or nothing when it is refused.
//  - The blanks and tabs at its ends are dropped: nobody means them, and a playlist
//    reader drops them too.
//  - Refused when what is left holds a control character (a tab, a line break,
//    Ctrl-Z, ...): no address has one, and the station file's line would end at it.
//  - Inside a URL (a scheme such as http, https, mms or rtsp, then "://") every blank
//    becomes "%20", as browsers make it; a file path keeps its blanks.
// What it gives back holds no control character, a URL no blank, and checking it
// again gives it back unchanged. An empty address stays empty: callers say why not.
std::optional<std::string> CheckStationAddress(std::string_view address);

// Whether the address starts with a scheme and "://" ("http://", "rtsp://"); a
// drive letter ("C:/") is no scheme.
bool IsURL(std::string_view address);
