// Playlist files as players and other radio programs write them: M3U and M3U8 with
// #EXTINF names, PLS, and plain text with one address a line. Their texts are UTF-8
// (or, in an old M3U, a Windows code page); the program's are the system's.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "app/stationaddress.h"

struct TPlaylistEntry {
    std::string name;
    std::string address;
};

// More is never read: a list of stations is a few kilobytes, and a larger file is
// either something else or would make a menu nobody can use.
inline constexpr std::size_t kMaxPlaylistBytes = 4 * 1024 * 1024;
inline constexpr std::size_t kMaxPlaylistEntries = 1000;

enum class TPlaylistTrouble {
    None,
    TooLarge,   // only the first kMaxPlaylistBytes were read, up to the last whole line
    TooMany,    // only the first kMaxPlaylistEntries were read
    Binary,     // not text at all: nothing was read
    Truncated,  // it ends in the middle of an entry: the entries before it were read
};

// What a playlist held, its texts in the system's code page, in the file's order.
struct TPlaylist {
    std::vector<TPlaylistEntry> entries;
    // Addresses that are neither a stream (http, https, mms, mmsh, rtsp, rtmp, pnm) nor a file
    // path.
    std::vector<std::string> refused;
    // Names the system's code page cannot hold, with "?" for what it lacks.
    std::vector<std::string> unshowable;
    TPlaylistTrouble trouble = TPlaylistTrouble::None;
};

// Reads at most kMaxPlaylistBytes of the file; EInOutError when it cannot be read.
TPlaylist ReadPlaylist(const std::string& path);
// The same for bytes already read: a PLS when its first line is "[playlist]", an
// M3U or plain list otherwise.
TPlaylist ParsePlaylist(std::string_view bytes);

// Extended M3U in UTF-8 with CR LF line ends, the entries in order.
std::string WritePlaylist(const std::vector<TPlaylistEntry>& entries);

// The name a station without one gets from its address: the address without its
// scheme, query and fragment ("somafm.com/groovesalad.pls"), or a file's name.
std::string NameFromAddress(const std::string& address);
