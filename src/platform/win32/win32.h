// The Windows backend: every Platform call made on the real Windows API.
#pragma once

#include <memory>
#include <string>

#include "platform/platform.h"

namespace plat::win32 {

// Initialises the common controls; install the result with plat::Install.
std::unique_ptr<plat::Platform> MakePlatform();

// Writes what the window shows on the screen, frame included, as a 24-bit .bmp file;
// for tests and the end-to-end driver to look at. False when it could not.
bool SaveWindowImage(plat::HWND window, const std::string& bmpPath);

}  // namespace plat::win32
