// Auto Detection against simulated routers on loopback addresses (each address stands in for
// a router of the local network): the search, the walk with probe and service test, the fields
// it fills and, on the wizard's account page, the account test and the DDNS steps.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "LoopbackPort.h"
#include "ManualClientCore.h"
#include "Simulator.h"
#include "TestEnvironment.h"
#include "app/ServerDetection.h"
#include "discovery/DdnsName.h"
#include "router/SetupControlNames.h"

namespace fv {
namespace {

using routersim::Listener;

struct RouterSpec {
    const char* address;
    const char* name;
    std::uint8_t macByte;
    bool installed = true;
    const char* ddns = "";
    const char* wan = "203.0.113.45";
    const char* apiLevel = "2";
};

class DetectionE2E : public ::testing::Test {
  protected:
    void startRouters(const std::vector<RouterSpec>& specs) {
        for (const RouterSpec& s : specs) {
            routersim::SimulatorConfig c;
            c.bindAddress = s.address;
            c.authPort = authPort;
            c.discoveryPort = discoveryPort;
            c.facts.deviceName = s.name;
            c.facts.mac[5] = s.macByte;
            c.facts.serviceInstalled = s.installed;
            c.facts.ddnsName = s.ddns;
            c.facts.wanAddress = s.wan;
            c.facts.apiLevel = s.apiLevel;
            auto sim = std::make_unique<routersim::Simulator>(c);
            std::string error;
            ASSERT_TRUE(sim->start(&error)) << error;
            sims.push_back(std::move(sim));
        }
    }
    ClientCore& core() { return client->core(); }
    FormState& pages() { return core().setupForm(); }

    void makeClient(const std::vector<QString>& subnetTargets) {
        client =
            std::make_unique<test::ManualClientCore>(folder.path(), [&](ClientCore::Options& o) {
                o.discovery.bindAddress = "127.0.0.1";
                o.discovery.bindPort = 0;
                o.discovery.limitedBroadcast = "127.0.0.2";
                o.discovery.targetPort = discoveryPort;
                std::vector<AdapterAddress> adapters;
                for (const QString& t : subnetTargets)
                    adapters.push_back({"test", t, "255.255.255.255"});
                o.discovery.listAdapters = [adapters] { return adapters; };
            });
        // Probe over the authentication port, which every simulated router shares.
        pages().setItems("ComboBox_AuthMethod_Setup", {"http", "https"});
        pages().setItemIndex("ComboBox_AuthMethod_Setup", 1);
        pages().setText("Edit_AuthPort_Setup", QString::number(authPort));
        ServerDetection::Options options;
        options.after = [this](int, std::function<void()> then) { waiting.push_back(then); };
        options.restartWaitMs = 0;
        ServerDetection::Hooks hooks;
        hooks.ended = [this] { ++ended; };
        hooks.connectionTest = [this] {
            pages().setText(setup_names::WizardFailure1, accountAnswer);
        };
        detection = std::make_unique<ServerDetection>(core(), hooks, options);
    }

    // The search as the timers would run it, then the detection timer and the walk.
    void detect(int expectedRows) {
        detection->start();
        client->runner().runAll();
        RouterSearch& search = core().routerSearch();
        QElapsedTimer clock;
        clock.start();
        while (search.table().count() < expectedRows && clock.elapsed() < 3000) {
            client->timer(search.sendTimer()).fire();
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        ASSERT_EQ(search.table().count(), expectedRows);
        client->timer(search.searchTimer()).fire();
        ASSERT_TRUE(client->timer(core().timers().detectionTimer()).fire());
        while (detection->running()) {
            client->runner().runAll();
            if (!waiting.empty()) {
                auto then = waiting.front();
                waiting.erase(waiting.begin());
                then();
            }
        }
    }
    std::vector<routersim::UtilityCall> callsOf(std::size_t router) const {
        return sims[router]->utilityCalls();
    }

    std::uint16_t authPort = test::freeLoopbackPort(SOCK_STREAM);
    std::uint16_t discoveryPort = test::freeLoopbackPort(SOCK_DGRAM);
    std::vector<std::unique_ptr<routersim::Simulator>> sims;
    test::ScratchDir folder;
    std::unique_ptr<test::ManualClientCore> client;
    std::unique_ptr<ServerDetection> detection;
    std::vector<std::function<void()>> waiting;
    QString accountAnswer = "The Connection is successful";
    int ended = 0;
};

TEST_F(DetectionE2E, EveryRouterThatPassesFillsTheListsInTableOrder) {
    startRouters({{"127.0.0.2", "KR-ZETA", 1},
                  {"127.0.0.3", "KR-ALPHA", 2, true, "abc.kovaddns.net"},
                  {"127.0.0.4", "KR-MID", 3, false}});
    makeClient({"127.0.0.3", "127.0.0.4"});
    detect(3);

    const QString zetaPort = QString::number(sims[0]->port(Listener::Service));
    const QString alphaPort = QString::number(sims[1]->port(Listener::Service));
    EXPECT_EQ(pages().items("ComboBoxLocalIP_Setup"),
              QStringList({"127.0.0.3 (KR-ALPHA)", "127.0.0.2 (KR-ZETA)"}));
    EXPECT_EQ(pages().items("ComboBoxFVPort_Setup"), QStringList({alphaPort, zetaPort}));
    EXPECT_EQ(pages().items("ComboBoxLocalIP_SetupWizard1"),
              pages().items("ComboBoxLocalIP_Setup"));
    // The first entry ends in the fields; the router without the service was skipped.
    EXPECT_EQ(pages().text("EditLocalIP_Setup"), "127.0.0.3 (KR-ALPHA)");
    EXPECT_EQ(pages().text(setup_names::Port), alphaPort);
    EXPECT_EQ(pages().text(setup_names::WizardLocalAddress), "127.0.0.2");  // the last one
    EXPECT_EQ(pages().text(setup_names::DdnsName), "abc");
    EXPECT_TRUE(pages().checked(setup_names::Local));
    EXPECT_EQ(pages().text("LabelFVDetectMsg_Setup"), "Server found");
    EXPECT_TRUE(pages().enabled(setup_names::DetectButton));
    EXPECT_TRUE(pages().enabled(setup_names::OkPanel));
    EXPECT_EQ(ended, 1);
    EXPECT_TRUE(callsOf(0).empty()) << "the library is only used on the wizard's account page";
}

TEST_F(DetectionE2E, NoRouterWithTheServiceSaysWhy) {
    startRouters({{"127.0.0.2", "KR-OLD", 1, false}});
    makeClient({});
    detect(1);
    EXPECT_EQ(pages().text("LabelFVDetectMsg_Setup"),
              "Server is not found, Ferrovane is maybe not installed on the server.");
    EXPECT_TRUE(pages().items("ComboBoxLocalIP_Setup").isEmpty());
    EXPECT_EQ(pages().text("EditLocalIP_Setup"), "");
    EXPECT_EQ(pages().text(setup_names::Port), "");
    EXPECT_TRUE(pages().enabled(setup_names::TestButton));
}

TEST_F(DetectionE2E, OnTheAccountPageAPublicRouterGetsItsDdnsName) {
    startRouters(
        {{"127.0.0.2", "KR-PUBLIC", 5}, {"127.0.0.3", "KR-BEHIND", 6, true, "", "192.168.1.20"}});
    makeClient({"127.0.0.3"});
    pages().setText(setup_names::PageShowing, "tabSheetSetupWizard2");
    pages().setText(setup_names::WizardAuthMethod, "https");
    pages().setText(setup_names::WizardAuthPort, QString::number(authPort));
    pages().setText(setup_names::WizardUserName, "admin");
    pages().setText(setup_names::WizardPassword, "admin");
    detect(2);

    // MAC 00:1A:2B:3C:4D:05 -> its digest, under the maker's domain.
    const QString host = ddnsHostNameForMac("00:1A:2B:3C:4D:05");
    EXPECT_EQ(pages().text(setup_names::DdnsName), host.section('.', 0, 0));
    EXPECT_EQ(pages().text(setup_names::WizardDdnsName), host.section('.', 0, 0));
    auto verbsOf = [this](std::size_t router) {
        std::vector<std::string> verbs;
        for (const auto& c : callsOf(router))
            verbs.push_back(c.verb);
        return verbs;
    };
    // The table is sorted: KR-BEHIND is walked first and stops at its private WAN address.
    EXPECT_EQ(verbsOf(1), (std::vector<std::string>{"AUTH", "TRACK", "WANCONFIG"}));
    EXPECT_EQ(verbsOf(0), (std::vector<std::string>{"AUTH", "TRACK", "WANCONFIG", "APILEVEL",
                                                    "DDNSCONFIG", "RESTART"}));
    EXPECT_EQ(sims[0]->profile().get().ddnsHost, host.toStdString());
    EXPECT_EQ(sims[1]->profile().get().ddnsHost, "") << "a private WAN address gets no name";
    EXPECT_EQ(pages().text(setup_names::PageShowing), "tabSheetSetupWizard3");
    EXPECT_TRUE(pages().visible(setup_names::FinishButton));
    EXPECT_FALSE(pages().visible(setup_names::NextButton));
}

TEST_F(DetectionE2E, ARefusedAccountStaysOnTheAccountPage) {
    startRouters({{"127.0.0.2", "KR-ONE", 1}});
    makeClient({});
    pages().setText(setup_names::PageShowing, "tabSheetSetupWizard2");
    accountAnswer = "Invalid username or password";
    detect(1);
    EXPECT_EQ(pages().text(setup_names::WizardFailure1),
              "Invalid username or password, Maybe,you Should update to latest on the server.");
    EXPECT_TRUE(pages().visible(setup_names::WizardFailure2));
    EXPECT_EQ(pages().text(setup_names::PageShowing), "tabSheetSetupWizard2");
    EXPECT_TRUE(callsOf(0).empty());
    EXPECT_EQ(ended, 1);
    EXPECT_TRUE(pages().enabled(setup_names::DetectButton));
}

}  // namespace
}  // namespace fv
