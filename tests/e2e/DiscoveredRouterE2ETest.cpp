// A search on loopback finds the simulated router, and the connection page's Apply takes the
// router's name and WebDAV ports from its row of the discovered-router table.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "ClientSettingsFile.h"
#include "ManualClientCore.h"
#include "Simulator.h"
#include "TestEnvironment.h"
#include "app/SetupAreaFlow.h"

namespace fv {
namespace {

using routersim::Listener;

TEST(DiscoveredRouterE2E, ConnectionApplyTakesNameAndPortsFromTheDiscoveredRow) {
    routersim::Simulator sim;
    std::string error;
    ASSERT_TRUE(sim.start(&error)) << error;
    sim.profile().update([](routersim::RouterFacts& f) {
        f.deviceName = "KR-FOUND";
        f.webDavHttpPort = 8090;
    });
    test::ScratchDir folder;
    routersim::ClientSettings settings;
    settings.servicePort = sim.port(Listener::Service);
    ASSERT_TRUE(
        routersim::writeClientSettings(folder.file("FVSetup.xml").toStdString(), settings, &error))
        << error;
    test::ManualClientCore client(folder.path(), [&](ClientCore::Options& o) {
        o.discovery.bindAddress = "127.0.0.1";
        o.discovery.bindPort = 0;
        o.discovery.limitedBroadcast = "127.0.0.1";
        o.discovery.targetPort = sim.discoveryPort();
        o.discovery.listAdapters = [] { return std::vector<AdapterAddress>{}; };
    });
    ClientCore& core = client.core();
    SetupAreaFlow flow(core, SetupAreaFlow::Hooks{});
    flow.enter();
    client.runner().runAll();

    RouterSearch& search = core.routerSearch();
    search.search();
    client.runner().runAll();  // the adapter pass
    QElapsedTimer clock;
    clock.start();
    while (search.table().empty() && clock.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_TRUE(client.timer(search.searchTimer()).fire());
    ASSERT_EQ(search.table().count(), 1);
    EXPECT_EQ(search.table().rows()[0].ipAddress, "127.0.0.1");

    flow.apply();
    const ConnectionProfile conn = core.records().connection();
    EXPECT_EQ(conn.RouterName, "KR-FOUND");
    EXPECT_EQ(conn.WebDavHttpPort, "8090");
    EXPECT_EQ(conn.WebDavHttpsPort, QString::number(sim.port(Listener::ShareLink)));
}

}  // namespace
}  // namespace fv
