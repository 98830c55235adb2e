// Login, account check, service test and the application-list probe against the simulated
// router on loopback (real HTTP and, for the authentication port, real TLS).
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "RequestRecord.h"
#include "SimConnection.h"
#include "Simulator.h"
#include "platform/DebugLog.h"
#include "router/AppListProbe.h"
#include "router/ProbeResults.h"
#include "router/SessionLogin.h"
#include "router/StandardRequest.h"

namespace fv {
namespace {

using routersim::AuthMode;
using routersim::Listener;

class RouterConnectionE2E : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(sim.start(&error)) << error;
        ConnectionProfile conn = test::connectionTo(sim);
        records.setConnection(conn);
    }
    void TearDown() override { test::recordRequests(sim); }
    RouterContext ctx() { return RouterContext(records, defaultHttpTransport(), &probe); }
    QString webHost() const { return QString("127.0.0.1:%1").arg(sim.port(Listener::Web)); }

    routersim::Simulator sim{[] {
        routersim::SimulatorConfig c;
        c.discovery = false;
        return c;
    }()};
    SettingsRecords records;
    ProbeResults probe;
};

TEST_F(RouterConnectionE2E, LoginOutcomes) {
    struct Case {
        const char* password;
        bool otherUser;
        const char* statusLine;
        LoginOutcome outcome;
        bool session;
    };
    const Case cases[] = {
        {"admin", false, "HTTP/1.1 200 OK", LoginOutcome::Success, true},
        {"admin", false, "HTTP/1.1 404 Not Found", LoginOutcome::Success, true},
        {"admin", false, "HTTP/1.1 307 Temporary Redirect", LoginOutcome::Success, true},
        {"wrong", false, "HTTP/1.1 200 OK", LoginOutcome::Rejected, false},
        {"admin", true, "HTTP/1.1 200 OK", LoginOutcome::Busy, false},
    };
    for (const Case& c : cases) {
        sim.auth().setLoginStatusLine(c.statusLine);
        sim.auth().setOtherUserLoggedIn(c.otherUser);
        records.editConnection([&](ConnectionProfile& conn) { conn.Password = c.password; });
        records.setSessionTokenHeader(QString());
        EXPECT_EQ(fetchSessionToken(ctx(), "127.0.0.1"), c.outcome) << c.statusLine;
        EXPECT_EQ(records.sessionTokenHeader().startsWith("Cookie: AuthByPasswd="), c.session)
            << c.password << c.statusLine;
    }
}

TEST_F(RouterConnectionE2E, SessionRouterServesTheTaskListAfterLogin) {
    sim.auth().setMode(AuthMode::Session);
    const ConnectionProfile conn = records.connection();
    // Without logging in the session router redirects, which is a failure carrying 307.
    const HttpResponse refused = performStandardGet(ctx(), conn, request_kind::GeneralSettingsRead,
                                                    "//ferrovane//fv_print_status.cgi?x=1");
    EXPECT_NE(refused.failureText.find("307"), std::string::npos) << refused.failureText;

    const HttpResponse res =
        performStandardGet(ctx(), conn, request_kind::TaskListFetch,
                           "//ferrovane//fv_print_status.cgi?x=1" + makeCacheBreaker());
    EXPECT_TRUE(res.ok) << res.failureText;
    EXPECT_FALSE(records.sessionTokenHeader().isEmpty());
    EXPECT_TRUE(checkAccount(ctx(), "127.0.0.1"));
}

TEST_F(RouterConnectionE2E, ProbeThenServiceTest) {
    fetchAppListPage(ctx(), webHost(), {});
    ProbeState s = probe.get();
    EXPECT_EQ(s.servicePort, std::to_string(sim.port(Listener::Service)));
    EXPECT_EQ(s.installed, "yes");
    EXPECT_EQ(s.enabled, "yes");
    EXPECT_EQ(s.version, "110");
    EXPECT_TRUE(testService(ctx(), "127.0.0.1"));

    sim.auth().setMode(AuthMode::Session);
    EXPECT_TRUE(testService(ctx(), "127.0.0.1"));  // answers 307: reachable

    sim.profile().update([](routersim::RouterFacts& f) { f.serviceEnabled = false; });
    fetchAppListPage(ctx(), webHost(), {});
    s = probe.get();
    EXPECT_EQ(s.servicePort, "");
    EXPECT_EQ(s.enabled, "no");
}

TEST_F(RouterConnectionE2E, HttpsProbeOnTheAuthenticationPort) {
    fetchAppListPage(ctx(), "127.0.0.1", {1, QString::number(sim.port(Listener::Auth))});
    const ProbeState s = probe.get();
    EXPECT_EQ(s.servicePort, std::to_string(sim.port(Listener::Service)));
    EXPECT_EQ(s.version, "110");
}

// The simulator closes its listening socket on its own loop; wait until it has.
bool refusedSoon(std::uint16_t port) {
    HttpRequest req;
    req.url = "http://127.0.0.1:" + std::to_string(port) + "/";
    req.connectTimeoutMs = req.readTimeoutMs = 500;
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (HttpClient().perform(req).failureText.find("10061") != std::string::npos)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

TEST_F(RouterConnectionE2E, RefusedProbeAndServiceTest) {
    sim.faults(Listener::Web).setRefuse(true);
    sim.faults(Listener::Service).setRefuse(true);
    ASSERT_TRUE(refusedSoon(sim.port(Listener::Web)));
    ASSERT_TRUE(refusedSoon(sim.port(Listener::Service)));
    probe.edit([&](ProbeState& s) { s.servicePort = std::to_string(sim.port(Listener::Service)); });
    EXPECT_FALSE(testService(ctx(), "127.0.0.1"));
    fetchAppListPage(ctx(), webHost(), {});
    EXPECT_TRUE(probe.get().connectionRefused);
    EXPECT_EQ(probe.get().servicePort, "");
}

}  // namespace
}  // namespace fv
