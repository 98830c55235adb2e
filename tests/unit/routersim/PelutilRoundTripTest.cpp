// The utility library against the simulated router: every call, and every kind of bad input.
#include <cstdlib>
#include <string>
#include <vector>

#include "SimFixture.h"
#include "pelutil/pelutil.h"

namespace routersim::test {
namespace {

class Pelutil : public SimFixture {
  protected:
    void SetUp() override {
        SimFixture::SetUp();
        handle = PELUtil_Init(0, 0, 0, this);
        ASSERT_NE(handle, nullptr);
    }
    void TearDown() override {
        PELUtil_FreeHandle(handle);
        SimFixture::TearDown();
    }
    int prepare(bool https = false, const char* password = kPassword) {
        const Listener which = https ? Listener::Auth : Listener::Web;
        EXPECT_EQ(PELUtil_HostAddress(handle, "127.0.0.1", port(which), https ? 1 : 0), PELUTIL_OK);
        return PELUtil_Authorization(handle, kUser, password);
    }

    static void recordEvent(int event, int /*status*/, const char* text, int /*reserved*/,
                            void* context) {
        static_cast<Pelutil*>(context)->events.emplace_back(event, text ? text : "");
    }

    PELHANDLE handle = nullptr;
    std::vector<std::pair<int, std::string>> events;
};

TEST_F(Pelutil, AccountIsCheckedOverPlainAndTls) {
    EXPECT_EQ(prepare(false), PELUTIL_OK);
    EXPECT_EQ(prepare(true), PELUTIL_OK);
    EXPECT_EQ(prepare(false, "wrong"), PELUTIL_E_ACCOUNT);
    const auto log = sim->requests();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back().method, "POST");
    EXPECT_EQ(log.back().target, "/pelutil.cgi");
    EXPECT_EQ(log.back().body, "AUTH\n");
}

TEST_F(Pelutil, ServiceSwitchChangesTheApplicationList) {
    ASSERT_EQ(prepare(), PELUTIL_OK);
    const auto line = [&] {
        const auto body =
            fetch(port(Listener::Web), buildRequest("GET", "/update_applist.asp")).body;
        const auto start = body.find("[\"ferrovane\"");
        return body.substr(start, body.find('\n', start) - start);
    };
    EXPECT_EQ(PEL_RT_EnableFerrovane(handle, 0), PELUTIL_OK);
    EXPECT_TRUE(line().ends_with("\"yes\",\"no\"]"));
    EXPECT_EQ(PEL_RT_EnableFerrovane(handle, 1), PELUTIL_OK);
    EXPECT_TRUE(line().ends_with("\"yes\",\"yes\"]"));
}

TEST_F(Pelutil, EveryCommandIsRecordedInOrderWithItsAddressAndAccount) {
    sim->profile().update([](RouterFacts& f) { f.serviceEnabled = true; });
    const std::string web = "127.0.0.1:" + std::to_string(port(Listener::Web));
    const std::string tls = "127.0.0.1:" + std::to_string(port(Listener::Auth));
    EXPECT_EQ(prepare(false, "wrong"), PELUTIL_E_ACCOUNT);
    EXPECT_EQ(PEL_RT_EnableFerrovane(handle, 0), PELUTIL_E_ACCOUNT);
    EXPECT_TRUE(sim->profile().get().serviceEnabled) << "a rejected account switched the service";
    EXPECT_EQ(prepare(true), PELUTIL_OK);
    EXPECT_EQ(PEL_RT_EnableFerrovane(handle, 0), PELUTIL_OK);
    EXPECT_FALSE(sim->profile().get().serviceEnabled);

    struct Expected {
        const char* verb;
        const char* argument;
        std::string host;
        const char* listener;
        bool accepted;
    };
    const Expected expected[] = {
        {"AUTH", "", web, "web", false},
        {"ENABLEFV", "0", web, "web", false},
        {"AUTH", "", tls, "auth", true},
        {"ENABLEFV", "0", tls, "auth", true},
    };
    const auto calls = sim->utilityCalls();
    ASSERT_EQ(calls.size(), std::size(expected));
    for (size_t i = 0; i < calls.size(); ++i) {
        EXPECT_EQ(calls[i].verb, expected[i].verb) << i;
        EXPECT_EQ(calls[i].argument, expected[i].argument) << i;
        EXPECT_EQ(calls[i].host, expected[i].host) << i;
        EXPECT_EQ(calls[i].listener, expected[i].listener) << i;
        EXPECT_EQ(calls[i].accepted, expected[i].accepted) << i;
    }
    sim->clearUtilityCalls();
    EXPECT_TRUE(sim->utilityCalls().empty());
}

TEST_F(Pelutil, WanAddressComesBackAsNumberAndText) {
    sim->profile().update([](RouterFacts& f) { f.wanAddress = "198.51.100.7"; });
    ASSERT_EQ(prepare(), PELUTIL_OK);
    uint32_t wan = 0, mask = 0, gateway = 0, dns1 = 0, dns2 = 0;
    ASSERT_EQ(PEL_RT_GetDetectWanIPConfig(handle, &wan, &mask, &gateway, &dns1, &dns2), PELUTIL_OK);
    EXPECT_EQ(wan, 0xC6336407u);
    EXPECT_EQ(mask, 0xFFFFFF00u);
    char text[PELUTIL_INET_TEXT_SIZE];
    ASSERT_EQ(PELUtil_InetNtoA(wan, text), PELUTIL_OK);
    EXPECT_STREQ(text, "198.51.100.7");
}

TEST_F(Pelutil, ApiLevelIsOneCharacter) {
    for (const char* level : {"1", "2", "x"}) {
        sim->profile().update([&](RouterFacts& f) { f.apiLevel = level; });
        ASSERT_EQ(prepare(), PELUTIL_OK);
        char text[PELUTIL_API_LEVEL_SIZE] = {'?', '?'};
        ASSERT_EQ(PEL_RT_GetDomiraAPILevelExt(handle, text), PELUTIL_OK);
        EXPECT_STREQ(text, level);
    }
}

TEST_F(Pelutil, DdnsServiceAndConfigReachTheRouter) {
    ASSERT_EQ(prepare(true), PELUTIL_OK);
    EXPECT_EQ(PEL_RT_SetDDNSService(handle, 1, "qzh0123.kovaddns.test"), PELUTIL_OK);
    EXPECT_EQ(sim->profile().get().ddnsHost, "qzh0123.kovaddns.test");
    const char* json =
        "{ \"ddns_enable_x\" : \"1\", \"ddns_server_x\" : \"WWW.KOVADDNS.TEST\", "
        "\"ddns_hostname_x\" : \"ABCDEF.kovaddns.test\" }";
    EXPECT_EQ(PEL_RT_SetDDNSConfig(handle, json), PELUTIL_OK);
    EXPECT_EQ(PEL_RT_RestartService(handle), PELUTIL_OK);
    const auto facts = sim->profile().get();
    EXPECT_EQ(facts.ddnsConfig, json);
    EXPECT_EQ(facts.ddnsHost, "ABCDEF.kovaddns.test");
    EXPECT_EQ(facts.ddnsName, "ABCDEF.kovaddns.test");
    EXPECT_EQ(facts.serviceRestarts, 1);
    EXPECT_EQ(PEL_RT_SetDDNSConfig(handle, "{ \"ddns_enable_x\" : \"1\" }"), PELUTIL_E_REFUSED);
}

TEST_F(Pelutil, TrackingReportsEventsEndingWithClosing) {
    ASSERT_EQ(prepare(), PELUTIL_OK);
    ASSERT_EQ(PELUtil_HTTPTrackEvent(handle, recordEvent), PELUTIL_OK);
    EXPECT_EQ(PELUtil_HTTPTrack(handle, 1), PELUTIL_OK);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].first, PELUTIL_EVENT_CONNECTING);
    EXPECT_EQ(events[1].first, PELUTIL_EVENT_CONNECTED);
    EXPECT_EQ(events[2].first, PELUTIL_EVENT_CLOSING);
    EXPECT_NE(events[2].second.find("Closing"), std::string::npos);
}

TEST_F(Pelutil, TrackingAgainstAClosedPortStillEndsWithClosing) {
    ASSERT_EQ(PELUtil_HostAddress(handle, "127.0.0.1", port(Listener::Web), 0), PELUTIL_OK);
    sim->faults(Listener::Web).setRefuse(true);
    PELUtil_HTTPTrackEvent(handle, recordEvent);
    EXPECT_EQ(PELUtil_HTTPTrack(handle, 1), PELUTIL_E_NETWORK);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back().first, PELUTIL_EVENT_CLOSING);
    EXPECT_EQ(events.size(), 2u);  // connecting, closing: never connected
}

TEST_F(Pelutil, PortOverrideFromTheEnvironment) {
    ::setenv("PELUTIL_PORT", std::to_string(port(Listener::Web)).c_str(), 1);
    const int placed =
        PELUtil_HostAddress(handle, "127.0.0.1", 80 == port(Listener::Web) ? 81 : 80, 0);
    ::unsetenv("PELUTIL_PORT");
    ASSERT_EQ(placed, PELUTIL_OK);
    EXPECT_EQ(PELUtil_Authorization(handle, kUser, kPassword), PELUTIL_OK);
}

TEST_F(Pelutil, ServerErrorsAreNotSuccess) {
    ASSERT_EQ(prepare(), PELUTIL_OK);
    Faults f;
    f.statusLine = "HTTP/1.1 200 OK";
    f.replaceBody = true;
    f.body = "<html>garbage</html>";
    sim->faults(Listener::Web).set(f);
    EXPECT_EQ(PEL_RT_EnableFerrovane(handle, 1), PELUTIL_E_NETWORK);
    f.body = "";
    f.resetMidBody = true;
    sim->faults(Listener::Web).set(f);
    EXPECT_NE(PEL_RT_RestartService(handle), PELUTIL_OK);
}

TEST(PelutilArguments, BadInputIsAnErrorNeverACrash) {
    PELHANDLE h = PELUtil_Init(0, 0, 0, nullptr);
    ASSERT_NE(h, nullptr);
    const PELHANDLE invented = reinterpret_cast<PELHANDLE>(static_cast<std::uintptr_t>(0xDEADBEEF));
    char small[1];
    char level[PELUTIL_API_LEVEL_SIZE];
    uint32_t v = 0;
    struct Case {
        const char* label;
        int result;
        int expected;
    };
    const Case cases[] = {
        {"initWithReserved",
         PELUtil_Init(1, 0, 0, nullptr) == nullptr ? PELUTIL_E_ARGUMENT : PELUTIL_OK,
         PELUTIL_E_ARGUMENT},
        {"nullHandle", PEL_RT_EnableFerrovane(nullptr, 1), PELUTIL_E_HANDLE},
        {"inventedHandle", PEL_RT_RestartService(invented), PELUTIL_E_HANDLE},
        {"freeInvented", PELUtil_FreeHandle(invented), PELUTIL_E_HANDLE},
        {"noHostYet", PEL_RT_EnableFerrovane(h, 1), PELUTIL_E_NO_HOST},
        {"nullHost", PELUtil_HostAddress(h, nullptr, 80, 0), PELUTIL_E_ARGUMENT},
        {"emptyHost", PELUtil_HostAddress(h, "", 80, 0), PELUTIL_E_ARGUMENT},
        {"hostWithLineBreak", PELUtil_HostAddress(h, "a\r\nb", 80, 0), PELUTIL_E_ARGUMENT},
        {"portZero", PELUtil_HostAddress(h, "127.0.0.1", 0, 0), PELUTIL_E_ARGUMENT},
        {"portTooBig", PELUtil_HostAddress(h, "127.0.0.1", 70000, 0), PELUTIL_E_ARGUMENT},
        {"httpsFlagTwo", PELUtil_HostAddress(h, "127.0.0.1", 80, 2), PELUTIL_E_ARGUMENT},
        {"nullUser", PELUtil_Authorization(h, nullptr, "x"), PELUTIL_E_ARGUMENT},
        {"nullPassword", PELUtil_Authorization(h, "x", nullptr), PELUTIL_E_ARGUMENT},
        {"nullWanOutput", PEL_RT_GetDetectWanIPConfig(h, &v, &v, nullptr, &v, &v),
         PELUTIL_E_ARGUMENT},
        {"nullText", PELUtil_InetNtoA(1, nullptr), PELUTIL_E_ARGUMENT},
        {"shortText", PELUtil_InetNtoA_s(0xFFFFFFFF, small, sizeof small), PELUTIL_E_ARGUMENT},
        {"nullLevel", PEL_RT_GetDomiraAPILevelExt(h, nullptr), PELUTIL_E_ARGUMENT},
        {"shortLevel", PEL_RT_GetDomiraAPILevelExt_s(h, level, 1), PELUTIL_E_ARGUMENT},
        {"nullDdnsHost", PEL_RT_SetDDNSService(h, 1, nullptr), PELUTIL_E_ARGUMENT},
        {"ddnsHostWithBlank", PEL_RT_SetDDNSService(h, 1, "a b"), PELUTIL_E_ARGUMENT},
        {"nullJson", PEL_RT_SetDDNSConfig(h, nullptr), PELUTIL_E_ARGUMENT},
        {"jsonWithLineBreak", PEL_RT_SetDDNSConfig(h, "{}\nENABLEFV 0"), PELUTIL_E_ARGUMENT},
        {"enableTwo", PEL_RT_EnableFerrovane(h, 2), PELUTIL_E_ARGUMENT},
        {"trackEventNullHandle", PELUtil_HTTPTrackEvent(nullptr, nullptr), PELUTIL_E_HANDLE},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.result, c.expected) << c.label;
    EXPECT_EQ(PELUtil_FreeHandle(h), PELUTIL_OK);
    EXPECT_EQ(PELUtil_FreeHandle(h), PELUTIL_E_HANDLE);
    EXPECT_EQ(PEL_RT_EnableFerrovane(h, 1), PELUTIL_E_HANDLE);
}

TEST(PelutilArguments, InetNtoAWritesMostSignificantByteFirst) {
    char text[PELUTIL_INET_TEXT_SIZE];
    for (const auto& [value, dotted] : std::vector<std::pair<uint32_t, std::string>>{
             {0, "0.0.0.0"}, {0xC0A80101, "192.168.1.1"}, {0xFFFFFFFF, "255.255.255.255"}}) {
        ASSERT_EQ(PELUtil_InetNtoA(value, text), PELUTIL_OK);
        EXPECT_EQ(std::string(text), dotted);
    }
}

TEST(PelutilArguments, RefusedConnectionIsANetworkError) {
    Simulator sim;
    ASSERT_TRUE(sim.start());
    const auto closedPort = sim.port(Listener::Web);
    sim.stop();
    PELHANDLE h = PELUtil_Init(0, 0, 0, nullptr);
    ASSERT_EQ(PELUtil_HostAddress(h, "127.0.0.1", closedPort, 0), PELUTIL_OK);
    EXPECT_EQ(PELUtil_Authorization(h, "admin", "admin"), PELUTIL_E_NETWORK);
    PELUtil_FreeHandle(h);
}

}  // namespace
}  // namespace routersim::test
