// The freedesktop base directories and user folders, from the environment as the
// freedesktop.org rules define them.
#pragma once

#include <string>
#include <vector>

namespace qtb::xdg {

std::string Home();
std::string ConfigHome();  // $XDG_CONFIG_HOME, else ~/.config
std::string DataHome();    // $XDG_DATA_HOME, else ~/.local/share
// $XDG_DATA_DIRS, its absolute entries; else /usr/local/share and /usr/share.
std::vector<std::string> DataDirs();
// Where the program's own data files (help, introduction, starter stations) are for a
// program in programDir: beside it as it is built; installed, in ../share/zelvora (any
// prefix, or a package unpacked elsewhere), else zelvora in a data folder of DataDirs.
// The program's folder when none of them holds the help.
std::string ProgramDataDir(const std::string& programDir);
// A user folder by its xdg-user-dirs name ("DESKTOP"), as xdg-user-dir tells it;
// ~/Desktop (and so on) when it cannot.
std::string UserDir(const std::string& name);
// Makes the folder and those above it; false when it is not there afterwards.
bool MakePath(const std::string& dir);

}  // namespace qtb::xdg
