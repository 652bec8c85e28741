#include "app/words.h"

#include "app/radiowin.h"
#include "platform/platform.h"

namespace {

const TDesktopWords kWindowsWords{
    "&Open RealAudio Window",
    "Configure RealAudio Location",
    "Click OK to find the RealAudio Player application. It is usually called raplayer.exe "
    "in the raplayer directory or the windows directory.",
    "Choose RealAudio application.",
    std::string("Failed to open RealAudio. Choose Configure RealAudio Location from the "
                "Configure menu to tell Zelvora where RealAudio is, or if you do not have "
                "RealAudio, go to ") +
        kPlayerVendorAddress + " to download and install RealAudio.",
    "Start Menu",
    "Startup Items Folder",
    {32, 100},
    {140, 90},
    {240, 140},
};

// A Linux desktop's player is one of the programs its distribution packages, found in
// /usr/bin (where the file dialog opens); its menu of programs is the applications
// menu, and what starts with the session starts at login.
const TDesktopWords kLinuxWords{
    "&Open Player Window",
    "Choose Player...",
    "Click OK to choose the program that plays the stations, such as mpv, VLC or Audacious. "
    "Players installed from your distribution are usually in /usr/bin.",
    "Choose Player",
    "Failed to start the player. Choose \"Choose Player...\" from the Configure menu to tell "
    "Zelvora which program plays the stations, or if you have none, install mpv, VLC or "
    "Audacious from your distribution.",
    "Applications Menu",
    "Start at Login",
    {32, 140},
    {180, 90},
    {280, 120},
};

}  // namespace

const TDesktopWords& DesktopWords() {
    return plat::Current().Desktop() == plat::DesktopKind::Linux ? kLinuxWords : kWindowsWords;
}
