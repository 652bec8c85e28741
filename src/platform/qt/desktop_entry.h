// Freedesktop desktop entries: what a shell link becomes on this desktop, and the
// Exec lines of other programs' entries.
#pragma once

#include <string>
#include <vector>

namespace qtb {

struct DesktopEntry {
    std::string name;
    std::string program;                 // the file the entry starts
    std::vector<std::string> arguments;  // after it
    std::string workingDir;
    std::string icon;  // an icon name of the theme, or a file
};

// The whole file, as freedesktop.org's desktop entry format writes an application.
std::string DesktopEntryText(const DesktopEntry& entry);

// A value of type string with its escapes (\n, \t, \r, \\) undone, and an Exec value
// taken apart into its arguments (quotes and their escapes undone, field codes such as
// %u left as they stand).
std::string UnescapeValue(const std::string& value);
std::vector<std::string> SplitExec(const std::string& exec);

}  // namespace qtb
