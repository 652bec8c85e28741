// The calls' table on the GUI thread: starting, taking, closing, joining.
#include "platform/win32/network.h"

#include "platform/win32/win32_platform.h"

#include <winhttp.h>  // after <windows.h>

namespace w32 {

NetworkCalls::~NetworkCalls() {
    for (auto& [id, call] : calls_) Retire(std::move(call));
    calls_.clear();
    for (auto& call : closing_) call->thread.join();
}

plat::UINT NetworkCalls::Start(std::unique_ptr<Call> call, std::function<void(Call&)> work) {
    Reap();
    call->id = ++nextId_;
    Call& c = *call;
    try {
        c.thread = std::thread([&c, work = std::move(work)] {
            try {
                work(c);
            } catch (...) {  // nothing may leave the thread: the call ends as failed
                c.response = plat::HttpResponse();
                c.response.error = plat::NET_FAILED;
                c.answer = plat::DnsAnswer();
                c.answer.status = 1;
            }
            c.ended = true;
            if (!c.closed) ::PostMessageA(c.window, c.message, c.id, 0);
        });
    } catch (const std::system_error&) {
        return 0;  // no thread to be had
    }
    calls_[c.id] = std::move(call);
    return c.id;
}

plat::UINT NetworkCalls::Send(const plat::HttpRequest& request, HWND window, plat::UINT message) {
    auto call = std::make_unique<Call>();
    call->window = window;
    call->message = message;
    return Start(std::move(call), [request](Call& c) { RunHttp(c, request); });
}

plat::UINT NetworkCalls::Query(const std::string& name, plat::WORD type, HWND window,
                               plat::UINT message) {
    auto call = std::make_unique<Call>();
    call->window = window;
    call->message = message;
    call->dns = true;
    return Start(std::move(call), [name, type](Call& c) { RunDns(c, name, type); });
}

// Only an ended call has an answer; its thread has nothing left to do but return.
std::unique_ptr<NetworkCalls::Call> NetworkCalls::Finished(plat::UINT id, bool dns) {
    auto it = calls_.find(id);
    if (it == calls_.end() || it->second->dns != dns || !it->second->ended) return nullptr;
    std::unique_ptr<Call> call = std::move(it->second);
    calls_.erase(it);
    call->thread.join();
    return call;
}

bool NetworkCalls::TakeResponse(plat::UINT id, plat::HttpResponse* response) {
    auto call = Finished(id, false);
    if (!call) return false;
    *response = std::move(call->response);
    return true;
}

bool NetworkCalls::TakeAnswer(plat::UINT id, plat::DnsAnswer* answer) {
    auto call = Finished(id, true);
    if (!call) return false;
    *answer = std::move(call->answer);
    return true;
}

void NetworkCalls::Close(plat::UINT id) {
    auto it = calls_.find(id);
    if (it == calls_.end()) return;
    std::unique_ptr<Call> call = std::move(it->second);
    calls_.erase(it);
    Retire(std::move(call));
    Reap();
}

void NetworkCalls::CloseAllOf(HWND window) {
    for (auto it = calls_.begin(); it != calls_.end();) {
        if (it->second->window != window) {
            ++it;
            continue;
        }
        Retire(std::move(it->second));
        it = calls_.erase(it);
    }
    for (auto& call : closing_)
        if (call->window == window && call->thread.joinable()) call->thread.join();
    Reap();
}

void NetworkCalls::Retire(std::unique_ptr<Call> call) {
    call->closed = true;
    {
        std::lock_guard<std::mutex> hold(call->lock);
        if (call->request) ::WinHttpCloseHandle(call->request);
        call->request = nullptr;
    }
    closing_.push_back(std::move(call));
}

void NetworkCalls::Reap() {
    std::erase_if(closing_, [](std::unique_ptr<Call>& call) {
        if (!call->ended && call->thread.joinable()) return false;
        if (call->thread.joinable()) call->thread.join();
        return true;
    });
}

// ---- The seam --------------------------------------------------------------------------------

NetworkCalls& Win32Platform::Network() {
    if (!network_) network_ = std::make_shared<NetworkCalls>();
    return *network_;
}

plat::UINT Win32Platform::WinHttpSendRequest(const plat::HttpRequest& request, PHWND window,
                                             plat::UINT message) {
    return Network().Send(request, H(window), message);
}

bool Win32Platform::WinHttpTakeResponse(plat::UINT request, plat::HttpResponse* response) {
    return Network().TakeResponse(request, response);
}

void Win32Platform::WinHttpCloseRequest(plat::UINT request) {
    Network().Close(request);
}

plat::UINT Win32Platform::DnsQueryA(const std::string& name, plat::WORD type, PHWND window,
                                    plat::UINT message) {
    return Network().Query(name, type, H(window), message);
}

bool Win32Platform::DnsTakeAnswer(plat::UINT query, plat::DnsAnswer* answer) {
    return Network().TakeAnswer(query, answer);
}

void Win32Platform::DnsCancelQuery(plat::UINT query) {
    Network().Close(query);
}

}  // namespace w32
