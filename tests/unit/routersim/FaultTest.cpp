// Faults switched on and off while the simulator runs.
#include <chrono>
#include <thread>

#include "SimFixture.h"

namespace routersim::test {
namespace {

using Clock = std::chrono::steady_clock;

class FaultTest : public SimFixture {
  protected:
    void SetUp() override {
        SimFixture::SetUp();
        Task t;
        t.name = "report task";
        t.sizeBytes = 10;
        sim->board().add(t);
    }
    std::string request(
        const std::string& target = "/ferrovane/fv_print_status.cgi?action_mode=All&t=1") {
        return buildRequest("GET", target, {basicHeader(kUser, kPassword)});
    }
};

TEST_F(FaultTest, RefusedConnectionsFollowTheSwitch) {
    sim->faults(Listener::Service).setRefuse(true);
    const auto refused = exchange(port(), request());
    EXPECT_FALSE(refused.connected);
    EXPECT_EQ(refused.error, ECONNREFUSED);
    sim->faults(Listener::Service).setRefuse(false);
    EXPECT_EQ(statusCode(parseReply(exchange(port(), request()).bytes)), "200");
}

TEST_F(FaultTest, DelayOutlastsAClientTimeOut) {
    Faults f;
    f.delayMs = 600;
    sim->faults(Listener::Service).set(f);
    const auto start = Clock::now();
    const auto reply = exchange(port(), request(), false, 200);
    EXPECT_TRUE(reply.bytes.empty());
    EXPECT_EQ(reply.error, EAGAIN);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(500));
}

TEST_F(FaultTest, DripDeliversTheWholeReplySlowly) {
    const std::string whole = exchange(port(), request()).bytes;
    Faults f;
    f.dripChunkBytes = 64;
    f.dripIntervalMs = 20;
    sim->faults(Listener::Service).set(f);
    const auto start = Clock::now();
    const auto dripped = exchange(port(), request());
    const auto chunks = (whole.size() + 63) / 64;
    EXPECT_EQ(dripped.bytes, whole);
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(20 * (chunks - 1)));
}

TEST_F(FaultTest, ResetMidBodyCutsTheReply) {
    for (int i = 0; i < 20; ++i) {
        Task t;
        t.name = "padding task " + std::to_string(i);
        sim->board().add(t);
    }
    Faults f;
    f.resetMidBody = true;
    sim->faults(Listener::Service).set(f);
    const auto reply = exchange(port(), request());
    const auto parsed = parseReply(reply.bytes);
    EXPECT_EQ(reply.error, ECONNRESET);
    std::string declared;
    for (const auto& h : parsed.headerLines) {
        if (h.starts_with("Content-Length: "))
            declared = h.substr(16);
    }
    ASSERT_FALSE(declared.empty());
    EXPECT_LT(parsed.body.size(), std::stoul(declared));
}

struct ReplyFault {
    const char* label;
    Faults faults;
    const char* statusLine;
    const char* bodyContains;
};

Faults withStatus(const char* line) {
    Faults f;
    f.statusLine = line;
    return f;
}

Faults withReportLine(const char* line) {
    Faults f;
    f.reportLine = line;
    return f;
}

class ReplyFaults : public FaultTest, public ::testing::WithParamInterface<ReplyFault> {};

TEST_P(ReplyFaults, ShapeTheReply) {
    sim->faults(Listener::Service).set(GetParam().faults);
    const auto reply = parseReply(exchange(port(), request()).bytes);
    EXPECT_EQ(reply.statusLine, GetParam().statusLine);
    EXPECT_NE(reply.body.find(GetParam().bodyContains), std::string::npos) << reply.body;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ReplyFaults,
    ::testing::Values(ReplyFault{"status600", withStatus("HTTP/1.1 600 Busy"), "HTTP/1.1 600 Busy",
                                 "report task"},
                      ReplyFault{"status200InReason", withStatus("HTTP/1.1 500 Error 200"),
                                 "HTTP/1.1 500 Error 200", "report task"},
                      ReplyFault{"xmlPage", Faults::xmlPage(), "HTTP/1.1 200 OK", "?xml"},
                      ReplyFault{"malformedLine", withReportLine(",[\"1\",\"short\"]"),
                                 "HTTP/1.1 200 OK", "\"]\n,[\"1\",\"short\"]"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(FaultTest, CountedFaultAppliesOnlyToItsRequests) {
    Faults f = withStatus("HTTP/1.1 503 Service Unavailable");
    f.remaining = 2;
    sim->faults(Listener::Service).set(f);
    std::vector<std::string> codes;
    for (int i = 0; i < 3; ++i)
        codes.push_back(statusCode(parseReply(exchange(port(), request()).bytes)));
    EXPECT_EQ(codes, (std::vector<std::string>{"503", "503", "200"}));
}

TEST_F(FaultTest, TargetFilterSparesOtherScripts) {
    Faults f = withStatus("HTTP/1.1 404 Not Found");
    f.onlyTarget = "fv_print_status.cgi";
    sim->faults(Listener::Service).set(f);
    EXPECT_EQ(statusCode(parseReply(exchange(port(), request()).bytes)), "404");
    EXPECT_EQ(statusCode(parseReply(exchange(port(), request("/")).bytes)), "200");
}

TEST_F(FaultTest, ClearingRestoresNormalReplies) {
    sim->faults(Listener::Service).set(Faults::xmlPage());
    sim->clearFaults();
    const auto reply = parseReply(exchange(port(), request()).bytes);
    EXPECT_EQ(reply.body.find("?xml"), std::string::npos);
    EXPECT_NE(reply.body.find("report task"), std::string::npos);
}

TEST_F(FaultTest, StopDoesNotWaitForADelayedReply) {
    Faults f;
    f.delayMs = 20000;
    sim->faults(Listener::Service).set(f);
    std::thread client([this] { exchange(port(), request(), false, 5000); });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const auto start = Clock::now();
    sim->stop();
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(1000));
    client.join();
}

TEST_F(FaultTest, FaultsStayOnTheirListener) {
    sim->faults(Listener::Web).set(withStatus("HTTP/1.1 500 Internal Server Error"));
    EXPECT_EQ(statusCode(parseReply(exchange(port(), request()).bytes)), "200");
    EXPECT_EQ(statusCode(fetch(port(Listener::Web), buildRequest("GET", "/update_applist.asp"))),
              "500");
}

}  // namespace
}  // namespace routersim::test
