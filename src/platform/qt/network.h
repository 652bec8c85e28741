// The network calls of the Linux backend on Qt Network: HTTP through one
// QNetworkAccessManager (whose transfers run on Qt's own network thread) and DNS
// through QDnsLookup (on Qt's thread pool). The GUI thread only starts, reads and
// closes them; their ends are posted to the window that asked.
#pragma once

#include <QDnsLookup>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>

#include "platform/network.h"
#include "platform/types.h"

namespace qtb {

class Network {
  public:
    // post: how an end is told (the platform's PostMessageA).
    using Post = std::function<void(plat::HWND window, plat::UINT message, plat::UINT id)>;
    explicit Network(Post post) : post_(std::move(post)) {}
    ~Network();
    Network(const Network&) = delete;
    Network& operator=(const Network&) = delete;

    plat::UINT Send(const plat::HttpRequest& request, plat::HWND window, plat::UINT message);
    bool TakeResponse(plat::UINT id, plat::HttpResponse* response);
    plat::UINT Query(const std::string& name, plat::WORD type, plat::HWND window,
                     plat::UINT message);
    bool TakeAnswer(plat::UINT id, plat::DnsAnswer* answer);
    void Close(plat::UINT id);
    void CloseAllOf(plat::HWND window);
    // Ends the call as failed, when one of its handlers could not go on.
    void Fail(plat::UINT id);

  private:
    struct Call {
        plat::HWND window = 0;
        plat::UINT message = 0;
        bool dns = false;
        bool ended = false;
        bool sent = false;  // the request went out: the connection was made
        std::size_t maxBytes = 0;
        QPointer<QNetworkReply> reply;
        std::unique_ptr<QDnsLookup> lookup;
        std::unique_ptr<QTimer> connectLimit, wholeLimit;
        plat::HttpResponse response;
        plat::DnsAnswer answer;
        // The context of this program's connections to the reply or lookup: dropping
        // it ends them, and leaves Qt's own connections to those objects alone.
        std::unique_ptr<QObject> link = std::make_unique<QObject>();
    };
    void Connect(plat::UINT id, Call& call, std::size_t expected);
    void Read(Call& call);
    void Replied(plat::UINT id);
    void LookedUp(plat::UINT id);
    void End(plat::UINT id, plat::DWORD error);
    static void Drop(Call& call);

    Post post_;
    std::unique_ptr<QNetworkAccessManager> manager_;
    std::map<plat::UINT, std::unique_ptr<Call>> calls_;
    plat::UINT nextId_ = 0;
};

}  // namespace qtb
