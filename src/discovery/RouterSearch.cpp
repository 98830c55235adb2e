#include "discovery/RouterSearch.h"

#include <algorithm>

#include "discovery/AddressMath.h"
#include "discovery/PortHolder.h"
#include "platform/DebugLog.h"

namespace fv {

SearchEndpoints SearchEndpoints::fromEnvironment() {
    SearchEndpoints e;
    bool ok = false;
    const uint port = qEnvironmentVariable("FV_DISCOVERY_LOOPBACK").toUInt(&ok);
    if (!ok || port == 0 || port > 65535)
        return e;
    e.bindAddress = QStringLiteral("127.0.0.1");
    e.bindPort = 0;
    e.limitedBroadcast = QStringLiteral("127.0.0.1");
    e.targetPort = static_cast<std::uint16_t>(port);
    e.listAdapters = [] { return std::vector<AdapterAddress>{}; };
    return e;
}

RouterSearch::RouterSearch(TaskRunner& runner, const TimerFactory& makeTimer,
                           SearchEndpoints endpoints)
    : runner_(runner),
      endpoints_(std::move(endpoints)),
      searchTimer_(makeTimer(kSearchMs)),
      sendTimer_(makeTimer(kSendPauseMs)) {
    if (!endpoints_.findPortHolder)
        endpoints_.findPortHolder = [](std::uint16_t port) { return udpPortHolder(port); };
    searchTimer_->setHandler([this] {
        DebugLog::write("Timer1Timer");
        searchTimer_->setEnabled(false);
        stopSearch();
    });
    sendTimer_->setHandler([this] {
        sendTimer_->setEnabled(false);
        sendNext();
    });
}

RouterSearch::~RouterSearch() {
    *alive_ = false;  // workers still running report to nobody
    socket_.close();
}

void RouterSearch::search() {
    searchTimer_->setEnabled(true);
    table_.clear();
    handler_.clearStore();
    ++searchId_;
    searching_ = true;
    portHeld_ = false;
    pendingSends_.clear();
    openSocket();
    DebugLog::write("SendPacket..............");
    queueSends(endpoints_.limitedBroadcast);
    if (adapterWorkers_ == 0)
        startAdapterPass();
}

void RouterSearch::openSocket() {
    const auto result = socket_.open(endpoints_.bindAddress, endpoints_.bindPort);
    if (result == DiscoverySocket::OpenResult::BindFailed) {
        portHeld_ = true;
        socket_.close();
        reportPortHolder();
        return;
    }
    if (result != DiscoverySocket::OpenResult::Ok) {
        socket_.close();
        return;
    }
    const unsigned id = searchId_;
    socket_.startReceiving([this, id](const QByteArray& datagram, const QString& source) {
        // Hand the datagram to the UI thread; the table is only ever touched there.
        QMetaObject::invokeMethod(
            this, [this, id, datagram, source] { takeDatagram(id, datagram, source); },
            Qt::QueuedConnection);
    });
}

void RouterSearch::reportPortHolder() {
    const std::uint16_t port = endpoints_.bindPort;
    auto holder = std::make_shared<std::optional<QString>>();
    auto find = endpoints_.findPortHolder;
    runner_.run([holder, find, port] { *holder = find(port); },
                [this, alive = alive_, holder, port] {
                    if (!*alive)
                        return;
                    if (*holder && onPortHeld_)
                        onPortHeld_(portHeldMessage(**holder, port));
                });
}

void RouterSearch::startAdapterPass() {
    adapters_.clear();
    adapterWorkers_ = 1;
    auto rows = std::make_shared<std::vector<AdapterAddress>>();
    auto list = endpoints_.listAdapters;
    runner_.run([rows, list] { *rows = list(); },
                [this, alive = alive_, rows] {
                    if (*alive)
                        adapterPassDone(std::move(*rows));
                });
}

void RouterSearch::adapterPassDone(std::vector<AdapterAddress> rows) {
    DebugLog::write("ThreadDone...");
    adapterWorkers_ = 0;
    adapters_ = std::move(rows);
    subnetBroadcasts_.clear();
    for (std::size_t i = 0; i < adapters_.size(); ++i) {
        const AdapterAddress& a = adapters_[i];
        DebugLog::write(QStringLiteral("cbIpAddr->Items->Strings[i]%1 : %2").arg(i).arg(a.address));
        if (a.address == QLatin1String("0.0.0.0"))
            continue;
        const QString broadcast = subnetBroadcastAddress(a.address, a.mask);
        DebugLog::write(QStringLiteral("ThreadDone...BNetAddr:") + broadcast);
        if (std::find(subnetBroadcasts_.begin(), subnetBroadcasts_.end(), broadcast) ==
            subnetBroadcasts_.end())
            subnetBroadcasts_.push_back(broadcast);
    }
    DebugLog::write("FindEnableAdaptersThreadDone-SendPacket..............");
    for (const QString& broadcast : subnetBroadcasts_)
        queueSends(broadcast);
    DebugLog::write("ThreadDone...Over");
}

void RouterSearch::queueSends(const QString& address) {
    const bool idle = pendingSends_.empty() && !sendTimer_->enabled();
    for (int i = 0; i < kSendsPerTarget; ++i)
        pendingSends_.push_back(address);
    if (idle)
        sendNext();
}

// One send, then a 10 ms pause before the next; the timer keeps the window free meanwhile.
void RouterSearch::sendNext() {
    if (pendingSends_.empty())
        return;
    socket_.send(request_, pendingSends_.front(), endpoints_.targetPort);
    pendingSends_.pop_front();
    sendTimer_->setEnabled(true);
}

void RouterSearch::takeDatagram(unsigned searchId, const QByteArray& datagram,
                                const QString& source) {
    if (!searching_ || searchId != searchId_)
        return;  // late for its search: lost, as if it had never come
    if (handler_.handle(datagram, source) && onRowAdded_)
        onRowAdded_();
}

void RouterSearch::stopSearch() {
    searching_ = false;
    pendingSends_.clear();
    socket_.close();
    if (onEnded_)
        onEnded_();
}

}  // namespace fv
