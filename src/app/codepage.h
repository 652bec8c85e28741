// Texts between UTF-8, which the outside world speaks (the station directory, the
// web), and the system's code page, which the program's own texts are in. On Linux
// both are UTF-8 and nothing changes.
#pragma once

#include <string>

// The UTF-8 text in the system's code page; a character it cannot hold becomes "?".
std::string SystemFromUtf8(const std::string& utf8);
// The text of the system's code page in UTF-8.
std::string Utf8FromSystem(const std::string& text);
