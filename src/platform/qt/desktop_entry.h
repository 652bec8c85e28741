// Freedesktop desktop entries: what a shell link becomes on this desktop, and the
// Exec lines of other programs' entries.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace qtb {

struct DesktopEntry {
    std::string name;
    std::string program;                 // the file the entry starts
    std::vector<std::string> arguments;  // after it
    std::string workingDir;              // none: Path= is left out
    std::string icon;                    // an icon name of the theme, or a file
    // Further keys with their values as the file has them (escaped), in their order:
    // what describes the program to menus and their searches. A Categories key among
    // them replaces the one written otherwise.
    std::vector<std::pair<std::string, std::string>> fields;
};

// The whole file, as freedesktop.org's desktop entry format writes an application.
std::string DesktopEntryText(const DesktopEntry& entry);

// The keys of an entry's [Desktop Entry] group that describe the program to menus and
// their searches, each with its translations (GenericName, GenericName[de], ...):
// GenericName, Comment, Keywords and Categories, as the file writes them.
std::vector<std::pair<std::string, std::string>> DescriptionFields(const std::string& entryText);

// A value of type string with its escapes (\n, \t, \r, \\) undone, and an Exec value
// taken apart into its arguments (quotes and their escapes undone, field codes such as
// %u left as they stand).
std::string UnescapeValue(const std::string& value);
std::vector<std::string> SplitExec(const std::string& exec);

}  // namespace qtb
