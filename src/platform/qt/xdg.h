// The freedesktop base directories and user folders, from the environment as the
// specifications define them.
#pragma once

#include <string>

namespace qtb::xdg {

std::string Home();
std::string ConfigHome();  // $XDG_CONFIG_HOME, else ~/.config
std::string DataHome();    // $XDG_DATA_HOME, else ~/.local/share
// A user folder by its xdg-user-dirs name ("DESKTOP"), as xdg-user-dir tells it;
// ~/Desktop (and so on) when it cannot.
std::string UserDir(const std::string& name);
// Makes the folder and those above it; false when it is not there afterwards.
bool MakePath(const std::string& dir);

}  // namespace qtb::xdg
