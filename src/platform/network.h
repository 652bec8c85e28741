// The records of the network calls of the seam: one HTTP exchange and one DNS
// question, with their answers. Plain data, shared by every backend.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "platform/types.h"

namespace plat {

struct HttpRequest {
    std::string method = "GET";  // "GET" or "POST"
    std::string url;             // http:// or https://, already percent-encoded
    std::string userAgent;
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;  // POST: sent as it is, with the Content-Type of headers
    UINT connectTimeoutMs = 10000;
    UINT totalTimeoutMs = 15000;  // from the start to the last byte of the answer
    // A longer answer is refused (NET_TOO_LARGE) as soon as it is known to be longer:
    // from its Content-Length before anything is read, or once the bytes pass it.
    std::size_t maxBodyBytes = 8 * 1024 * 1024;
};

// Why an exchange has no answer to read.
enum : DWORD {
    NET_OK = 0,
    NET_CANNOT_CONNECT = 1,  // no address for the name, refused, unreachable
    NET_TIMEOUT = 2,         // connect or whole-exchange time limit
    NET_FAILED = 3,          // cut off, or broken after the connection was made
    NET_TOO_LARGE = 4,       // longer than maxBodyBytes
    NET_BAD_URL = 5,
};

struct HttpResponse {
    DWORD error = NET_OK;
    int status = 0;  // the HTTP status when the headers arrived (also with an error)
    std::string body;
};

// DNS record types, as DnsQuery numbers them.
inline constexpr WORD DNS_TYPE_A = 1;
inline constexpr WORD DNS_TYPE_PTR = 12;
inline constexpr WORD DNS_TYPE_AAAA = 28;
inline constexpr WORD DNS_TYPE_SRV = 33;

struct DnsRecord {
    WORD type = 0;
    // A and AAAA: the address as text ("192.0.2.1", "2001:db8::1"); PTR: the name it
    // points to; SRV: the target host. Names without a trailing dot.
    std::string data;
    WORD port = 0;  // SRV only
    WORD priority = 0;
    WORD weight = 0;
};

struct DnsAnswer {
    DWORD status = 0;  // 0, or the resolver's error (no such name, no server, timeout)
    std::vector<DnsRecord> records;  // only those of the type asked for
};

}  // namespace plat
