#include "platform/posix/inifile.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace plat::posix {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && IsIniSpace(s.front())) s.remove_prefix(1);
    return s;
}

std::string_view TrimRight(std::string_view s) {
    while (!s.empty() && IsIniSpace(s.back())) s.remove_suffix(1);
    return s;
}

// A header is "[" up to the last "]" of the line; anything after that is ignored.
std::optional<std::string_view> HeaderName(std::string_view line) {
    if (line.front() != '[') return std::nullopt;
    auto close = line.rfind(']');
    if (close == std::string_view::npos) return std::nullopt;
    return TrimIni(line.substr(1, close - 1));
}

IniEntry ParseEntry(std::string_view line) {
    auto eq = line.find('=');
    if (eq == std::string_view::npos) return {std::string(line), std::nullopt};
    return {std::string(TrimRight(line.substr(0, eq))), std::string(TrimLeft(line.substr(eq + 1)))};
}

}  // namespace

bool IsIniSpace(char c) {
    return (c >= '\t' && c <= '\r') || c == ' ' || c == '\x1A';
}

std::string_view TrimIni(std::string_view s) {
    return TrimRight(TrimLeft(s));
}

IniFile::IniFile() : sections(1) {}

IniFile IniFile::Parse(std::string_view bytes) {
    IniFile ini;
    if (bytes.starts_with(kBom)) {
        ini.byteOrderMark = true;
        bytes.remove_prefix(kBom.size());
    }
    while (!bytes.empty()) {
        // A line ends at LF or at a lone CR; blank lines vanish with the trimming.
        auto end = bytes.find_first_of("\r\n");
        auto line = TrimIni(bytes.substr(0, end));
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (line.empty()) continue;
        if (auto name = HeaderName(line)) {
            ini.sections.push_back({std::string(*name), {}});
            continue;
        }
        // Lines with an empty name ("=x") collapse: one is kept after a named line.
        auto entry = ParseEntry(line);
        auto& entries = ini.sections.back().entries;
        if (entry.name.empty() && !entries.empty() && entries.back().name.empty()) continue;
        entries.push_back(std::move(entry));
    }
    return ini;
}

std::string IniFile::Serialize() const {
    std::string out;
    for (const auto& section : sections) {
        // Every section but the lines before the first header came from a header,
        // "[]" included: without it, its keys would join the section before.
        if (&section != &sections.front()) out += '[' + section.name + "]\r\n";
        for (const auto& entry : section.entries) {
            out += entry.name;
            if (entry.value) out += '=' + *entry.value;
            out += "\r\n";
        }
    }
    if (byteOrderMark) return std::string(kBom) + out;
    // Text that only looked like a byte-order mark after a blank line or blanks must
    // not become one at the start of the file, where it would be read as one.
    if (out.starts_with(kBom)) return "\r\n" + out;
    return out;
}

const IniSection* IniFile::FindSection(std::string_view section) const {
    section = TrimIni(section);
    for (const auto& s : sections)
        if (SameName(s.name, section)) return &s;
    return nullptr;
}

IniSection* IniFile::SectionToEdit(std::string_view section) {
    return const_cast<IniSection*>(std::as_const(*this).FindSection(section));
}

const IniEntry* IniFile::FindKey(std::string_view section, std::string_view key) const {
    const auto* s = FindSection(section);
    if (!s) return nullptr;
    key = TrimIni(key);
    for (const auto& entry : s->entries)
        if (SameName(entry.name, key)) return &entry;
    return nullptr;
}

std::vector<std::string> IniFile::SectionNames() const {
    std::vector<std::string> names;
    for (const auto& s : sections)
        if (!s.name.empty()) names.push_back(s.name);
    return names;
}

bool IniFile::Set(std::string_view section, std::string_view key, std::string_view value) {
    value = TrimLeft(value);
    auto* s = SectionToEdit(section);
    // New names keep the caller's trailing blanks, as the Windows functions write them;
    // reading the file back trims them again.
    if (!s) {
        sections.push_back({std::string(TrimLeft(section)), {}});
        s = &sections.back();
    }
    auto* entry = const_cast<IniEntry*>(FindKey(section, key));
    if (!entry) {
        s->entries.push_back({std::string(TrimLeft(key)), std::nullopt});
        entry = &s->entries.back();
    }
    if (entry->value == value) return false;
    entry->value = std::string(value);
    return true;
}

bool IniFile::DeleteKey(std::string_view section, std::string_view key) {
    auto* s = SectionToEdit(section);
    if (!s) return false;
    key = TrimIni(key);
    auto it = std::find_if(s->entries.begin(), s->entries.end(),
                           [&](const IniEntry& e) { return SameName(e.name, key); });
    if (it == s->entries.end()) return false;
    s->entries.erase(it);
    return true;
}

bool IniFile::DeleteSection(std::string_view section) {
    section = TrimIni(section);
    // The unnamed section at the front stays: it is where a file's first lines go.
    auto it = std::find_if(sections.begin() + 1, sections.end(),
                           [&](const IniSection& s) { return SameName(s.name, section); });
    if (it == sections.end()) return false;
    sections.erase(it);
    return true;
}

}  // namespace plat::posix
