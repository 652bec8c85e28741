// The INI engine. Any bytes parse, and what is written back parses to the same
// sections, keys and values and is written the same way again. Edits decoded from
// the input, each applied as the private-profile functions apply it (read the file,
// change, write it), agree with a plain model of sections and keys.
#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "harness.h"
#include "platform/posix/inifile.h"

using plat::posix::IniEntry;
using plat::posix::IniFile;
using plat::posix::IniSection;
using plat::posix::TrimIni;

namespace {

bool SameEntries(const std::vector<IniEntry>& a, const std::vector<IniEntry>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](auto& x, auto& y) { return x.name == y.name && x.value == y.value; });
}

bool SameFile(const IniFile& a, const IniFile& b) {
    return a.byteOrderMark == b.byteOrderMark &&
           std::equal(a.sections.begin(), a.sections.end(), b.sections.begin(), b.sections.end(),
                      [](auto& x, auto& y) {
                          return x.name == y.name && SameEntries(x.entries, y.entries);
                      });
}

void RoundTrip(std::string_view bytes) {
    const IniFile first = IniFile::Parse(bytes);
    const std::string written = first.Serialize();
    const IniFile second = IniFile::Parse(written);
    fuzz::Check(SameFile(first, second), "a written file reads as it was read");
    fuzz::Check(second.Serialize() == written, "a file is written the same way twice");
}

// ---- Edits against a model ----------------------------------------------------------

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

struct Model {
    std::vector<IniSection> sections{1};  // [0]: the lines before the first header

    IniSection* Find(std::string_view name) {
        auto it = std::find_if(sections.begin(), sections.end(),
                               [&](auto& s) { return SameName(s.name, TrimIni(name)); });
        return it == sections.end() ? nullptr : &*it;
    }
    static std::vector<IniEntry>::iterator FindKey(IniSection& s, std::string_view key) {
        return std::find_if(s.entries.begin(), s.entries.end(),
                            [&](auto& e) { return SameName(e.name, TrimIni(key)); });
    }
    void Set(std::string_view section, std::string_view key, std::string_view value) {
        IniSection* s = Find(section);
        if (!s) s = &sections.emplace_back(IniSection{std::string(TrimIni(section)), {}});
        auto e = FindKey(*s, key);
        if (e == s->entries.end()) e = s->entries.insert(e, {std::string(TrimIni(key)), {}});
        e->value = std::string(TrimIni(value));  // the next read trims what was written
    }
    void DeleteKey(std::string_view section, std::string_view key) {
        if (IniSection* s = Find(section))
            if (auto e = FindKey(*s, key); e != s->entries.end()) s->entries.erase(e);
    }
    void DeleteSection(std::string_view section) {
        IniSection* s = Find(section);
        if (s && s != &sections.front()) sections.erase(sections.begin() + (s - &sections[0]));
    }
};

// Reads the input as a short program of edits; names come from small alphabets, so
// that different spellings of one name meet often.
class Program {
  public:
    explicit Program(std::string_view bytes) : bytes_(bytes) {}
    bool Done() const { return pos_ >= bytes_.size(); }
    unsigned Next() { return Done() ? 0 : static_cast<unsigned char>(bytes_[pos_++]); }
    std::string Text(std::string_view alphabet, unsigned longest) {
        std::string text;
        for (unsigned n = Next() % (longest + 1); n > 0; --n)
            text += alphabet[Next() % alphabet.size()];
        return text;
    }

  private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

void Edit(std::string_view bytes) {
    Program program(bytes);
    Model model;
    std::string file;
    for (int step = 0; step < 64 && !program.Done(); ++step) {
        const unsigned op = program.Next() % 4;
        const std::string section = program.Text("aAbB .=]\t", 3);
        const std::string key = program.Text("aAbB .;\"", 3);
        const std::string value = program.Text("aA =\"'[];\t\x1A", 5);
        IniFile ini = IniFile::Parse(file);
        if (op < 2) {
            ini.Set(section, key, value);
            model.Set(section, key, value);
        } else if (op == 2) {
            ini.DeleteKey(section, key);
            model.DeleteKey(section, key);
        } else {
            ini.DeleteSection(section);
            model.DeleteSection(section);
        }
        file = ini.Serialize();
        const IniFile read = IniFile::Parse(file);
        fuzz::Check(read.sections.size() == model.sections.size(), "the model's sections");
        for (std::size_t i = 0; i < read.sections.size(); ++i) {
            fuzz::Check(read.sections[i].name == model.sections[i].name, "section names");
            fuzz::Check(SameEntries(read.sections[i].entries, model.sections[i].entries),
                        "the model's keys and values");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    RoundTrip(fuzz::AsText(data, size));
    Edit(fuzz::AsText(data, size));
    return 0;
}
