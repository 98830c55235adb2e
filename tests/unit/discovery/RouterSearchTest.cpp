// Whole searches on loopback: simulated routers answer on their own loopback addresses, which
// stand in for the limited and the subnet broadcasts; nothing leaves this machine.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <atomic>
#include <thread>

#include "DiscoveryResponder.h"
#include "LoopbackPort.h"
#include "ReplyBytes.h"
#include "RouterProfile.h"
#include "discovery/RouterSearch.h"

namespace fv {
namespace {

std::unique_ptr<Timer> qtTimer(int ms) {
    return std::make_unique<QtTimer>(ms);
}

// A simulated router answering on one loopback address.
struct LoopbackRouter {
    LoopbackRouter(const std::string& address, std::uint16_t port, const std::string& name,
                   std::uint8_t macByte)
        : responder(profile) {
        profile.update([&](routersim::RouterFacts& f) {
            f.deviceName = name;
            f.mac[5] = macByte;
        });
        std::string error;
        started = responder.start(address, port, &error);
        EXPECT_TRUE(started) << error;
    }
    routersim::RouterProfile profile;
    routersim::DiscoveryResponder responder;
    bool started = false;
};

void runUntil(const std::function<bool()>& done, int limitMs = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < limitMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

SearchEndpoints loopbackEndpoints(std::uint16_t routerPort, std::vector<AdapterAddress> adapters) {
    SearchEndpoints e;
    e.bindAddress = "127.0.0.1";
    e.bindPort = 0;
    e.limitedBroadcast = "127.0.0.2";
    e.targetPort = routerPort;
    e.listAdapters = [adapters] { return adapters; };
    return e;
}

TEST(RouterSearch, FindsRoutersThroughBothBroadcastsAndEndsAfter1500ms) {
    const std::uint16_t port = test::freeLoopbackPort(SOCK_DGRAM);
    LoopbackRouter zulu("127.0.0.2", port, "Zulu", 1);    // reached by the "limited broadcast"
    LoopbackRouter alpha("127.0.0.3", port, "Alpha", 2);  // reached only by a subnet broadcast
    ASSERT_TRUE(zulu.started && alpha.started);
    QObject receiver;
    WorkerThreadRunner runner(&receiver);
    RouterSearch search(runner, qtTimer,
                        loopbackEndpoints(port, {{"a", "127.0.0.3", "255.255.255.255"},
                                                 {"b", "0.0.0.0", "0.0.0.0"},
                                                 {"c", "127.0.0.3", "255.255.255.255"}}));
    int ended = 0;
    search.setOnEnded([&] { ++ended; });
    QElapsedTimer clock;
    clock.start();
    search.search();
    EXPECT_TRUE(search.searching());
    runUntil([&] { return ended > 0; });
    const qint64 took = clock.elapsed();

    EXPECT_EQ(ended, 1);
    EXPECT_FALSE(search.searching());
    EXPECT_GE(took, 1400);  // Qt's coarse timers may fire up to 5 % early
    EXPECT_LT(took, 2500);
    ASSERT_EQ(search.table().count(), 2);
    EXPECT_EQ(search.table().rows()[0].device, "Alpha");
    EXPECT_EQ(search.table().rows()[0].ipAddress, "127.0.0.3");
    EXPECT_EQ(search.table().rows()[1].device, "Zulu");
    EXPECT_EQ(search.table().rows()[1].macAddress, "00:1A:2B:3C:4D:01");
    // Two adapter rows in one subnet give one broadcast; the row without an address none.
    EXPECT_EQ(search.subnetBroadcasts(), std::vector<QString>{"127.0.0.3"});
    EXPECT_EQ(search.adapters().size(), 3u);
    // Five requests to each target.
    EXPECT_EQ(zulu.responder.answered(), 5);
    EXPECT_EQ(alpha.responder.answered(), 5);
}

TEST(RouterSearch, ANewSearchStartsWithAnEmptyTable) {
    const std::uint16_t port = test::freeLoopbackPort(SOCK_DGRAM);
    LoopbackRouter router("127.0.0.2", port, "Only", 1);
    QObject receiver;
    WorkerThreadRunner runner(&receiver);
    RouterSearch search(runner, qtTimer, loopbackEndpoints(port, {}));
    int ended = 0;
    search.setOnEnded([&] { ++ended; });
    search.search();
    runUntil([&] { return ended == 1; });
    ASSERT_EQ(search.table().count(), 1);
    router.responder.setSilent(true);
    search.search();
    EXPECT_EQ(search.table().count(), 0);
    runUntil([&] { return ended == 2; });
    EXPECT_EQ(search.table().count(), 0);  // the silent router is gone, not kept from before
}

TEST(RouterSearch, AHeldPortNamesItsHolderAndFindsNothing) {
    test::HeldUdpPort holder;
    ASSERT_TRUE(holder.held());
    const std::uint16_t heldPort = holder.port();

    QObject receiver;
    WorkerThreadRunner runner(&receiver);
    SearchEndpoints e = loopbackEndpoints(heldPort, {});
    e.bindPort = heldPort;
    RouterSearch search(runner, qtTimer, e);
    QString message;
    bool ended = false;
    search.setOnPortHeld([&](const QString& m) { message = m; });
    search.setOnEnded([&] { ended = true; });
    search.search();
    runUntil([&] { return ended; });
    holder.release();

    EXPECT_TRUE(search.portWasHeld());
    const QString self = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    EXPECT_EQ(message, QStringLiteral("%1 has used port number : %2, please close it and then "
                                      "try again.")
                           .arg(self)
                           .arg(heldPort));
    EXPECT_EQ(search.table().count(), 0);
}

// Replies keep arriving, some longer than a reply can be, while the search is torn down
// mid-way: nothing may touch the search after it is gone (the sanitizers watch).
TEST(RouterSearch, RepliesDuringTeardownAreDroppedSafely) {
    QObject receiver;
    WorkerThreadRunner runner(&receiver);
    std::atomic<std::uint16_t> clientPort{0};
    std::atomic<bool> stop{false};
    std::thread flood([&] {
        const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
        test::ReplyBytes reply;
        reply.size = 4000;
        const QByteArray bytes = reply.bytes();
        while (!stop) {
            if (const std::uint16_t p = clientPort) {
                sockaddr_in to{};
                to.sin_family = AF_INET;
                to.sin_port = htons(p);
                to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
                ::sendto(fd, bytes.constData(), std::size_t(bytes.size()), 0,
                         reinterpret_cast<sockaddr*>(&to), sizeof to);
            }
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        ::close(fd);
    });
    for (int round = 0; round < 20; ++round) {
        SearchEndpoints e = loopbackEndpoints(9, {});
        e.bindPort = std::uint16_t(47000 + round);  // known to the flood before the bind
        auto search = std::make_unique<RouterSearch>(runner, qtTimer, e);
        clientPort = e.bindPort;
        search->search();
        runUntil([] { return false; }, 5 + round % 7);
        const int rows = search->table().count();
        EXPECT_LE(rows, 1);  // one address, so at most one row however many replies came
        search.reset();
        QCoreApplication::processEvents();
    }
    stop = true;
    flood.join();
}

}  // namespace
}  // namespace fv
