// The station list is read event by event (nlohmann-json's SAX interface), keeping
// only the fields the program uses: a damaged or hostile answer can neither nest
// without end nor make the reader hold more than the stations it keeps.
#include "app/directory_stations.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <exception>
#include <nlohmann/json.hpp>

#include "app/stationaddress.h"

namespace {

using json = nlohmann::json;

// Station records sit at depth 2; nothing the directory sends goes deeper than 4.
constexpr int kMaxDepth = 32;

enum class TField {
    None,
    Uuid,
    Name,
    Url,
    UrlResolved,
    Country,
    CountryCode,
    Language,
    Codec,
    Tags,
    Bitrate,
    Votes,
    Clicks,
    LastCheckOk
};

TField FieldOf(const std::string& key) {
    static const std::pair<const char*, TField> kFields[] = {{"stationuuid", TField::Uuid},
                                                             {"name", TField::Name},
                                                             {"url", TField::Url},
                                                             {"url_resolved", TField::UrlResolved},
                                                             {"country", TField::Country},
                                                             {"countrycode", TField::CountryCode},
                                                             {"language", TField::Language},
                                                             {"codec", TField::Codec},
                                                             {"tags", TField::Tags},
                                                             {"bitrate", TField::Bitrate},
                                                             {"votes", TField::Votes},
                                                             {"clickcount", TField::Clicks},
                                                             {"lastcheckok", TField::LastCheckOk}};
    for (const auto& [name, field] : kFields)
        if (key == name) return field;
    return TField::None;
}

// A number that came as a string: blanks around it, an optional minus, digits.
bool NumberFromText(const std::string& text, long long& value) {
    std::size_t b = text.find_first_not_of(' '), e = text.find_last_not_of(' ');
    if (b == std::string::npos) return value = 0, true;
    const char* first = text.data() + b;
    const char* last = text.data() + e + 1;
    auto [end, ec] = std::from_chars(first, last, value);
    return ec == std::errc() && end == last;
}

class TStationsReader {
  public:
    explicit TStationsReader(TStationList& out) : out_(out) {}
    bool sawList() const { return sawList_; }

    // ---- nlohmann::json SAX events ----
    bool null() {
        return Scalar([](auto&) { return true; });
    }
    bool boolean(bool v) {
        return Scalar([&](auto& r) { return r.Flag(v ? 1 : 0); });
    }
    bool number_integer(json::number_integer_t v) {
        return Scalar([&](auto& r) { return r.Number(v); });
    }
    bool number_unsigned(json::number_unsigned_t v) {
        const long long n =
            v > static_cast<unsigned long long>(LLONG_MAX) ? LLONG_MAX : static_cast<long long>(v);
        return Scalar([&](auto& r) { return r.Number(n); });
    }
    bool number_float(json::number_float_t v, const json::string_t&) {
        if (!std::isfinite(v)) return Scalar([](auto& r) { return r.Wrong(); });
        const long long n = v >= 9.2e18 ? LLONG_MAX : v <= -9.2e18 ? LLONG_MIN : std::llround(v);
        return Scalar([&](auto& r) { return r.Number(n); });
    }
    bool string(json::string_t& v) {
        return Scalar([&](auto& r) { return r.Text(v); });
    }
    bool binary(json::binary_t&) {
        return Scalar([](auto& r) { return r.Wrong(); });
    }
    bool start_object(std::size_t) { return Open(true); }
    bool start_array(std::size_t) { return Open(false); }
    bool end_object() { return Close(); }
    bool end_array() { return Close(); }
    bool key(json::string_t& k) {
        if (depth_ == 2) field_ = FieldOf(k);
        return true;
    }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) {
        out_.trouble = TStationsTrouble::Malformed;
        return false;
    }

  private:
    template <class F>
    bool Scalar(F&& assign) {
        if (depth_ == 0) return NotAList();
        if (depth_ == 1) {
            ++out_.skipped;  // a list entry that is no station at all
        } else if (depth_ == 2 && inStation_ && field_ != TField::None && !assign(*this)) {
            bad_ = true;
        }
        return true;
    }

    bool Open(bool object) {
        if (depth_ == 0 && object) return NotAList();
        if (depth_ == 0) sawList_ = true;
        if (depth_ == 1) {
            inStation_ = object;
            current_ = TFoundStation{};
            bad_ = false;
            field_ = TField::None;
        }
        if (depth_ == 2 && inStation_ && field_ != TField::None) bad_ = true;
        if (++depth_ > kMaxDepth) {
            out_.trouble = TStationsTrouble::Malformed;
            return false;
        }
        return true;
    }

    bool Close() {
        if (--depth_ == 1) {
            if (inStation_ && !bad_ && !current_.uuid.empty() && !current_.PlayAddress().empty())
                out_.stations.push_back(std::move(current_));
            else
                ++out_.skipped;
            inStation_ = false;
        }
        if (depth_ == 2) field_ = TField::None;  // a nested value of an unknown key ended
        return true;
    }

    bool NotAList() {
        out_.trouble = TStationsTrouble::NotAList;
        return false;
    }

    std::string* TextField() {
        switch (field_) {
            case TField::Uuid:
                return &current_.uuid;
            case TField::Name:
                return &current_.name;
            case TField::Url:
                return &current_.url;
            case TField::UrlResolved:
                return &current_.urlResolved;
            case TField::Country:
                return &current_.country;
            case TField::CountryCode:
                return &current_.countryCode;
            case TField::Language:
                return &current_.language;
            case TField::Codec:
                return &current_.codec;
            case TField::Tags:
                return &current_.tags;
            default:
                return nullptr;
        }
    }

    long long* NumberField() {
        switch (field_) {
            case TField::Bitrate:
                return &current_.bitrate;
            case TField::Votes:
                return &current_.votes;
            case TField::Clicks:
                return &current_.clicks;
            default:
                return nullptr;
        }
    }

    bool Wrong() { return false; }

    bool Text(json::string_t& v) {
        if (std::string* text = TextField()) {
            if (v.size() > kMaxStationField) return false;
            if (field_ == TField::Url || field_ == TField::UrlResolved) return Address(v, *text);
            *text = std::move(v);
            return true;
        }
        long long n = 0;
        if (!NumberFromText(v, n)) return false;
        return Number(n);
    }

    static bool Address(const std::string& v, std::string& out) {
        static const char* const kHex = "0123456789ABCDEF";
        out.clear();
        for (char c : v) {
            const auto b = static_cast<unsigned char>(c);
            if (b < 32 || b == 127) return false;
            if (b == ' ' || b >= 0x80) {
                out += '%';
                out += kHex[b >> 4];
                out += kHex[b & 15];
            } else {
                out += c;
            }
        }
        // What the directory lists is anyone's entry: no camera or device ("v4l2://")
        // is played or kept as a station (an empty field is none).
        return out.empty() || IsStationAddress(out);
    }

    bool Number(long long n) {
        if (long long* number = NumberField()) return *number = n, true;
        if (field_ == TField::LastCheckOk) return Flag(n);
        return false;  // a number where a text belongs
    }

    bool Flag(long long n) {
        if (field_ != TField::LastCheckOk) return false;
        current_.lastCheckOk = n != 0;
        return true;
    }

    TStationList& out_;
    int depth_ = 0;
    bool sawList_ = false;
    bool inStation_ = false;
    bool bad_ = false;
    TField field_ = TField::None;
    TFoundStation current_;
};

}  // namespace

TStationList ParseStations(std::string_view json) {
    TStationList out;
    if (json.size() > kMaxDirectoryAnswer) {
        out.trouble = TStationsTrouble::TooLarge;
        return out;
    }
    TStationsReader reader(out);
    try {
        const bool ok = json::sax_parse(json.begin(), json.end(), &reader);
        if (ok && !reader.sawList()) out.trouble = TStationsTrouble::NotAList;
    } catch (const std::exception&) {
        out.trouble = TStationsTrouble::Malformed;
    }
    if (out.trouble != TStationsTrouble::None) {
        out.stations.clear();
        out.skipped = 0;
    }
    return out;
}
