// The network as a test scripts it: each request is recorded and answered from the
// script, the answer posted to the window as the real backends post it, so that the
// program meets the same order of events: the call returns, later the message comes.
#include "platform/headless/state.h"

namespace plat::headless {

namespace {

HttpResponse NoNetwork() {
    HttpResponse r;
    r.error = NET_CANNOT_CONNECT;
    return r;
}

}  // namespace

UINT HeadlessPlatform::WinHttpSendRequest(const HttpRequest& request, HWND window, UINT message) {
    Record(log, "WinHttpSendRequest", request.method, request.url);
    auto& s = *state_;
    if (!s.Find(window)) return 0;
    httpRequests.push_back(request);
    const UINT id = ++s.nextNetworkId;
    State::NetworkCall call;
    call.window = window;
    call.message = message;
    s.network[id] = std::move(call);
    std::optional<HttpResponse> answer = onHttp ? onHttp(request) : NoNetwork();
    if (answer) AnswerHttp(id, *answer);
    return id;
}

bool HeadlessPlatform::AnswerHttp(UINT request, const HttpResponse& response) {
    auto& s = *state_;
    auto it = s.network.find(request);
    if (it == s.network.end() || it->second.dns || it->second.answered) return false;
    it->second.answered = true;
    it->second.response = response;
    s.posted.push_back({it->second.window, it->second.message, request, 0});
    return true;
}

std::vector<UINT> HeadlessPlatform::PendingHttp() const {
    std::vector<UINT> ids;
    for (const auto& [id, call] : state_->network)
        if (!call.dns && !call.answered) ids.push_back(id);
    return ids;
}

int HeadlessPlatform::OpenNetworkCalls() const {
    return static_cast<int>(state_->network.size());
}

bool HeadlessPlatform::WinHttpTakeResponse(UINT request, HttpResponse* response) {
    auto& s = *state_;
    auto it = s.network.find(request);
    if (it == s.network.end() || it->second.dns || !it->second.answered) return false;
    *response = std::move(it->second.response);
    s.network.erase(it);
    return true;
}

// A message already posted for it still arrives; the program finds no answer then.
void HeadlessPlatform::WinHttpCloseRequest(UINT request) {
    Record(log, "WinHttpCloseRequest", request);
    auto it = state_->network.find(request);
    if (it != state_->network.end() && !it->second.dns) state_->network.erase(it);
}

UINT HeadlessPlatform::DnsQueryA(const std::string& name, WORD type, HWND window, UINT message) {
    Record(log, "DnsQueryA", name, type);
    auto& s = *state_;
    if (!s.Find(window)) return 0;
    dnsQueries.push_back(name + " " + std::to_string(type));
    const UINT id = ++s.nextNetworkId;
    State::NetworkCall call;
    call.window = window;
    call.message = message;
    call.dns = call.answered = true;
    if (onDns)
        call.answer = onDns(name, type);
    else
        call.answer.status = 9003;  // DNS_ERROR_RCODE_NAME_ERROR: no such name
    s.network[id] = std::move(call);
    s.posted.push_back({window, message, id, 0});
    return id;
}

bool HeadlessPlatform::DnsTakeAnswer(UINT query, DnsAnswer* answer) {
    auto& s = *state_;
    auto it = s.network.find(query);
    if (it == s.network.end() || !it->second.dns) return false;
    *answer = std::move(it->second.answer);
    s.network.erase(it);
    return true;
}

void HeadlessPlatform::DnsCancelQuery(UINT query) {
    Record(log, "DnsCancelQuery", query);
    auto it = state_->network.find(query);
    if (it != state_->network.end() && it->second.dns) state_->network.erase(it);
}

void HeadlessPlatform::DropNetworkOf(HWND window) {
    std::erase_if(state_->network,
                  [window](const auto& entry) { return entry.second.window == window; });
}

}  // namespace plat::headless
