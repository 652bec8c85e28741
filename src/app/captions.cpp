// A player's title from its window's caption, by the pattern of the players' table.
#include <cctype>
#include <string_view>

#include "app/players.h"

namespace {

// A caption is short; one that is not is no player's and is not looked at.
constexpr std::size_t kMaxCaption = 4096;

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

// Whether the caption matches the pattern from here on; the title's text goes to
// *title. Each "%t" and "%n" tries the shortest text first, so the pattern's literal
// tail decides where the title ends; with one "%t" and a short pattern this stays
// linear in the caption times the pattern.
bool Match(std::string_view pattern, std::string_view caption, std::string_view* title) {
    if (pattern.empty()) return caption.empty();
    if (pattern == "*") return true;
    if (pattern.starts_with("%t") || pattern.starts_with("%n")) {
        const bool number = pattern[1] == 'n';
        const std::string_view rest = pattern.substr(2);
        for (std::size_t n = 1; n <= caption.size(); ++n) {
            if (number && !IsDigit(caption[n - 1])) return false;
            if (!Match(rest, caption.substr(n), title)) continue;
            if (!number) *title = caption.substr(0, n);
            return true;
        }
        return false;
    }
    return !caption.empty() && caption.front() == pattern.front() &&
           Match(pattern.substr(1), caption.substr(1), title);
}

}  // namespace

std::optional<std::string> TitleFromCaption(const std::string& pattern,
                                            const std::string& caption) {
    if (caption.size() > kMaxCaption) return std::nullopt;
    std::string_view alternatives = pattern;
    while (!alternatives.empty()) {
        const std::size_t bar = alternatives.find('|');
        std::string_view one = alternatives.substr(0, bar);
        alternatives = bar == std::string_view::npos ? "" : alternatives.substr(bar + 1);
        const bool idle = one.starts_with('!');
        if (idle) one.remove_prefix(1);
        std::string_view title;
        if (!Match(one, caption, &title)) continue;
        if (idle) return std::string();
        if (!Trimmed(title).empty()) return std::string(Trimmed(title));
    }
    return std::nullopt;
}
