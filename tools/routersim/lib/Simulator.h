// The simulated router: every listener on the given loopback address, started and stopped
// together. Tests start it in-process with port 0 everywhere and ask for the chosen ports.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "AuthGate.h"
#include "DiscoveryResponder.h"
#include "FaultSwitches.h"
#include "HttpServer.h"
#include "RequestLog.h"
#include "RouterProfile.h"
#include "ShareLinkSite.h"
#include "TaskBoard.h"
#include "TlsContext.h"
#include "TransferSettings.h"
#include "UpdateSite.h"
#include "UtilityEndpoint.h"

namespace routersim {

// The TCP listeners of the router.
enum class Listener {
    Service,    // the download service's web port (login, scripts)
    Web,        // the router's standard web port (application list, utility library)
    Auth,       // the same pages over TLS (the authentication port)
    ShareLink,  // share links over TLS (the WebDAV HTTPS port)
    Update,     // the maker's update server over TLS
};

struct SimulatorConfig {
    std::string bindAddress = "127.0.0.1";
    std::string discoveryAddress;  // empty: bindAddress
    std::uint16_t servicePort = 0;
    std::uint16_t webPort = 0;
    std::uint16_t authPort = 0;
    std::uint16_t shareLinkPort = 0;
    std::uint16_t updatePort = 0;
    std::uint16_t discoveryPort = 0;
    bool discovery = true;
    std::string user = "admin";
    std::string password = "admin";
    AuthMode authMode = AuthMode::Basic;
    std::string updateVersion = "2.2.0.1";
    RouterFacts facts;  // the router's identity at start
    // Discovery answers as this many routers, each from its own address counted up from
    // discoveryFleetFrom (addresses the test network gives this router); 0: one router.
    int discoveryFleet = 0;
    std::string discoveryFleetFrom;
};

class Simulator {
  public:
    explicit Simulator(SimulatorConfig config = {});
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    bool start(std::string* error = nullptr);
    void stop();

    std::uint16_t port(Listener which) const;
    std::uint16_t discoveryPort() const { return discovery_.port(); }
    const std::string& address() const { return config_.bindAddress; }
    const std::string& certificatePem() const { return tls_.certificatePem(); }
    // The authority that signed the update server's certificate (for "localhost" and the
    // listening address); a client trusts the update server only when told to trust it.
    const std::string& updateAuthorityPem() const { return updateTls_.authorityPem(); }

    FaultSwitches& faults(Listener which);
    void clearFaults();
    // Every request of every listener, in arrival order.
    std::vector<Request> requests() const { return log_.all(); }
    void clearRequests() { log_.clear(); }
    // The utility library's commands, in arrival order, rejected ones included.
    std::vector<UtilityCall> utilityCalls() const { return utilityLog_.all(); }
    void clearUtilityCalls() { utilityLog_.clear(); }

    AuthGate& auth() { return auth_; }
    TaskBoard& board() { return board_; }
    TransferSettings& settings() { return settings_; }
    RouterProfile& profile() { return profile_; }
    ShareLinkSite& shareLinks() { return shareLinks_; }
    UpdateSite& updates() { return updates_; }
    DiscoveryResponder& discovery() { return discovery_; }

    // Fills the task list with the demo tasks and lets them move every `stepMs`.
    void startDemo(int stepMs = 1000);

  private:
    HttpServer& server(Listener which) const;
    Response routerPage(const Request& request);

    SimulatorConfig config_;
    RequestLog log_;
    UtilityCallLog utilityLog_;
    TlsContext tls_;
    TlsContext updateTls_;
    AuthGate auth_;
    TaskBoard board_;
    TransferSettings settings_;
    RouterProfile profile_;
    ShareLinkSite shareLinks_;
    UpdateSite updates_;
    DiscoveryResponder discovery_;
    std::vector<std::unique_ptr<FaultSwitches>> faults_;
    std::vector<std::unique_ptr<HttpServer>> servers_;
    std::thread demoThread_;
    std::atomic<bool> demoStop_{false};
};

}  // namespace routersim
