// One DNS question to the system's resolver (DnsQuery_A), on its call's own thread.
#include <cstdio>

#include "platform/win32/network.h"

#include <windns.h>  // after <windows.h>, which network.h brings; its DNS_TYPE_ macros too

namespace w32 {

namespace {

std::string Name(const char* name) {
    std::string text = name ? name : "";
    while (!text.empty() && text.back() == '.') text.pop_back();
    return text;
}

std::string IPv4(IP4_ADDRESS address) {
    const auto* b = reinterpret_cast<const unsigned char*>(&address);  // network order
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", b[0], b[1], b[2], b[3]);
    return text;
}

std::string IPv6(const IP6_ADDRESS& address) {
    std::string text;
    char group[8];
    for (int i = 0; i < 8; ++i) {
        const unsigned value = address.IP6Byte[2 * i] << 8 | address.IP6Byte[2 * i + 1];
        std::snprintf(group, sizeof group, i ? ":%x" : "%x", value);
        text += group;
    }
    return text;
}

plat::DnsRecord RecordOf(const DNS_RECORDA& r) {
    plat::DnsRecord out;
    out.type = r.wType;
    switch (r.wType) {
        case DNS_TYPE_A:
            out.data = IPv4(r.Data.A.IpAddress);
            break;
        case DNS_TYPE_AAAA:
            out.data = IPv6(r.Data.AAAA.Ip6Address);
            break;
        case DNS_TYPE_PTR:
            out.data = Name(r.Data.PTR.pNameHost);
            break;
        case DNS_TYPE_SRV:
            out.data = Name(r.Data.SRV.pNameTarget);
            out.port = r.Data.SRV.wPort;
            out.priority = r.Data.SRV.wPriority;
            out.weight = r.Data.SRV.wWeight;
            break;
        default:
            break;
    }
    return out;
}

}  // namespace

void RunDns(NetworkCalls::Call& call, const std::string& name, plat::WORD type) {
    DNS_RECORDA* list = nullptr;
    const DNS_STATUS status = ::DnsQuery_A(name.c_str(), type, DNS_QUERY_STANDARD, nullptr,
                                           reinterpret_cast<PDNS_RECORD*>(&list), nullptr);
    call.answer.status = static_cast<plat::DWORD>(status);
    for (const DNS_RECORDA* r = list; status == 0 && r; r = r->pNext)
        if (r->wType == type) call.answer.records.push_back(RecordOf(*r));
    if (list) ::DnsFree(list, DnsFreeRecordList);
}

}  // namespace w32
