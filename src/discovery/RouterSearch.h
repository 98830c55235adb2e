// One search for the routers of every local IPv4 network (`SearchDevices` of the discovery
// controller `TLanspotterForm`): five requests to the limited broadcast, five to the subnet
// broadcast of each local address once the adapter pass has listed them, and 1500 ms of
// listening (`Timer1`). Replies become rows of the discovered-router table on the
// user-interface thread; a reply that arrives after the search ended is dropped.
//
// UI thread only. A new search may start only after the previous one ended.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "discovery/AdapterList.h"
#include "discovery/DiscoveredRouterTable.h"
#include "discovery/DiscoveryReplyHandler.h"
#include "discovery/DiscoveryRequest.h"
#include "discovery/DiscoverySocket.h"
#include "platform/TaskRunner.h"
#include "platform/Timer.h"

namespace fv {

// Where a search sends and listens. The defaults are the real network; tests aim them at
// loopback or run inside a network namespace of their own.
struct SearchEndpoints {
    QString bindAddress = QStringLiteral("0.0.0.0");
    std::uint16_t bindPort = kDiscoveryPort;
    QString limitedBroadcast = QStringLiteral("255.255.255.255");
    std::uint16_t targetPort = kDiscoveryPort;
    std::function<std::vector<AdapterAddress>()> listAdapters = localAdapterRows;
    // The program holding a UDP port, if one can be named.
    std::function<std::optional<QString>(std::uint16_t port)> findPortHolder;

    // The real network, or with FV_DISCOVERY_LOOPBACK=PORT only 127.0.0.1:PORT: the demo and
    // tests that run the programs aim their searches at a simulated router that way.
    static SearchEndpoints fromEnvironment();
};

class RouterSearch final : public QObject {
  public:
    static constexpr int kSearchMs = 1500;
    static constexpr int kSendsPerTarget = 5;
    static constexpr int kSendPauseMs = 10;

    using TimerFactory = std::function<std::unique_ptr<Timer>(int intervalMs)>;

    RouterSearch(TaskRunner& runner, const TimerFactory& makeTimer, SearchEndpoints endpoints = {});
    ~RouterSearch() override;

    void search();
    bool searching() const { return searching_; }
    const DiscoveredRouterTable& table() const { return table_; }
    // The adapter pass's rows (`cbAdapterList`, `cbIpAddr`, `cbSubMask`).
    const std::vector<AdapterAddress>& adapters() const { return adapters_; }
    // The distinct subnet broadcasts the last adapter pass sent to.
    const std::vector<QString>& subnetBroadcasts() const { return subnetBroadcasts_; }
    // Whether the last search could not bind its port (another program holds it).
    bool portWasHeld() const { return portHeld_; }

    Timer& searchTimer() { return *searchTimer_; }
    Timer& sendTimer() { return *sendTimer_; }

    // Each runs on the UI thread.
    void setOnRowAdded(std::function<void()> f) { onRowAdded_ = std::move(f); }
    void setOnEnded(std::function<void()> f) { onEnded_ = std::move(f); }
    // The message that names the program holding the port.
    void setOnPortHeld(std::function<void(const QString& message)> f) {
        onPortHeld_ = std::move(f);
    }

  private:
    void openSocket();
    void reportPortHolder();
    void startAdapterPass();
    void adapterPassDone(std::vector<AdapterAddress> rows);
    void queueSends(const QString& address);
    void sendNext();
    void takeDatagram(unsigned searchId, const QByteArray& datagram, const QString& source);
    void stopSearch();

    TaskRunner& runner_;
    SearchEndpoints endpoints_;
    std::unique_ptr<Timer> searchTimer_;
    std::unique_ptr<Timer> sendTimer_;
    DiscoveredRouterTable table_;
    DiscoveryReplyHandler handler_{table_};
    DiscoverySocket socket_;
    const QByteArray request_ = discoveryRequest();
    std::deque<QString> pendingSends_;
    std::vector<AdapterAddress> adapters_;
    std::vector<QString> subnetBroadcasts_;
    int adapterWorkers_ = 0;
    bool searching_ = false;
    bool portHeld_ = false;
    unsigned searchId_ = 0;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    std::function<void()> onRowAdded_;
    std::function<void()> onEnded_;
    std::function<void(const QString&)> onPortHeld_;
};

}  // namespace fv
