#include "app/directory_client.h"

#include <algorithm>
#include <chrono>
#include <random>

#include "gui/application.h"
#include "platform/platform.h"

namespace {

void RandomOrder(std::vector<std::string>& bases) {
    std::random_device device;
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    std::seed_seq seed{device(), static_cast<unsigned>(now), static_cast<unsigned>(now >> 32)};
    std::mt19937 random(seed);
    std::shuffle(bases.begin(), bases.end(), random);
}

TDirectoryFailure FailureOf(const plat::HttpResponse& r) {
    if (r.error == plat::NET_TOO_LARGE) return TDirectoryFailure::Unreadable;
    return TDirectoryFailure::Unreachable;
}

}  // namespace

TDirectoryClient::TDirectoryClient(std::vector<std::string> bases)
    : Shuffle(RandomOrder),
      window_(plat::WindowKind::Utility, "TZelvoraDirectory",
              [this](plat::Message& m) { return WndProc(m); }),
      fixed_(!bases.empty()) {
    servers_.Set(std::move(bases));
}

// The window's end closes whatever is still in flight; this says so first, so that
// nothing is left waiting on the backend's side either.
TDirectoryClient::~TDirectoryClient() {
    auto& p = plat::Current();
    for (const auto& [request, ticket] : requests_) p.WinHttpCloseRequest(request);
    for (const auto& [query, then] : queries_) p.DnsCancelQuery(query);
}

int TDirectoryClient::Search(const TStationQuery& query, TDone done) {
    return Start([query](const std::string& base) { return SearchRequest(base, query); },
                 std::move(done));
}

int TDirectoryClient::Lookup(const std::vector<std::string>& uuids, TDone done) {
    return Start([uuids](const std::string& base) { return StationsByUuidRequest(base, uuids); },
                 std::move(done));
}

int TDirectoryClient::Start(TMake make, TDone done) {
    const int ticket = ++nextTicket_;
    TOperation& op = operations_[ticket];
    op.make = std::move(make);
    op.done = std::move(done);
    Run(ticket);
    return ticket;
}

void TDirectoryClient::Cancel(int ticket) {
    auto it = operations_.find(ticket);
    if (it == operations_.end()) return;
    if (it->second.request) {
        plat::Current().WinHttpCloseRequest(it->second.request);
        requests_.erase(it->second.request);
    }
    std::erase(waiting_, ticket);
    operations_.erase(it);
}

void TDirectoryClient::CountClick(const std::string& uuid) {
    if (servers_.Exhausted() || uuid.empty()) return;
    const plat::UINT id = plat::Current().WinHttpSendRequest(ClickRequest(servers_.Current(), uuid),
                                                             window_.Handle(), WM_DIRECTORY_HTTP);
    if (id) requests_[id] = 0;
}

// Each failure moves the list on by one, and the servers are looked for at most once
// more per operation, so every operation ends.
void TDirectoryClient::Run(int ticket) {
    TOperation& op = operations_.at(ticket);
    if (servers_.Exhausted()) {
        if (fixed_ && op.attempts == 0) {
            servers_.Rewind();  // a new try of the user's own servers
        } else if (!fixed_ && !op.rediscovered) {
            op.rediscovered = true;
            waiting_.push_back(ticket);
            if (!discovering_) Discover();
            return;
        }
        if (servers_.Exhausted()) return Finish(ticket, TDirectoryAnswer{op.lastFailure, {}});
    }
    op.base = servers_.Current();
    ++op.attempts;
    op.request =
        plat::Current().WinHttpSendRequest(op.make(op.base), window_.Handle(), WM_DIRECTORY_HTTP);
    if (op.request)
        requests_[op.request] = ticket;
    else
        Failed(ticket, TDirectoryFailure::Unreachable);
}

void TDirectoryClient::Answered(plat::UINT request) {
    plat::HttpResponse response;
    const bool taken = plat::Current().WinHttpTakeResponse(request, &response);
    auto it = requests_.find(request);
    if (it == requests_.end()) return;
    const int ticket = it->second;
    requests_.erase(it);
    if (ticket == 0 || !operations_.count(ticket)) return;  // a click, or cancelled
    operations_.at(ticket).request = 0;
    if (!taken || response.error != plat::NET_OK) return Failed(ticket, FailureOf(response));
    if (response.status != 200) return Failed(ticket, TDirectoryFailure::Unreachable);
    TDirectoryAnswer answer;
    answer.list = ParseStations(response.body);
    if (answer.list.trouble != TStationsTrouble::None)
        return Failed(ticket, TDirectoryFailure::Unreadable);
    Finish(ticket, std::move(answer));
}

void TDirectoryClient::Failed(int ticket, TDirectoryFailure failure) {
    TOperation& op = operations_.at(ticket);
    op.lastFailure = failure;
    servers_.Failed(op.base);
    Run(ticket);
}

void TDirectoryClient::Finish(int ticket, TDirectoryAnswer answer) {
    TDone done = std::move(operations_.at(ticket).done);
    operations_.erase(ticket);
    if (done) done(answer);
}

// ---- Finding the servers --------------------------------------------------------------

void TDirectoryClient::Discover() {
    discovering_ = true;
    foundNames_.clear();
    Query(kDirectorySrvName, plat::DNS_TYPE_SRV, [this](const plat::DnsAnswer& a) {
        std::vector<std::string> bases = BasesFromSrv(a.records);
        if (bases.empty()) return DiscoverByAddress();
        Discovered(std::move(bases));
    });
}

// Without SRV records: every address of the servers' common name, each looked up in
// reverse for the server's own name, which HTTPS needs.
void TDirectoryClient::DiscoverByAddress() {
    openLookups_ = 2;
    auto addresses = [this](const plat::DnsAnswer& a) {
        for (const auto& record : a.records) {
            const std::string reverse = ReverseLookupName(record.data);
            if (reverse.empty()) continue;
            ++openLookups_;
            Query(reverse, plat::DNS_TYPE_PTR, [this](const plat::DnsAnswer& names) {
                for (const auto& r : names.records) foundNames_.push_back(r.data);
                LookupEnded();
            });
        }
        LookupEnded();
    };
    Query(kDirectoryHostsName, plat::DNS_TYPE_A, addresses);
    Query(kDirectoryHostsName, plat::DNS_TYPE_AAAA, addresses);
}

void TDirectoryClient::LookupEnded() {
    if (--openLookups_ == 0) Discovered(BasesFromNames(foundNames_));
}

void TDirectoryClient::Query(const std::string& name, plat::WORD type, TOnDns then) {
    const plat::UINT id = plat::Current().DnsQueryA(name, type, window_.Handle(), WM_DIRECTORY_DNS);
    if (id)
        queries_[id] = std::move(then);
    else
        then(plat::DnsAnswer{1, {}});
}

void TDirectoryClient::Discovered(std::vector<std::string> bases) {
    if (Shuffle) Shuffle(bases);
    servers_.Set(std::move(bases));
    discovering_ = false;
    std::vector<int> waiting;
    waiting.swap(waiting_);
    for (int ticket : waiting)
        if (operations_.count(ticket)) Run(ticket);
}

void TDirectoryClient::DnsAnswered(plat::UINT query) {
    plat::DnsAnswer answer;
    if (!plat::Current().DnsTakeAnswer(query, &answer)) answer.status = 1;
    auto it = queries_.find(query);
    if (it == queries_.end()) return;
    TOnDns then = std::move(it->second);
    queries_.erase(it);
    then(answer);
}

bool TDirectoryClient::WndProc(plat::Message& m) {
    const auto id = static_cast<plat::UINT>(m.wParam);
    if (m.msg == WM_DIRECTORY_HTTP)
        RunUserEvent([&] { Answered(id); });
    else if (m.msg == WM_DIRECTORY_DNS)
        RunUserEvent([&] { DnsAnswered(id); });
    else
        return false;
    return true;
}
