// The Linux desktop backend on Qt 6: every Platform call on real Qt widgets, with the
// files in the XDG folders, freedesktop entries for shell links and the tray through
// QSystemTrayIcon.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

class QWidget;

namespace plat::qt {

// Makes the QApplication when there is none yet (the platform then owns it), and the
// platform over it; install the result with plat::Install.
std::unique_ptr<plat::Platform> MakePlatform(int& argc, char** argv);

// The options that Qt takes from the program's command line for itself (QApplication,
// its X11 platform), as ReadProgramArguments wants them: "-style=" takes a value.
const std::vector<std::string>& ToolkitOptions();

// The widget of one of the current platform's windows; null for none or a window
// without one. Tests find where a person would click through it.
QWidget* WidgetOf(plat::HWND window);

// Writes what the window shows on the screen, frame included, as a PNG file; for
// tests and the run script to look at. False when it could not.
bool SaveWindowImage(plat::HWND window, const std::string& pngPath);

}  // namespace plat::qt
