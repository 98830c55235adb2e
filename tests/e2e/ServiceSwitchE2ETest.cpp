// The router's service switch through the utility library, from the client's assembly to the
// simulated router on loopback: the order of the library's calls, the account accepted once
// per run, the address the wizard's authentication method gives, the switch running off the UI
// thread, and the application-list probe switching the service when it changes the choice.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include "ManualClientCore.h"
#include "RequestRecord.h"
#include "SimConnection.h"
#include "Simulator.h"
#include "TestEnvironment.h"
#include "router/AppListFetch.h"
#include "router/AppListProbe.h"
#include "router/ProbeResults.h"
#include "router/SetupControlNames.h"

namespace fv {
namespace {

namespace n = setup_names;
using routersim::Listener;

// What the client handed the library's host call: the router never sees these by themselves.
struct HostCall {
    std::string host;
    int port = 0;
    int https = -1;
};

class HostCallLog {
  public:
    // The real library calls, with the host call's arguments written down on the way.
    UtilityCalls wrap() {
        UtilityCalls calls;
        calls.hostAddress = [this](PELHANDLE h, const char* host, int port, uint8_t https) {
            {
                std::lock_guard lock(mutex_);
                calls_.push_back({host ? host : "", port, https});
            }
            return PELUtil_HostAddress(h, host, port, https);
        };
        return calls;
    }
    std::vector<HostCall> all() const {
        std::lock_guard lock(mutex_);
        return calls_;
    }

  private:
    mutable std::mutex mutex_;
    std::vector<HostCall> calls_;
};

// PELUTIL_PORT sends the library's fixed ports (80, 8443) to the simulator's ports.
class PortOverride {
  public:
    explicit PortOverride(int port) {
        if (port > 0)
            ::setenv("PELUTIL_PORT", std::to_string(port).c_str(), 1);
        else
            ::unsetenv("PELUTIL_PORT");
    }
    ~PortOverride() { ::unsetenv("PELUTIL_PORT"); }
};

std::vector<std::string> commandsOf(const std::vector<routersim::UtilityCall>& calls) {
    std::vector<std::string> out;
    for (const auto& c : calls)
        out.push_back(c.argument.empty() ? c.verb : c.verb + " " + c.argument);
    return out;
}

using Commands = std::vector<std::string>;

class ServiceSwitchE2E : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(sim.start(&error)) << error;
        records.setConnection(test::connectionTo(sim));
        setupForm.setText(n::WizardAuthMethod, "http");
        setupForm.setText(n::WizardAuthPort, "8443");
    }
    void TearDown() override { test::recordRequests(sim); }

    std::string webHost() const { return "127.0.0.1:" + std::to_string(sim.port(Listener::Web)); }
    std::string tlsHost() const { return "127.0.0.1:" + std::to_string(sim.port(Listener::Auth)); }
    // One switch through the core, run to its end; the enable call's result.
    int switchNow(bool enable) {
        int result = 1;
        int reports = 0;
        client.core().switchService(enable, [&](int r) {
            result = r;
            ++reports;
        });
        runner.runAll();
        EXPECT_EQ(reports, 1);
        return result;
    }
    bool serviceOn() { return sim.profile().get().serviceEnabled; }

    routersim::Simulator sim{[] {
        routersim::SimulatorConfig c;
        c.discovery = false;
        return c;
    }()};
    HostCallLog hostCalls;
    test::ScratchDir dir;
    test::ManualClientCore client{dir.path(), [this](ClientCore::Options& o) {
                                      o.serviceSwitch.calls = hostCalls.wrap();
                                      o.serviceSwitch.settleMs = 0;
                                  }};
    SettingsRecords& records = client.core().records();
    FormState& setupForm = client.core().setupForm();
    test::ManualRunner& runner = client.runner();
};

TEST_F(ServiceSwitchE2E, FirstSwitchChecksTheAccountOnceThenOnlyEnables) {
    PortOverride web(sim.port(Listener::Web));
    ASSERT_TRUE(serviceOn());
    EXPECT_EQ(switchNow(false), PELUTIL_OK);
    EXPECT_FALSE(serviceOn());
    EXPECT_EQ(commandsOf(sim.utilityCalls()), (Commands{"AUTH", "ENABLEFV 0"}));
    ASSERT_EQ(hostCalls.all().size(), 1u);
    EXPECT_EQ(hostCalls.all()[0].host, "127.0.0.1");
    EXPECT_EQ(hostCalls.all()[0].port, 80);
    EXPECT_EQ(hostCalls.all()[0].https, 0);
    for (const auto& call : sim.utilityCalls()) {
        EXPECT_EQ(call.host, webHost());
        EXPECT_EQ(call.listener, "web");
        EXPECT_TRUE(call.accepted);
    }
    EXPECT_TRUE(client.core().serviceSwitch().accountAccepted());

    sim.clearUtilityCalls();
    EXPECT_EQ(switchNow(true), PELUTIL_OK);
    EXPECT_TRUE(serviceOn());
    EXPECT_EQ(commandsOf(sim.utilityCalls()), (Commands{"ENABLEFV 1"}));
    EXPECT_EQ(hostCalls.all().size(), 1u) << "host given again after the account was accepted";
}

TEST_F(ServiceSwitchE2E, RejectedAccountStillSendsTheSwitchAndIsCheckedAgainNextTime) {
    PortOverride web(sim.port(Listener::Web));
    records.editConnection([](ConnectionProfile& c) { c.Password = "wrong"; });
    EXPECT_EQ(switchNow(false), PELUTIL_E_ACCOUNT);
    EXPECT_TRUE(serviceOn()) << "the router took a switch from a rejected account";
    EXPECT_FALSE(client.core().serviceSwitch().accountAccepted());
    const auto rejected = sim.utilityCalls();
    EXPECT_EQ(commandsOf(rejected), (Commands{"AUTH", "ENABLEFV 0"}));
    for (const auto& call : rejected)
        EXPECT_FALSE(call.accepted);

    sim.clearUtilityCalls();
    records.editConnection([](ConnectionProfile& c) { c.Password = "admin"; });
    EXPECT_EQ(switchNow(false), PELUTIL_OK);
    EXPECT_FALSE(serviceOn());
    EXPECT_EQ(commandsOf(sim.utilityCalls()), (Commands{"AUTH", "ENABLEFV 0"}));
    EXPECT_EQ(hostCalls.all().size(), 2u);
    EXPECT_TRUE(client.core().serviceSwitch().accountAccepted());
}

TEST_F(ServiceSwitchE2E, AuthenticationMethodChoosesPortAndTls) {
    const QString authPort = QString::number(sim.port(Listener::Auth));
    struct Case {
        const char* method;
        QString portText;
        int overridePort;  // where PELUTIL_PORT sends the library, 0: nowhere
        int expectedPort;
        int expectedHttps;
        std::string host;
        const char* listener;
    };
    const Case cases[] = {
        {"http", authPort, sim.port(Listener::Web), 80, 0, webHost(), "web"},
        {"https", authPort, 0, sim.port(Listener::Auth), 1, tlsHost(), "auth"},
        {"https", "no port", sim.port(Listener::Auth), 8443, 1, tlsHost(), "auth"},
        {"https", "", sim.port(Listener::Auth), 8443, 1, tlsHost(), "auth"},
        {"https", "84x3", sim.port(Listener::Auth), 8443, 1, tlsHost(), "auth"},
    };
    for (const Case& c : cases) {
        // A fresh run each time: the account is only checked until it is accepted.
        HostCallLog log;
        test::ManualClientCore fresh{dir.path(), [&](ClientCore::Options& o) {
                                         o.serviceSwitch.calls = log.wrap();
                                         o.serviceSwitch.settleMs = 0;
                                     }};
        fresh.core().records().setConnection(test::connectionTo(sim));
        fresh.core().setupForm().setText(n::WizardAuthMethod, c.method);
        fresh.core().setupForm().setText(n::WizardAuthPort, c.portText);
        PortOverride target(c.overridePort);
        sim.clearUtilityCalls();
        int result = 1;
        fresh.core().switchService(true, [&](int r) { result = r; });
        fresh.runner().runAll();
        SCOPED_TRACE(std::string(c.method) + " '" + c.portText.toStdString() + "'");
        EXPECT_EQ(result, PELUTIL_OK);
        ASSERT_EQ(log.all().size(), 1u);
        EXPECT_EQ(log.all()[0].port, c.expectedPort);
        EXPECT_EQ(log.all()[0].https, c.expectedHttps);
        const auto calls = sim.utilityCalls();
        ASSERT_EQ(commandsOf(calls), (Commands{"AUTH", "ENABLEFV 1"}));
        for (const auto& call : calls) {
            EXPECT_EQ(call.host, c.host);
            EXPECT_EQ(call.listener, c.listener);
        }
    }
}

TEST_F(ServiceSwitchE2E, ProbeThatChangesTheChoiceSwitchesTheService) {
    PortOverride web(sim.port(Listener::Web));
    ProbeResults probe;
    const RouterContext ctx(records, defaultHttpTransport(), &probe);
    const QString page = QString::fromStdString(webHost());
    const auto probed = [&] {
        const AspPageParse parse = fetchAppListPage(ctx, page, {});
        return AppListProbeOutcome{parse.serviceLineFound && parse.complete, probe.get().enabled};
    };
    setupForm.setChecked(n::ServiceEnable, false);
    setupForm.setChecked(n::ServiceDisable, true);

    // The router says "on" while the page shows "off": the choice moves and the service is
    // switched on with the same value.
    onAppListProbed(setupForm, probed());
    EXPECT_TRUE(setupForm.checked(n::ServiceEnable));
    runner.runAll();
    EXPECT_EQ(commandsOf(sim.utilityCalls()), (Commands{"AUTH", "ENABLEFV 1"}));
    EXPECT_TRUE(serviceOn());

    // Same answer again: the choice does not move, nothing is sent.
    sim.clearUtilityCalls();
    onAppListProbed(setupForm, probed());
    EXPECT_EQ(runner.pending(), 0u);

    // A probe without a service line never flips the choice.
    onAppListProbed(setupForm, AppListProbeOutcome{false, "no"});
    EXPECT_TRUE(setupForm.checked(n::ServiceEnable));
    EXPECT_EQ(runner.pending(), 0u);

    // Switched off elsewhere: the next probe moves the choice and sends the same value.
    sim.profile().update([](routersim::RouterFacts& f) { f.serviceEnabled = false; });
    const AppListProbeOutcome off = probed();
    ASSERT_TRUE(off.serviceLineRead);
    EXPECT_EQ(off.enabled, "no");
    onAppListProbed(setupForm, off);
    EXPECT_TRUE(setupForm.checked(n::ServiceDisable));
    runner.runAll();
    EXPECT_EQ(commandsOf(sim.utilityCalls()), (Commands{"ENABLEFV 0"}));
    EXPECT_FALSE(serviceOn());
}

TEST_F(ServiceSwitchE2E, OptionClicksDriveTheSwitch) {
    PortOverride web(sim.port(Listener::Web));
    setupForm.click(n::ServiceDisable);
    runner.runAll();
    EXPECT_FALSE(serviceOn());
    setupForm.click(n::ServiceEnable);
    runner.runAll();
    EXPECT_TRUE(serviceOn());
    EXPECT_EQ(commandsOf(sim.utilityCalls()), (Commands{"AUTH", "ENABLEFV 0", "ENABLEFV 1"}));
}

// The real worker threads: the caller gets control back at once and the outcome later, on
// its own thread, in the order the switches were asked for.
TEST_F(ServiceSwitchE2E, SwitchRunsOffTheUiThreadAndKeepsTheOrder) {
    PortOverride web(sim.port(Listener::Web));
    ClientCore::Options options;
    options.setupFilePath = dir.file("FVSetup.xml");
    ClientCore core(std::move(options));
    core.records().setConnection(test::connectionTo(sim));
    core.setupForm().setText(n::WizardAuthMethod, "http");

    std::vector<std::pair<bool, int>> reports;
    bool onCallerThread = true;
    QElapsedTimer clock;
    clock.start();
    for (bool enable : {false, true, false}) {
        core.switchService(enable, [&, enable](int result) {
            onCallerThread = onCallerThread && QThread::currentThread() == qApp->thread();
            reports.emplace_back(enable, result);
        });
    }
    EXPECT_LT(clock.elapsed(), 250) << "the switch blocked its caller";
    EXPECT_TRUE(reports.empty());
    EXPECT_TRUE(core.serviceSwitch().busy());

    while (reports.size() < 3 && clock.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    // Each switch waits half a second before its enable call.
    EXPECT_GE(clock.elapsed(), 1500);
    EXPECT_TRUE(onCallerThread);
    EXPECT_EQ(reports, (std::vector<std::pair<bool, int>>{
                           {false, PELUTIL_OK}, {true, PELUTIL_OK}, {false, PELUTIL_OK}}));
    EXPECT_EQ(commandsOf(sim.utilityCalls()),
              (Commands{"AUTH", "ENABLEFV 0", "ENABLEFV 1", "ENABLEFV 0"}));
    EXPECT_FALSE(serviceOn());
    EXPECT_FALSE(core.serviceSwitch().busy());
}

}  // namespace
}  // namespace fv
