#include "platform/qt/rtf_reader.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>
#include <vector>

#include "platform/posix/text.h"

namespace qtb {

namespace {

struct Format {
    bool bold = false, italic = false, underline = false;
    int halfPoints = 24;  // \fs: 12 points
    int color = 0;        // index into the colour table; 0 is the automatic colour
    int font = 0;
    bool operator==(const Format&) const = default;
};

enum class Destination { Text, Skip, FontTable, ColorTable };

struct GroupState {
    Format format;
    Destination destination = Destination::Text;
    int skipAfterUnicode = 1;  // \uc
};

struct Run {
    Format format;
    std::string text;  // UTF-8
};

struct Paragraph {
    const char* align = "left";
    std::vector<Run> runs;
};

std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

class Reader {
  public:
    Reader(std::string_view in, const FaceMap& faces) : in_(in), faces_(faces) {}
    std::optional<std::string> Read();

  private:
    void Control();
    void Word(const std::string& word, bool hasParam, long param);
    void Text(std::string utf8);
    void Byte(char c);
    void EndParagraph();
    std::string Html() const;
    std::string Style(const Format& f) const;

    GroupState& Top() { return stack_.back(); }
    Format& F() { return Top().format; }

    std::string_view in_;
    std::size_t at_ = 0;
    const FaceMap& faces_;
    std::vector<GroupState> stack_;
    int skipChars_ = 0;  // fallback characters after \u still to drop
    std::map<int, std::string> fonts_;
    std::vector<std::string> colors_;  // "#rrggbb"; the first entry is the automatic colour
    int red_ = 0, green_ = 0, blue_ = 0;
    int fontNumber_ = 0;
    std::string fontName_;
    std::vector<Paragraph> paragraphs_{Paragraph{}};
};

std::optional<std::string> Reader::Read() {
    if (!in_.starts_with("{\\rtf")) return std::nullopt;
    stack_.push_back({});
    ++at_;
    while (at_ < in_.size() && !stack_.empty()) {
        const char c = in_[at_];
        if (c == '{') {
            if (static_cast<int>(stack_.size()) >= kMaxRtfDepth) return std::nullopt;
            stack_.push_back(Top());
            ++at_;
        } else if (c == '}') {
            stack_.pop_back();
            ++at_;
        } else if (c == '\\') {
            Control();
        } else {
            Byte(c);
            ++at_;
        }
    }
    // A text cut short still shows what it has, as the Windows box does.
    return Html();
}

void Reader::Control() {
    ++at_;  // the backslash
    if (at_ >= in_.size()) return;
    const char c = in_[at_];
    if (!std::isalpha(static_cast<unsigned char>(c))) {
        ++at_;
        switch (c) {
            case '\\':
            case '{':
            case '}':
                Text(std::string(1, c));
                break;
            case '~':
                Text("\xC2\xA0");
                break;
            case '_':
                Text("\xE2\x80\x91");
                break;
            case '*':
                Top().destination = Destination::Skip;
                break;
            case '\n':
            case '\r':
                Word("par", false, 0);
                break;
            case '\'': {
                auto hex = [this](std::size_t i) {
                    return i < in_.size() && std::isxdigit(static_cast<unsigned char>(in_[i]));
                };
                if (hex(at_) && hex(at_ + 1)) {
                    Byte(
                        static_cast<char>(std::stoi(std::string(in_.substr(at_, 2)), nullptr, 16)));
                    at_ += 2;
                }
                break;
            }
            default:
                break;  // \- and the like show nothing
        }
        return;
    }
    std::string word;
    while (at_ < in_.size() && std::isalpha(static_cast<unsigned char>(in_[at_])) &&
           word.size() < 32)
        word += in_[at_++];
    while (at_ < in_.size() && std::isalpha(static_cast<unsigned char>(in_[at_]))) ++at_;
    bool negative = false, hasParam = false;
    long param = 0;
    if (at_ < in_.size() && in_[at_] == '-') negative = true, ++at_;
    for (int digits = 0; at_ < in_.size() && std::isdigit(static_cast<unsigned char>(in_[at_]));
         ++at_)
        if (++digits <= 9) param = param * 10 + (in_[at_] - '0'), hasParam = true;
    if (negative) param = -param;
    if (at_ < in_.size() && in_[at_] == ' ') ++at_;  // the delimiter belongs to the word
    Word(word, hasParam, param);
}

void Reader::Word(const std::string& w, bool hasParam, long p) {
    const bool on = !hasParam || p != 0;
    Destination& dest = Top().destination;
    if (w == "fonttbl")
        dest = Destination::FontTable;
    else if (w == "colortbl")
        dest = Destination::ColorTable;
    else if (w == "stylesheet" || w == "info" || w == "pict" || w == "object" || w == "header" ||
             w == "footer" || w == "headerl" || w == "headerr" || w == "footerl" ||
             w == "footerr" || w == "footnote" || w == "fldinst" || w == "themedata" ||
             w == "colorschememapping" || w == "datastore" || w == "latentstyles")
        dest = Destination::Skip;
    else if (w == "bin" && hasParam && p > 0)  // binary data: skipped, never held
        at_ += std::min<std::size_t>(static_cast<std::size_t>(p), in_.size() - at_);
    else if (dest == Destination::ColorTable) {
        const int v = static_cast<int>(std::clamp<long>(p, 0, 255));
        if (w == "red")
            red_ = v;
        else if (w == "green")
            green_ = v;
        else if (w == "blue")
            blue_ = v;
    } else if (dest == Destination::FontTable) {
        if (w == "f") fontNumber_ = static_cast<int>(p), fontName_.clear();
    } else if (dest == Destination::Text) {
        if (w == "par")
            EndParagraph();
        else if (w == "pard")
            paragraphs_.back().align = "left";
        else if (w == "qc")
            paragraphs_.back().align = "center";
        else if (w == "qr")
            paragraphs_.back().align = "right";
        else if (w == "qj")
            paragraphs_.back().align = "justify";
        else if (w == "ql")
            paragraphs_.back().align = "left";
        else if (w == "line")
            Text("\n");
        else if (w == "tab")
            Text("\t");
        else if (w == "b")
            F().bold = on;
        else if (w == "i")
            F().italic = on;
        else if (w == "ul")
            F().underline = on;
        else if (w == "ulnone")
            F().underline = false;
        else if (w == "fs" && hasParam)
            F().halfPoints = static_cast<int>(std::clamp<long>(p, 2, 288));
        else if (w == "cf" && hasParam)
            F().color = static_cast<int>(std::max<long>(p, 0));
        else if (w == "f" && hasParam)
            F().font = static_cast<int>(p);
        else if (w == "plain")
            F() = Format{};
        else if (w == "uc" && hasParam)
            Top().skipAfterUnicode = static_cast<int>(std::clamp<long>(p, 0, 8));
        else if (w == "u" && hasParam) {
            std::string utf8 =
                plat::posix::Utf16ToUtf8(std::u16string(1, static_cast<char16_t>(p & 0xFFFF)));
            Text(utf8);
            skipChars_ = Top().skipAfterUnicode;
        } else if (w == "emdash")
            Text("\xE2\x80\x94");
        else if (w == "endash")
            Text("\xE2\x80\x93");
        else if (w == "bullet")
            Text("\xE2\x80\xA2");
        else if (w == "lquote")
            Text("\xE2\x80\x98");
        else if (w == "rquote")
            Text("\xE2\x80\x99");
        else if (w == "ldblquote")
            Text("\xE2\x80\x9C");
        else if (w == "rdblquote")
            Text("\xE2\x80\x9D");
    }
}

void Reader::Byte(char c) {
    if (c == '\r' || c == '\n') return;
    Destination dest = Top().destination;
    if (dest == Destination::FontTable) {
        if (c == ';') {
            fonts_[fontNumber_] = fontName_;
            fontName_.clear();
        } else if (fontName_.size() < 64) {
            fontName_ += c;
        }
    } else if (dest == Destination::ColorTable) {
        if (c != ';' || colors_.size() >= 256) return;
        char hex[8];
        std::snprintf(hex, sizeof hex, "#%02x%02x%02x", red_, green_, blue_);
        colors_.push_back(hex);
        red_ = green_ = blue_ = 0;
    } else if (dest == Destination::Text) {
        Text(plat::posix::Windows1252ToUtf8(std::string_view(&c, 1)));
    }
}

void Reader::Text(std::string utf8) {
    if (Top().destination != Destination::Text) return;
    if (skipChars_ > 0) {
        --skipChars_;
        return;
    }
    auto& runs = paragraphs_.back().runs;
    if (runs.empty() || !(runs.back().format == F())) runs.push_back({F(), {}});
    runs.back().text += utf8;
}

void Reader::EndParagraph() {
    const char* align = paragraphs_.back().align;
    // An empty paragraph keeps the size it was written in: an empty line of that height.
    if (paragraphs_.back().runs.empty()) paragraphs_.back().runs.push_back({F(), ""});
    paragraphs_.push_back(Paragraph{align, {}});
}

std::string Reader::Style(const Format& f) const {
    std::string s;
    if (auto font = fonts_.find(f.font); font != fonts_.end())
        s += "font-family:'" + Escaped(faces_ ? faces_(font->second) : font->second) + "'; ";
    char size[32];
    std::snprintf(size, sizeof size, "font-size:%gpt; ", f.halfPoints / 2.0);
    s += size;
    if (f.bold) s += "font-weight:700; ";
    if (f.italic) s += "font-style:italic; ";
    if (f.underline) s += "text-decoration:underline; ";
    if (f.color > 0 && f.color < static_cast<int>(colors_.size()))
        s += "color:" + colors_[f.color] + ";";
    return s;
}

std::string Reader::Html() const {
    std::string html = "<html><body style=\"white-space:pre-wrap\">";
    for (const Paragraph& p : paragraphs_) {
        if (&p == &paragraphs_.back() && p.runs.empty()) break;
        html += std::string("<p align=\"") + p.align + "\" style=\"margin:0\">";
        for (const Run& r : p.runs)
            html += "<span style=\"" + Style(r.format) + "\">" +
                    (r.text.empty() ? "&nbsp;" : Escaped(r.text)) + "</span>";
        html += "</p>";
    }
    return html + "</body></html>";
}

}  // namespace

std::optional<std::string> RtfToHtml(std::string_view rtf, const FaceMap& faces) {
    return Reader(rtf, faces).Read();
}

}  // namespace qtb
