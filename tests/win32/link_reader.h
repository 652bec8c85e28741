// Reads a shortcut file back through the shell's own link object, so that tests see
// what Windows itself will make of the links the program writes. Include it after
// the program's headers: it brings in <windows.h>.
#pragma once

#include <string>

#include <windows.h>

struct LinkFields {
    std::string path, workingDir, description;
    int showCmd = 0;
    WORD hotKey = 0;
};

// Loads the .lnk file through IShellLinkA and IPersistFile; COM must be initialised.
bool ReadLink(const std::string& file, LinkFields& out);
