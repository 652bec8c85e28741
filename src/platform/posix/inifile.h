// Our own INI engine, written to read and write files exactly as the Windows
// private-profile functions do (Wine's behaviour is the reference): every write
// rewrites the whole file from what was parsed.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plat::posix {

// A line of a section: a key, or (without value) any other line such as a comment.
struct IniEntry {
    std::string name;
    std::optional<std::string> value;
};

struct IniSection {
    std::string name;  // "" for the lines before the first header
    std::vector<IniEntry> entries;
};

// Tab through CR, space, and Ctrl-Z, which old editors left at the end of files.
bool IsIniSpace(char c);
std::string_view TrimIni(std::string_view s);

class IniFile {
  public:
    IniFile();
    static IniFile Parse(std::string_view bytes);
    std::string Serialize() const;

    // Lookups match names ignoring case, with the caller's name trimmed; the first
    // section or key of a name wins. Null when there is none.
    const IniSection* FindSection(std::string_view section) const;
    const IniEntry* FindKey(std::string_view section, std::string_view key) const;
    // Every named section, duplicates included, in file order.
    std::vector<std::string> SectionNames() const;

    // Each answers whether the file changed.
    bool Set(std::string_view section, std::string_view key, std::string_view value);
    bool DeleteKey(std::string_view section, std::string_view key);
    bool DeleteSection(std::string_view section);

    bool byteOrderMark = false;        // a UTF-8 BOM was read; it is written back
    std::vector<IniSection> sections;  // sections[0] is the unnamed one

  private:
    IniSection* SectionToEdit(std::string_view section);
};

}  // namespace plat::posix
