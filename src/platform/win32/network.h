// The network calls of the Windows backend: each HTTP request (WinHTTP) and each DNS
// query (DnsQuery_A) runs on a thread of its own, since both are blocking calls; the
// GUI thread only starts them, takes their answers and closes them. A closed request
// has its WinHTTP handle closed at once, which ends a blocking call in it; its thread
// is joined as soon as it has ended, and at the latest with its window.
#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/network.h"
#include "platform/win32/win.h"

namespace w32 {

class NetworkCalls {
  public:
    NetworkCalls() = default;
    ~NetworkCalls();  // closes every call and waits for its thread
    NetworkCalls(const NetworkCalls&) = delete;
    NetworkCalls& operator=(const NetworkCalls&) = delete;

    plat::UINT Send(const plat::HttpRequest& request, HWND window, plat::UINT message);
    bool TakeResponse(plat::UINT id, plat::HttpResponse* response);
    plat::UINT Query(const std::string& name, plat::WORD type, HWND window, plat::UINT message);
    bool TakeAnswer(plat::UINT id, plat::DnsAnswer* answer);
    void Close(plat::UINT id);
    // The window is going: what it waits for is closed, and joined before it is gone.
    void CloseAllOf(HWND window);

    // One call and its thread. The worker owns everything but `request`, which the
    // GUI thread may close under the lock to break a blocking WinHTTP call.
    struct Call {
        HWND window = nullptr;
        plat::UINT message = 0;
        plat::UINT id = 0;
        bool dns = false;
        std::atomic<bool> closed{false};
        std::atomic<bool> ended{false};
        std::mutex lock;
        void* request = nullptr;  // HINTERNET of the request, while the worker has one
        plat::HttpResponse response;
        plat::DnsAnswer answer;
        std::thread thread;
    };

  private:
    plat::UINT Start(std::unique_ptr<Call> call, std::function<void(Call&)> work);
    std::unique_ptr<Call> Finished(plat::UINT id, bool dns);
    void Retire(std::unique_ptr<Call> call);
    void Reap();  // joins the closed calls whose threads have ended

    std::map<plat::UINT, std::unique_ptr<Call>> calls_;
    std::vector<std::unique_ptr<Call>> closing_;
    plat::UINT nextId_ = 0;
};

// The exchanges and queries themselves, run on a call's thread.
void RunHttp(NetworkCalls::Call& call, const plat::HttpRequest& request);
void RunDns(NetworkCalls::Call& call, const std::string& name, plat::WORD type);

}  // namespace w32
