// One HTTP exchange with WinHTTP, in the blocking form, on its call's own thread. The
// time limits are WinHTTP's own (resolve and connect within the connect limit), and
// each read waits at most for what is left of the whole exchange's limit.
#include <chrono>

#include "platform/win32/handles.h"
#include "platform/win32/network.h"

#include <winhttp.h>  // after <windows.h>, which network.h brings

namespace w32 {

namespace {

using Clock = std::chrono::steady_clock;

void CloseInternet(HINTERNET h) {
    ::WinHttpCloseHandle(h);
}
using UniqueInternet = Unique<HINTERNET, CloseInternet>;

std::wstring Wide(const std::string& text) {
    const int n =
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0)
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                              n);
    return wide;
}

// Why WinHTTP failed, as the seam tells it; before the answer's headers came a failure
// is one to reach the server at all.
plat::DWORD Reason(DWORD error, bool connected) {
    switch (error) {
        case ERROR_WINHTTP_TIMEOUT:
        case WSAETIMEDOUT:  // Wine tells a receive limit so
            return plat::NET_TIMEOUT;
        case ERROR_WINHTTP_INVALID_URL:
        case ERROR_WINHTTP_UNRECOGNIZED_SCHEME:
            return plat::NET_BAD_URL;
        case ERROR_WINHTTP_NAME_NOT_RESOLVED:
        case ERROR_WINHTTP_CANNOT_CONNECT:
            return plat::NET_CANNOT_CONNECT;
        default:
            return connected ? plat::NET_FAILED : plat::NET_CANNOT_CONNECT;
    }
}

class Exchange {
  public:
    Exchange(NetworkCalls::Call& call, const plat::HttpRequest& request)
        : call_(call), request_(request), deadline_(Clock::now() + Ms(request.totalTimeoutMs)) {}
    ~Exchange() {
        std::lock_guard<std::mutex> hold(call_.lock);
        if (call_.request) ::WinHttpCloseHandle(call_.request);
        call_.request = nullptr;
    }

    plat::DWORD Run();

  private:
    static std::chrono::milliseconds Ms(plat::UINT ms) { return std::chrono::milliseconds(ms); }
    int Left() const {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - Clock::now());
        return left.count() > 0 ? static_cast<int>(left.count()) : 0;
    }
    // The request handle, or null once the GUI thread has closed the call.
    HINTERNET Request() {
        std::lock_guard<std::mutex> hold(call_.lock);
        return call_.closed ? nullptr : static_cast<HINTERNET>(call_.request);
    }
    bool Open();
    plat::DWORD Receive();
    // Lets the next blocking call wait no longer than the exchange has left.
    bool Limit(HINTERNET request) {
        int left = Left();
        ::WinHttpSetOption(request, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &left, sizeof left);
        ::WinHttpSetOption(request, WINHTTP_OPTION_RECEIVE_TIMEOUT, &left, sizeof left);
        return left > 0;
    }
    plat::DWORD Failure(bool connected) const {
        return Left() == 0 ? plat::NET_TIMEOUT : Reason(::GetLastError(), connected);
    }

    NetworkCalls::Call& call_;
    const plat::HttpRequest& request_;
    Clock::time_point deadline_;
    UniqueInternet session_, connection_;
};

bool Exchange::Open() {
    std::wstring url = Wide(request_.url);
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof parts;
    parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = ~0u;
    parts.dwSchemeLength = ~0u;
    if (!::WinHttpCrackUrl(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts)) return false;
    const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
    std::wstring path(parts.lpszUrlPath, parts.dwUrlPathLength);
    path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    session_.reset(::WinHttpOpen(Wide(request_.userAgent).c_str(),
                                 WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                                 WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session_) return false;
    const int connect = static_cast<int>(request_.connectTimeoutMs);
    const int whole = static_cast<int>(request_.totalTimeoutMs);
    ::WinHttpSetTimeouts(session_.get(), connect, connect, whole, whole);
    connection_.reset(::WinHttpConnect(session_.get(), host.c_str(), parts.nPort, 0));
    if (!connection_) return false;
    const DWORD secure = parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0;
    HINTERNET request =
        ::WinHttpOpenRequest(connection_.get(), Wide(request_.method).c_str(), path.c_str(),
                             nullptr, WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES, secure);
    if (!request) return false;
    std::lock_guard<std::mutex> hold(call_.lock);
    call_.request = request;
    return true;
}

plat::DWORD Exchange::Run() {
    if (!Open())
        return ::GetLastError() == ERROR_WINHTTP_INVALID_URL ? plat::NET_BAD_URL
                                                             : plat::NET_CANNOT_CONNECT;
    std::wstring headers;
    for (const auto& [name, value] : request_.headers)
        headers += Wide(name + ": " + value + "\r\n");
    // Wine takes the receive limits when the request is sent, Windows when it waits.
    HINTERNET request = Request();
    const auto size = static_cast<DWORD>(request_.body.size());
    if (!request || !Limit(request) ||
        !::WinHttpSendRequest(
            request, headers.empty() ? WINHTTP_NO_ADDITIONAL_HEADERS : headers.c_str(),
            static_cast<DWORD>(-1L), size ? const_cast<char*>(request_.body.data()) : nullptr, size,
            size, 0) ||
        !(request = Request()) || !Limit(request) || !::WinHttpReceiveResponse(request, nullptr))
        return Failure(false);
    return Receive();
}

// A length the server announces is believed only to refuse early, never to allocate.
plat::DWORD Exchange::Receive() {
    HINTERNET request = Request();
    if (!request) return plat::NET_FAILED;
    DWORD status = 0, length = 0, size = sizeof status;
    ::WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                          WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX);
    call_.response.status = static_cast<int>(status);
    size = sizeof length;
    const bool announced = ::WinHttpQueryHeaders(
        request, WINHTTP_QUERY_CONTENT_LENGTH | WINHTTP_QUERY_FLAG_NUMBER,
        WINHTTP_HEADER_NAME_BY_INDEX, &length, &size, WINHTTP_NO_HEADER_INDEX);
    if (announced && length > request_.maxBodyBytes) return plat::NET_TOO_LARGE;
    std::string& body = call_.response.body;
    char chunk[16384];
    for (;;) {
        if (!(request = Request())) return plat::NET_FAILED;
        if (!Limit(request)) return plat::NET_TIMEOUT;
        DWORD read = 0;
        if (!::WinHttpReadData(request, chunk, sizeof chunk, &read)) return Failure(true);
        if (read == 0) break;
        if (body.size() + read > request_.maxBodyBytes) return plat::NET_TOO_LARGE;
        body.append(chunk, read);
    }
    return announced && body.size() < length ? plat::NET_FAILED : plat::NET_OK;
}

}  // namespace

void RunHttp(NetworkCalls::Call& call, const plat::HttpRequest& request) {
    Exchange exchange(call, request);
    call.response.error = exchange.Run();
    if (call.response.error != plat::NET_OK) call.response.body.clear();
}

}  // namespace w32
