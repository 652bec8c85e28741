// The freedesktop base directories and user folders, from the environment as the
// freedesktop.org rules define them.
#pragma once

#include <QObject>
#include <functional>
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
// A user folder by its xdg-user-dirs name ("DESKTOP") as xdg-user-dirs makes it by
// default: ~/Desktop (and so on).
std::string DefaultUserDir(const std::string& name);
// Asks xdg-user-dir for the folder without waiting: then gets its answer on the GUI
// thread, unless it fails, says nothing usable or takes over 3 s; context ends the
// question when it is deleted.
void AskUserDir(const std::string& name, QObject* context,
                std::function<void(const std::string&)> then);
// Makes the folder and those above it; false when it is not there afterwards.
bool MakePath(const std::string& dir);

}  // namespace qtb::xdg
