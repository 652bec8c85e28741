#include "app/playlist.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>

#include "app/stationaddress.h"
#include "gui/exceptions.h"
#include "gui/fileutil.h"
#include "platform/paths.h"
#include "platform/platform.h"

namespace {

// ---- UTF-8 and the system's code page ---------------------------------------------

bool IsAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

std::u16string Wide(plat::UINT codePage, const std::string& text) {
    auto& p = plat::Current();
    const int length = static_cast<int>(text.size());
    int n = p.MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    std::u16string wide(static_cast<std::size_t>(n), u'\0');
    if (n > 0) p.MultiByteToWideChar(codePage, 0, text.data(), length, wide.data(), n);
    return wide;
}

// The text in the code page; *exact tells whether every character had a form there.
std::string Narrow(plat::UINT codePage, const std::u16string& wide, bool* exact) {
    auto& p = plat::Current();
    const int length = static_cast<int>(wide.size());
    plat::BOOL usedDefault = 0;
    plat::DWORD flags = exact ? plat::WC_NO_BEST_FIT_CHARS : 0;
    int n = p.WideCharToMultiByte(codePage, flags, wide.data(), length, nullptr, 0,
                                  exact ? &usedDefault : nullptr);
    // A system whose code page is UTF-8 holds every character and may not be asked.
    if (n == 0 && exact && p.GetLastError() == plat::ERROR_INVALID_PARAMETER)
        return Narrow(codePage, wide, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    if (n > 0) p.WideCharToMultiByte(codePage, flags, wide.data(), length, out.data(), n, nullptr);
    if (exact) *exact = !usedDefault;
    return out;
}

// A text of the file in the system's code page; false when it cannot hold all of it.
// A file that is not UTF-8 was written in a Windows code page: it is read as the
// program reads its own stored texts, so that a name imported here is the same text
// the order file gives back at the next start (on Linux, Windows-1252 made UTF-8).
bool FromFile(std::string& text, bool utf8) {
    if (IsAscii(text)) return true;
    if (!utf8) {
        text = plat::Current().SystemText(text);
        return true;
    }
    bool exact = true;
    text = Narrow(plat::CP_ACP, Wide(plat::CP_UTF8, text), &exact);
    return exact;
}

std::string ToUtf8(const std::string& text) {
    if (IsAscii(text)) return text;
    return Narrow(plat::CP_UTF8, Wide(plat::CP_ACP, text), nullptr);
}

// Well-formed UTF-8: an old M3U in the system's code page almost never is.
bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        auto lead = static_cast<unsigned char>(text[i]);
        int n = lead < 0x80                   ? 1
                : lead >= 0xC2 && lead < 0xE0 ? 2
                : lead >= 0xE0 && lead < 0xF0 ? 3
                : lead >= 0xF0 && lead < 0xF5 ? 4
                                              : 0;
        if (n == 0 || i + n > text.size()) return false;
        for (int k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        i += n;
    }
    return true;
}

// ---- Reading ------------------------------------------------------------------------

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        auto end = text.find_first_of("\r\n");
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        end += text.compare(end, 2, "\r\n") == 0 ? 2 : 1;
        text.remove_prefix(end);
    }
    return lines;
}

// ---- Names a title cannot hold ------------------------------------------------------
// A title is read trimmed and ends with its line. A name with blanks at its ends or a
// control character therefore goes, percent-encoded, into an attribute of its own as
// well, which other players pass over: #EXTINF:-1 zelvora-name="%20Jazz",Jazz

constexpr std::string_view kNameAttribute = "zelvora-name=\"";

bool IsControl(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

bool TitleCannotHold(std::string_view name) {
    return Trimmed(name) != name || std::any_of(name.begin(), name.end(), IsControl);
}

std::string PercentEncoded(std::string_view text) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (IsControl(c) || c == ' ' || c == '"' || c == '%')
            out += {'%', hex[b >> 4], hex[b & 15]};
        else
            out += c;
    }
    return out;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// A "%" without two hexadecimal digits after it stands for itself.
std::string PercentDecoded(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const int high = HexDigit(text[i + 1]), low = HexDigit(text[i + 2]);
            if (high >= 0 && low >= 0) {
                out += static_cast<char>(high * 16 + low);
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

// What other players show: the name on one line, trimmed.
std::string Title(std::string name) {
    std::replace_if(name.begin(), name.end(), IsControl, ' ');
    return std::string(Trimmed(name));
}

// The name this program wrote into the attributes before the title, if any.
std::optional<std::string> OwnName(std::string_view attributes) {
    auto at = attributes.find(kNameAttribute);
    if (at == std::string_view::npos || (at > 0 && attributes[at - 1] != ' ')) return std::nullopt;
    auto value = attributes.substr(at + kNameAttribute.size());
    auto end = value.find('"');
    if (end == std::string_view::npos) return std::nullopt;
    return PercentDecoded(value.substr(0, end));
}

// "#EXTINF:-1 tvg-name="a,b",Name": the name follows the first comma outside quotes.
std::string ExtinfName(std::string_view rest) {
    bool quoted = false;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (rest[i] == '"') quoted = !quoted;
        if (rest[i] != ',' || quoted) continue;
        if (auto own = OwnName(rest.substr(0, i))) return *own;
        return std::string(Trimmed(rest.substr(i + 1)));
    }
    return {};
}

class Reader {
  public:
    Reader(TPlaylist& list, bool utf8) : list_(list), utf8_(utf8) {}

    // False once the list is full: nothing more is read.
    bool Add(std::string name, std::string address) {
        if (Considered() >= kMaxPlaylistEntries) {
            list_.trouble = TPlaylistTrouble::TooMany;
            return false;
        }
        if (!IsStationAddress(address)) {
            FromFile(address, utf8_);
            list_.refused.push_back(address);
            return true;
        }
        if (name.empty()) name = NameFromAddress(address);
        bool shown = FromFile(name, utf8_);
        if (!FromFile(address, utf8_) || !shown) {
            list_.unshowable.push_back(name);
            return true;
        }
        list_.entries.push_back({std::move(name), std::move(address)});
        return true;
    }

    void M3U(const std::vector<std::string_view>& lines) {
        std::optional<std::string> name;
        for (auto line : lines) {
            line = Trimmed(line);
            if (StartsWithNoCase(line, "#extinf:")) {
                name = ExtinfName(line.substr(8));
            } else if (!line.empty() && line.front() != '#') {
                if (!Add(name.value_or(""), std::string(line))) return;
                name.reset();
            }
        }
        if (name) list_.trouble = TPlaylistTrouble::Truncated;  // a name without its address
    }

    void PLS(const std::vector<std::string_view>& lines) {
        std::map<long, TPlaylistEntry> byNumber;
        long announced = 0;
        for (auto line : lines) {
            auto eq = line.find('=');
            if (eq == std::string_view::npos) continue;
            auto key = Trimmed(line.substr(0, eq));
            auto value = std::string(Trimmed(line.substr(eq + 1)));
            if (StartsWithNoCase(key, "numberofentries")) {
                announced = Number(key.substr(15).empty() ? value : "");
                continue;
            }
            bool file = StartsWithNoCase(key, "file"), title = StartsWithNoCase(key, "title");
            long n = file || title ? Number(key.substr(file ? 4 : 5)) : 0;
            if (n <= 0) continue;
            if (!byNumber.contains(n) && byNumber.size() >= kMaxPlaylistEntries) {
                list_.trouble = TPlaylistTrouble::TooMany;
                break;
            }
            (file ? byNumber[n].address : byNumber[n].name) = value;
        }
        long files = 0;
        for (auto& [n, entry] : byNumber) {
            if (entry.address.empty()) {
                list_.trouble = TPlaylistTrouble::Truncated;  // a title without its file
                continue;
            }
            ++files;
            if (!Add(std::move(entry.name), std::move(entry.address))) return;
        }
        if (announced > files && list_.trouble == TPlaylistTrouble::None)
            list_.trouble = TPlaylistTrouble::Truncated;
    }

  private:
    std::size_t Considered() const {
        return list_.entries.size() + list_.refused.size() + list_.unshowable.size();
    }
    // A positive entry number of at most seven digits; 0 for anything else.
    static long Number(std::string_view digits) {
        if (digits.empty() || digits.size() > 7) return 0;
        long n = 0;
        for (char c : digits) {
            if (c < '0' || c > '9') return 0;
            n = n * 10 + (c - '0');
        }
        return n;
    }

    TPlaylist& list_;
    bool utf8_;
};

bool IsBinary(std::string_view bytes) {
    for (char c : bytes) {
        auto b = static_cast<unsigned char>(c);
        if (b < 0x20 && b != '\t' && b != '\r' && b != '\n' && b != 0x1A) return true;
    }
    return false;
}

}  // namespace

TPlaylist ParsePlaylist(std::string_view bytes) {
    TPlaylist list;
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    if (IsBinary(bytes)) {
        list.trouble = TPlaylistTrouble::Binary;
        return list;
    }
    Reader reader(list, IsUtf8(bytes));
    auto lines = Lines(bytes);
    auto first = std::find_if(lines.begin(), lines.end(),
                              [](std::string_view l) { return !Trimmed(l).empty(); });
    if (first != lines.end() && StartsWithNoCase(Trimmed(*first), "[playlist]"))
        reader.PLS(lines);
    else
        reader.M3U(lines);
    return list;
}

TPlaylist ReadPlaylist(const std::string& path) {
    std::string bytes;
    plat::DWORD error = ReadFileChunks(path, [&](std::string_view chunk) {
        bytes.append(chunk.substr(0, kMaxPlaylistBytes + 1 - bytes.size()));
        return bytes.size() <= kMaxPlaylistBytes;
    });
    if (error) throw EInOutError(static_cast<int>(error));
    const bool cut = bytes.size() > kMaxPlaylistBytes;
    if (cut) bytes.erase(bytes.find_last_of("\r\n", kMaxPlaylistBytes - 1) + 1);
    TPlaylist list = ParsePlaylist(bytes);
    if (cut &&
        (list.trouble == TPlaylistTrouble::None || list.trouble == TPlaylistTrouble::Truncated))
        list.trouble = TPlaylistTrouble::TooLarge;
    return list;
}

std::string WritePlaylist(const std::vector<TPlaylistEntry>& entries) {
    std::string text = "#EXTM3U\r\n";
    for (const auto& e : entries) {
        const std::string name = ToUtf8(e.name);
        text += "#EXTINF:-1";
        if (TitleCannotHold(name))
            text.append(" ").append(kNameAttribute).append(PercentEncoded(name)).append("\"");
        text.append(",")
            .append(Title(name))
            .append("\r\n")
            .append(ToUtf8(e.address))
            .append("\r\n");
    }
    return text;
}

std::string NameFromAddress(const std::string& address) {
    auto scheme = address.find("://");
    std::string name;
    if (scheme == std::string::npos) {
        name = plat::ExtractFileName(address);
    } else {
        name = address.substr(scheme + 3);
        name = name.substr(0, name.find_first_of("?#"));
        while (!name.empty() && name.back() == '/') name.pop_back();
    }
    // Without the blanks an export's reader drops, so that the name reads back the same.
    return std::string(Trimmed(name));
}
