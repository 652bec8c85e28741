#include "app/directory_request.h"

#include <cctype>

#include "app/codepage.h"

#ifndef ZEL_VERSION
#define ZEL_VERSION "0"
#endif

namespace {

const char* OrderField(TStationOrder order) {
    switch (order) {
        case TStationOrder::Votes:
            return "votes";
        case TStationOrder::Clicks:
            return "clickcount";
        case TStationOrder::Trend:
            return "clicktrend";
        case TStationOrder::Name:
            return "name";
        case TStationOrder::Bitrate:
            return "bitrate";
    }
    return "votes";
}

class TParams {
  public:
    void Add(const char* key, const std::string& value) {
        text_ += text_.empty() ? "" : "&";
        text_ += key;
        text_ += '=';
        text_ += value;
    }
    void AddTyped(const char* key, const std::string& typed) {
        if (!typed.empty()) Add(key, PercentEncode(Utf8FromSystem(typed)));
    }
    const std::string& Text() const { return text_; }

  private:
    std::string text_;
};

plat::HttpRequest Request(const std::string& url) {
    plat::HttpRequest r;
    r.url = url;
    r.userAgent = DirectoryUserAgent();
    r.headers.emplace_back("Accept", "application/json");
    return r;
}

}  // namespace

std::string DirectoryUserAgent() {
    return std::string("Zelvora/") + ZEL_VERSION;
}

std::string PercentEncode(std::string_view utf8) {
    static const char* const kHex = "0123456789ABCDEF";
    std::string out;
    for (char c : utf8) {
        const auto b = static_cast<unsigned char>(c);
        if (std::isalnum(b) || c == '-' || c == '.' || c == '_' || c == '~') {
            out += c;
        } else {
            out += '%';
            out += kHex[b >> 4];
            out += kHex[b & 15];
        }
    }
    return out;
}

plat::HttpRequest SearchRequest(const std::string& base, const TStationQuery& query) {
    TParams p;
    p.AddTyped("name", query.name);
    p.AddTyped("tag", query.tag);
    p.AddTyped("country", query.country);
    p.AddTyped("language", query.language);
    p.AddTyped("codec", query.codec);
    p.Add("order", OrderField(query.order));
    // Most first, except names, which read best from A.
    p.Add("reverse", query.order == TStationOrder::Name ? "false" : "true");
    p.Add("hidebroken", "true");
    p.Add("offset", std::to_string(query.offset < 0 ? 0 : query.offset));
    p.Add("limit", std::to_string(query.limit < 1 ? 1 : query.limit));
    return Request(base + "/json/stations/search?" + p.Text());
}

// Broken stations are asked for here: a station the directory marks as broken must be
// told apart from one it no longer lists, and hiding broken ones would make them look
// removed.
plat::HttpRequest StationsByUuidRequest(const std::string& base,
                                        const std::vector<std::string>& uuids) {
    std::string list;
    for (const auto& uuid : uuids) {
        if (!list.empty()) list += ',';
        list += PercentEncode(uuid);
    }
    TParams p;
    p.Add("uuids", list);
    p.Add("hidebroken", "false");
    p.Add("limit", std::to_string(uuids.size()));
    plat::HttpRequest r = Request(base + "/json/stations/byuuid");
    r.method = "POST";
    r.headers.emplace_back("Content-Type", "application/x-www-form-urlencoded");
    r.body = p.Text();
    return r;
}

plat::HttpRequest ClickRequest(const std::string& base, const std::string& uuid) {
    return Request(base + "/json/url/" + PercentEncode(uuid));
}
