#include "platform/qt/network.h"

#include <QDnsLookup>
#include <QNetworkRequest>
#include <QUrl>

namespace qtb {

namespace {

// Qt tells an HTTP status from 400 up as an error of its own: it is an answer here.
bool HttpAnswer(QNetworkReply::NetworkError e) {
    return e == QNetworkReply::NoError ||
           (e >= QNetworkReply::ContentAccessDenied && e <= QNetworkReply::UnknownServerError);
}

plat::DWORD Reason(QNetworkReply::NetworkError e, bool sent) {
    switch (e) {
        case QNetworkReply::TimeoutError:
            return plat::NET_TIMEOUT;
        case QNetworkReply::ProtocolUnknownError:
            return plat::NET_BAD_URL;
        case QNetworkReply::ConnectionRefusedError:
        case QNetworkReply::HostNotFoundError:
            return plat::NET_CANNOT_CONNECT;
        default:
            return sent ? plat::NET_FAILED : plat::NET_CANNOT_CONNECT;
    }
}

// Runs a signal's handler: nothing may unwind through Qt's event delivery, so a
// failure in it ends the call as failed.
template <class F>
void Guarded(Network& network, plat::UINT id, F&& handler) {
    try {
        handler();
    } catch (...) {
        network.Fail(id);
    }
}

std::string WithoutDot(const QString& name) {
    std::string text = name.toStdString();
    while (!text.empty() && text.back() == '.') text.pop_back();
    return text;
}

QDnsLookup::Type LookupType(plat::WORD type) {
    switch (type) {
        case plat::DNS_TYPE_A:
            return QDnsLookup::A;
        case plat::DNS_TYPE_AAAA:
            return QDnsLookup::AAAA;
        case plat::DNS_TYPE_PTR:
            return QDnsLookup::PTR;
        default:
            return QDnsLookup::SRV;
    }
}

}  // namespace

Network::~Network() {
    for (auto& [id, call] : calls_) Drop(*call);
}

void Network::Drop(Call& call) {
    call.link.reset();  // nothing the reply or lookup says now reaches the call
    if (call.reply) {
        if (call.reply->isRunning()) call.reply->abort();
        call.reply->deleteLater();
    }
    if (call.lookup) {
        call.lookup->abort();
        call.lookup.release()->deleteLater();
    }
    // Later: a limit's own timeout may be what ends the call, and a timer must not be
    // deleted while it is telling of it.
    for (auto* limit : {&call.connectLimit, &call.wholeLimit}) {
        if (!*limit) continue;
        (*limit)->stop();
        limit->release()->deleteLater();
    }
}

plat::UINT Network::Send(const plat::HttpRequest& request, plat::HWND window, plat::UINT message) {
    const QUrl url = QUrl::fromEncoded(QByteArray::fromStdString(request.url), QUrl::StrictMode);
    if (!url.isValid() || (url.scheme() != "http" && url.scheme() != "https")) return 0;
    if (!manager_) manager_ = std::make_unique<QNetworkAccessManager>();
    QNetworkRequest r(url);
    r.setHeader(QNetworkRequest::UserAgentHeader, QString::fromStdString(request.userAgent));
    for (const auto& [name, value] : request.headers)
        r.setRawHeader(QByteArray::fromStdString(name), QByteArray::fromStdString(value));
    const plat::UINT id = ++nextId_;
    auto call = std::make_unique<Call>();
    call->window = window;
    call->message = message;
    call->maxBytes = request.maxBodyBytes;
    call->reply = request.method == "POST"
                      ? manager_->post(r, QByteArray::fromStdString(request.body))
                      : manager_->get(r);
    call->reply->setReadBufferSize(64 * 1024);  // read on as it comes, never all at once
    Call& c = *call;
    calls_[id] = std::move(call);
    Connect(id, c, request.connectTimeoutMs);
    c.wholeLimit = std::make_unique<QTimer>();
    c.wholeLimit->setSingleShot(true);
    QObject::connect(c.wholeLimit.get(), &QTimer::timeout,
                     [this, id] { End(id, plat::NET_TIMEOUT); });
    c.wholeLimit->start(static_cast<int>(request.totalTimeoutMs));
    return id;
}

// The connect limit ends once the request is on its way.
void Network::Connect(plat::UINT id, Call& c, std::size_t connectMs) {
    QNetworkReply* reply = c.reply;
    c.connectLimit = std::make_unique<QTimer>();
    c.connectLimit->setSingleShot(true);
    QObject::connect(c.connectLimit.get(), &QTimer::timeout,
                     [this, id] { End(id, plat::NET_TIMEOUT); });
    c.connectLimit->start(static_cast<int>(connectMs));
    QObject::connect(reply, &QNetworkReply::requestSent, c.link.get(), [&c] {
        c.sent = true;
        if (c.connectLimit) c.connectLimit->stop();
    });
    QObject::connect(reply, &QNetworkReply::metaDataChanged, c.link.get(), [this, id, &c, reply] {
        bool known = false;
        const qlonglong length =
            reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
        if (known && length > static_cast<qlonglong>(c.maxBytes)) End(id, plat::NET_TOO_LARGE);
    });
    QObject::connect(reply, &QNetworkReply::readyRead, c.link.get(), [this, id, &c] {
        Read(c);
        if (c.response.body.size() > c.maxBytes) End(id, plat::NET_TOO_LARGE);
    });
    QObject::connect(reply, &QNetworkReply::finished, c.link.get(), [this, id] { Replied(id); });
}

void Network::Read(Call& c) {
    const QByteArray bytes = c.reply->read(
        static_cast<qint64>(c.maxBytes + 1 - std::min(c.maxBytes, c.response.body.size())));
    c.response.body.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void Network::Replied(plat::UINT id) {
    auto it = calls_.find(id);
    if (it == calls_.end() || it->second->ended) return;
    Call& c = *it->second;
    Read(c);
    const QVariant status = c.reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    c.response.status = status.isValid() ? status.toInt() : 0;
    const QNetworkReply::NetworkError e = c.reply->error();
    bool known = false;
    const qlonglong length =
        c.reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
    if (c.response.body.size() > c.maxBytes) return End(id, plat::NET_TOO_LARGE);
    if (!HttpAnswer(e)) return End(id, Reason(e, c.sent || c.response.status != 0));
    if (known && static_cast<qlonglong>(c.response.body.size()) < length)
        return End(id, plat::NET_FAILED);
    End(id, plat::NET_OK);
}

void Network::Fail(plat::UINT id) {
    try {
        End(id, plat::NET_FAILED);
    } catch (...) {
        Close(id);  // not even that: the call is dropped, unanswered
    }
}

void Network::End(plat::UINT id, plat::DWORD error) {
    auto it = calls_.find(id);
    if (it == calls_.end() || it->second->ended) return;
    Call& c = *it->second;
    if (c.reply && c.response.status == 0) {
        const QVariant status = c.reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        if (status.isValid()) c.response.status = status.toInt();
    }
    c.ended = true;
    c.response.error = error;
    if (error != plat::NET_OK) c.response.body.clear();
    Drop(c);
    post_(c.window, c.message, id);
}

bool Network::TakeResponse(plat::UINT id, plat::HttpResponse* response) {
    auto it = calls_.find(id);
    if (it == calls_.end() || it->second->dns || !it->second->ended) return false;
    *response = std::move(it->second->response);
    calls_.erase(it);
    return true;
}

plat::UINT Network::Query(const std::string& name, plat::WORD type, plat::HWND window,
                          plat::UINT message) {
    const plat::UINT id = ++nextId_;
    auto call = std::make_unique<Call>();
    call->window = window;
    call->message = message;
    call->dns = true;
    call->lookup = std::make_unique<QDnsLookup>(LookupType(type), QString::fromStdString(name));
    QObject::connect(call->lookup.get(), &QDnsLookup::finished, call->link.get(),
                     [this, id] { Guarded(*this, id, [&] { LookedUp(id); }); });
    QDnsLookup* lookup = call->lookup.get();
    calls_[id] = std::move(call);
    lookup->lookup();
    return id;
}

void Network::LookedUp(plat::UINT id) {
    auto it = calls_.find(id);
    if (it == calls_.end() || it->second->ended) return;
    Call& c = *it->second;
    const QDnsLookup& l = *c.lookup;
    c.answer.status =
        l.error() == QDnsLookup::NoError ? 0 : 9000 + static_cast<plat::DWORD>(l.error());
    for (const auto& r : l.hostAddressRecords()) {
        const bool v6 = r.value().protocol() == QAbstractSocket::IPv6Protocol;
        c.answer.records.push_back(
            {v6 ? plat::DNS_TYPE_AAAA : plat::DNS_TYPE_A, r.value().toString().toStdString()});
    }
    for (const auto& r : l.pointerRecords())
        c.answer.records.push_back({plat::DNS_TYPE_PTR, WithoutDot(r.value())});
    for (const auto& r : l.serviceRecords())
        c.answer.records.push_back(
            {plat::DNS_TYPE_SRV, WithoutDot(r.target()), r.port(), r.priority(), r.weight()});
    c.ended = true;
    Drop(c);
    post_(c.window, c.message, id);
}

bool Network::TakeAnswer(plat::UINT id, plat::DnsAnswer* answer) {
    auto it = calls_.find(id);
    if (it == calls_.end() || !it->second->dns || !it->second->ended) return false;
    *answer = std::move(it->second->answer);
    calls_.erase(it);
    return true;
}

void Network::Close(plat::UINT id) {
    auto it = calls_.find(id);
    if (it == calls_.end()) return;
    Drop(*it->second);
    calls_.erase(it);
}

void Network::CloseAllOf(plat::HWND window) {
    for (auto it = calls_.begin(); it != calls_.end();) {
        if (it->second->window != window) {
            ++it;
            continue;
        }
        Drop(*it->second);
        it = calls_.erase(it);
    }
}

}  // namespace qtb
