// The simulated router: every listener, started and stopped together.
#include "Simulator.h"

#include <chrono>

#include "AppListPage.h"
#include "DemoTasks.h"
#include "ServiceSite.h"
#include "UtilityEndpoint.h"

namespace routersim {

namespace {

constexpr int kListenerCount = 5;

int indexOf(Listener which) {
    return static_cast<int>(which);
}

const char* nameOf(Listener which) {
    switch (which) {
        case Listener::Service:
            return "service";
        case Listener::Web:
            return "web";
        case Listener::Auth:
            return "auth";
        case Listener::ShareLink:
            return "sharelink";
        case Listener::Update:
            return "update";
    }
    return "?";
}

}  // namespace

Simulator::Simulator(SimulatorConfig config)
    : config_(std::move(config)),
      tls_("routersim.local"),
      updateTls_("localhost",
                 TlsContext::SignedByAuthority{
                     "routersim test authority", {"localhost"}, {config_.bindAddress}}),
      auth_(config_.user, config_.password),
      shareLinks_(auth_),
      updates_(config_.updateVersion),
      discovery_(profile_) {
    auth_.setMode(config_.authMode);
    profile_.update([this](RouterFacts& f) { f = config_.facts; });
    discovery_.setFleet(config_.discoveryFleet, config_.discoveryFleetFrom);
    for (int i = 0; i < kListenerCount; ++i)
        faults_.push_back(std::make_unique<FaultSwitches>());
    auto site = std::make_shared<ServiceSite>(auth_, board_, settings_);
    auto add = [this](Listener which, HttpServer::Handler handler, bool tls) {
        SSL_CTX* context = !tls                        ? nullptr
                           : which == Listener::Update ? updateTls_.get()
                                                       : tls_.get();
        servers_.push_back(std::make_unique<HttpServer>(nameOf(which), std::move(handler), log_,
                                                        faults(which), context));
    };
    add(
        Listener::Service, [site](const Request& r, const Faults& f) { return site->handle(r, f); },
        false);
    add(
        Listener::Web, [this](const Request& r, const Faults&) { return routerPage(r); }, false);
    add(
        Listener::Auth, [this](const Request& r, const Faults&) { return routerPage(r); }, true);
    add(
        Listener::ShareLink,
        [this](const Request& r, const Faults& f) { return shareLinks_.handle(r, f); }, true);
    add(
        Listener::Update,
        [this](const Request& r, const Faults& f) { return updates_.handle(r, f); }, true);
}

Simulator::~Simulator() {
    stop();
}

bool Simulator::start(std::string* error) {
    if (!tls_.ok() || !updateTls_.ok()) {
        if (error)
            *error = "could not make the TLS certificate";
        return false;
    }
    const std::uint16_t ports[kListenerCount] = {config_.servicePort, config_.webPort,
                                                 config_.authPort, config_.shareLinkPort,
                                                 config_.updatePort};
    for (int i = 0; i < kListenerCount; ++i) {
        if (!servers_[i]->start(config_.bindAddress, ports[i], error)) {
            stop();
            return false;
        }
    }
    const auto shareLinkPort = port(Listener::ShareLink);
    profile_.update([&](RouterFacts& f) { f.webDavHttpsPort = shareLinkPort; });
    if (config_.discovery) {
        const std::string& address =
            config_.discoveryAddress.empty() ? config_.bindAddress : config_.discoveryAddress;
        if (!discovery_.start(address, config_.discoveryPort, error)) {
            stop();
            return false;
        }
    }
    return true;
}

void Simulator::stop() {
    demoStop_ = true;
    if (demoThread_.joinable())
        demoThread_.join();
    discovery_.requestStop();
    for (auto& s : servers_)
        s->requestStop();
    discovery_.stop();
    for (auto& s : servers_)
        s->stop();
}

HttpServer& Simulator::server(Listener which) const {
    return *servers_[indexOf(which)];
}

std::uint16_t Simulator::port(Listener which) const {
    return server(which).port();
}

FaultSwitches& Simulator::faults(Listener which) {
    return *faults_[indexOf(which)];
}

void Simulator::clearFaults() {
    for (auto& f : faults_)
        f->clear();
    discovery_.setSilent(false);
}

Response Simulator::routerPage(const Request& request) {
    const std::string path = request.routePath();
    if (path == "/update_applist.asp")
        return Response::text(appListPage(profile_.get(), port(Listener::Service)), "text/html");
    if (path == "/pelutil.cgi")
        return UtilityEndpoint(auth_, profile_, &utilityLog_).handle(request);
    return Response::status("HTTP/1.1 404 Not Found", "<html><body>404 Not Found</body></html>");
}

void Simulator::startDemo(int stepMs) {
    if (demoThread_.joinable())
        return;
    demoStop_ = false;
    demoThread_ = std::thread([this, stepMs] {
        DemoTasks demo;
        demo.populate(board_);
        auto last = std::chrono::steady_clock::now();
        while (!demoStop_) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            const auto now = std::chrono::steady_clock::now();
            if (now - last < std::chrono::milliseconds(stepMs))
                continue;
            demo.step(board_, std::chrono::duration<double>(now - last).count());
            last = now;
        }
    });
}

}  // namespace routersim
