// The station directory client: asks the directory's servers, one after the other
// when one fails, finds them by DNS (again when every known one has failed), and
// hands each answer to the caller, read. Everything is asynchronous: a call returns
// at once and its callback runs later from the message loop, or never once cancelled.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/directory_request.h"
#include "app/directory_servers.h"
#include "app/directory_stations.h"
#include "gui/hiddenwindow.h"

enum class TDirectoryFailure {
    None,
    Unreachable,  // no server answered: offline, the directory down, every server failing
    Unreadable,   // the last server that answered sent what is not a list of stations
};

// What the user is told for a failure.
inline constexpr const char* kDirectoryUnreachable =
    "The station directory cannot be reached right now.";
inline constexpr const char* kDirectoryUnreadable =
    "The station directory sent an answer Zelvora cannot read. Try again later.";

struct TDirectoryAnswer {
    TDirectoryFailure failure = TDirectoryFailure::None;
    TStationList list;
};

// The answer and request messages the client's window receives.
inline constexpr plat::UINT WM_DIRECTORY_HTTP = plat::WM_USER + 210;
inline constexpr plat::UINT WM_DIRECTORY_DNS = plat::WM_USER + 211;

class TDirectoryClient {
  public:
    using TDone = std::function<void(const TDirectoryAnswer&)>;

    // The servers to use, from the settings; none: they are found by DNS.
    explicit TDirectoryClient(std::vector<std::string> bases);
    ~TDirectoryClient();
    TDirectoryClient(const TDirectoryClient&) = delete;
    TDirectoryClient& operator=(const TDirectoryClient&) = delete;

    // Each returns a ticket for Cancel; done runs once, unless cancelled first.
    int Search(const TStationQuery& query, TDone done);
    int Lookup(const std::vector<std::string>& uuids, TDone done);
    void Cancel(int ticket);
    // Counts a play at the server in use; its answer is not waited for.
    void CountClick(const std::string& uuid);

    // How found servers are put in order: at random, unless a test decides.
    std::function<void(std::vector<std::string>&)> Shuffle;
    const TServerList& Servers() const { return servers_; }

  private:
    using TMake = std::function<plat::HttpRequest(const std::string& base)>;
    struct TOperation {
        TMake make;
        TDone done;
        int attempts = 0;
        bool rediscovered = false;
        TDirectoryFailure lastFailure = TDirectoryFailure::Unreachable;
        plat::UINT request = 0;  // the exchange in flight, 0 for none
        std::string base;        // the server it went to
    };
    using TOnDns = std::function<void(const plat::DnsAnswer&)>;

    int Start(TMake make, TDone done);
    void Run(int ticket);
    void Answered(plat::UINT request);
    void Failed(int ticket, TDirectoryFailure failure);
    void Finish(int ticket, TDirectoryAnswer answer);

    void Discover();
    void DiscoverByAddress();
    void Query(const std::string& name, plat::WORD type, TOnDns then);
    void LookupEnded();
    void Discovered(std::vector<std::string> bases);
    void DnsAnswered(plat::UINT query);
    bool WndProc(plat::Message& m);

    THiddenWindow window_;
    const bool fixed_;  // servers from the settings: never looked for
    TServerList servers_;
    std::map<int, TOperation> operations_;
    std::vector<int> waiting_;  // for the servers to be found
    int nextTicket_ = 0;
    std::map<plat::UINT, int> requests_;  // exchange -> ticket; 0 for a click
    std::map<plat::UINT, TOnDns> queries_;
    bool discovering_ = false;
    int openLookups_ = 0;
    std::vector<std::string> foundNames_;
};
