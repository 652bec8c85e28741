// The seam's network calls on the Linux backend: thin calls of Network.
#include "platform/qt/network.h"
#include "platform/qt/qt_platform.h"

namespace qtb {

Network& QtPlatform::Net() {
    if (!network_)
        network_ = std::make_shared<Network>(
            [this](HWND window, UINT message, UINT id) { PostMessageA(window, message, id, 0); });
    return *network_;
}

UINT QtPlatform::WinHttpSendRequest(const plat::HttpRequest& request, HWND window, UINT message) {
    return windows_.Find(window) ? Net().Send(request, window, message) : 0;
}

bool QtPlatform::WinHttpTakeResponse(UINT request, plat::HttpResponse* response) {
    return Net().TakeResponse(request, response);
}

void QtPlatform::WinHttpCloseRequest(UINT request) {
    Net().Close(request);
}

UINT QtPlatform::DnsQueryA(const std::string& name, plat::WORD type, HWND window, UINT message) {
    return windows_.Find(window) ? Net().Query(name, type, window, message) : 0;
}

bool QtPlatform::DnsTakeAnswer(UINT query, plat::DnsAnswer* answer) {
    return Net().TakeAnswer(query, answer);
}

void QtPlatform::DnsCancelQuery(UINT query) {
    Net().Close(query);
}

}  // namespace qtb
