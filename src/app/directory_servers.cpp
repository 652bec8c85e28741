#include "app/directory_servers.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace {

bool StartsWith(const std::string& s, const char* prefix) {
    return s.rfind(prefix, 0) == 0;
}

bool ParseIPv4(const std::string& text, unsigned char out[4]) {
    unsigned a, b, c, d;
    char end;
    if (std::sscanf(text.c_str(), "%3u.%3u.%3u.%3u%c", &a, &b, &c, &d, &end) != 4) return false;
    if (a > 255 || b > 255 || c > 255 || d > 255) return false;
    out[0] = static_cast<unsigned char>(a), out[1] = static_cast<unsigned char>(b);
    out[2] = static_cast<unsigned char>(c), out[3] = static_cast<unsigned char>(d);
    return true;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The eight groups of an IPv6 address in text form, "::" expanded.
bool ParseIPv6(const std::string& text, unsigned short groups[8]) {
    const std::size_t gap = text.find("::");
    if (gap != std::string::npos && text.find("::", gap + 1) != std::string::npos) return false;
    auto parse = [](const std::string& part, std::vector<unsigned short>& out) {
        if (part.empty()) return true;
        std::stringstream in(part);
        std::string group;
        while (std::getline(in, group, ':')) {
            if (group.empty() || group.size() > 4) return false;
            unsigned value = 0;
            for (char c : group) {
                const int d = HexDigit(c);
                if (d < 0) return false;
                value = value * 16 + static_cast<unsigned>(d);
            }
            out.push_back(static_cast<unsigned short>(value));
        }
        return part.back() != ':';
    };
    std::vector<unsigned short> head, tail;
    if (gap == std::string::npos) {
        if (!parse(text, head) || head.size() != 8) return false;
    } else if (!parse(text.substr(0, gap), head) || !parse(text.substr(gap + 2), tail) ||
               head.size() + tail.size() > 7) {
        return false;
    }
    std::fill(groups, groups + 8, 0);
    std::copy(head.begin(), head.end(), groups);
    std::copy(tail.begin(), tail.end(), groups + 8 - tail.size());
    return true;
}

}  // namespace

void TServerList::Set(std::vector<std::string> bases) {
    bases_ = std::move(bases);
    current_ = 0;
}

void TServerList::Failed(const std::string& base) {
    if (!Exhausted() && bases_[current_] == base) ++current_;
}

std::vector<std::string> BasesFromSetting(const std::string& setting) {
    std::vector<std::string> bases;
    std::stringstream in(setting);
    std::string word;
    while (in >> word) {
        if (!StartsWith(word, "http://") && !StartsWith(word, "https://")) continue;
        const std::size_t host = word.find("://") + 3;
        while (word.size() > host && word.back() == '/') word.pop_back();
        if (word.size() > host) bases.push_back(word);
    }
    return bases;
}

std::vector<std::string> BasesFromSrv(const std::vector<plat::DnsRecord>& records) {
    std::vector<std::string> names;
    for (const auto& r : records) {
        if (r.type != plat::DNS_TYPE_SRV || r.data.empty()) continue;
        names.push_back(r.port == 0 || r.port == 443 ? r.data
                                                     : r.data + ":" + std::to_string(r.port));
    }
    return BasesFromNames(names);
}

std::vector<std::string> BasesFromNames(const std::vector<std::string>& names) {
    std::vector<std::string> bases;
    for (std::string name : names) {
        while (!name.empty() && name.back() == '.') name.pop_back();
        if (name.empty() || name.find_first_of("/ ") != std::string::npos) continue;
        std::string base = "https://" + name;
        if (std::find(bases.begin(), bases.end(), base) == bases.end()) bases.push_back(base);
    }
    return bases;
}

std::string ReverseLookupName(const std::string& address) {
    unsigned char v4[4];
    if (ParseIPv4(address, v4))
        return std::to_string(v4[3]) + "." + std::to_string(v4[2]) + "." + std::to_string(v4[1]) +
               "." + std::to_string(v4[0]) + ".in-addr.arpa";
    unsigned short groups[8];
    if (!ParseIPv6(address, groups)) return {};
    static const char* const kHex = "0123456789abcdef";
    std::string name;
    for (int g = 7; g >= 0; --g)
        for (int shift = 0; shift < 16; shift += 4) {
            name += kHex[(groups[g] >> shift) & 15];
            name += '.';
        }
    return name + "ip6.arpa";
}
