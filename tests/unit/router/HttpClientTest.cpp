// The libcurl client against a loopback server made here: what goes on the wire and how
// replies and network failures become status and failure texts.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <regex>

#include "LoopbackServer.h"
#include "platform/HttpClient.h"
#include "platform/MultipartBody.h"

namespace fv {
namespace {

using test::CannedReply;
using test::LoopbackServer;

HttpRequest getOf(const std::string& url, int readMs = 2000) {
    HttpRequest req;
    req.url = url;
    req.connectTimeoutMs = 2000;
    req.readTimeoutMs = readMs;
    return req;
}

int countOf(const std::string& text, const std::string& part) {
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

TEST(HttpClient, SendsPathAndHeaderLinesExactly) {
    LoopbackServer server({{LoopbackServer::reply("HTTP/1.1 200 OK", {}, "body")}});
    HttpRequest req = getOf(server.base() + "//ferrovane//fv_apply.cgi?a=1&t=3");
    req.setHeader("Connection", "Keep-Alive");
    req.setHeader("Cache-control", "no-cache");
    req.setHeader("User-Agent", "KOVAFVUtility/2.2");
    req.setHeader("Cookie", "AuthByPasswd=tok");
    req.setHeader("Host", "router.example:8081");
    req.setHeader("Accept-Encoding", "gzip, deflate");

    const HttpResponse res = HttpClient().perform(req);
    ASSERT_TRUE(res.ok) << res.failureText;
    EXPECT_EQ(res.body, "body");
    ASSERT_EQ(server.requests().size(), 1u);
    const std::string raw = server.requests()[0];
    EXPECT_EQ(raw.rfind("GET //ferrovane//fv_apply.cgi?a=1&t=3 HTTP/1.1\r\n", 0), 0u) << raw;
    for (const char* line :
         {"\r\nConnection: Keep-Alive\r\n", "\r\nCache-control: no-cache\r\n",
          "\r\nUser-Agent: KOVAFVUtility/2.2\r\n", "\r\nCookie: AuthByPasswd=tok\r\n",
          "\r\nHost: router.example:8081\r\n", "\r\nAccept-Encoding: gzip, deflate\r\n"}) {
        EXPECT_EQ(countOf(raw, line), 1) << line << " in\n" << raw;
    }
    EXPECT_EQ(countOf(raw, "\r\nHost:"), 1);
}

struct StatusCase {
    const char* statusLine;
    bool ok;
    const char* code;  // must appear in the failure text; "" for none
};

class HttpClientStatus : public ::testing::TestWithParam<StatusCase> {};

TEST_P(HttpClientStatus, StatusLineAndFailureText) {
    const StatusCase c = GetParam();
    LoopbackServer server(
        {{LoopbackServer::reply(c.statusLine, {"Set-Cookie: AuthByPasswd=x; path=/"}, "page")}});
    const HttpResponse res = HttpClient().perform(getOf(server.base() + "/x"));
    EXPECT_TRUE(res.replied);
    EXPECT_EQ(res.ok, c.ok);
    EXPECT_EQ(res.statusText, c.statusLine);
    ASSERT_FALSE(res.headerLines.empty());
    EXPECT_EQ(res.headerLines[0], "Set-Cookie: AuthByPasswd=x; path=/");
    if (c.ok) {
        EXPECT_TRUE(res.failureText.empty()) << res.failureText;
    } else {
        EXPECT_NE(res.failureText.find(c.code), std::string::npos) << res.failureText;
    }
}

INSTANTIATE_TEST_SUITE_P(Replies, HttpClientStatus,
                         ::testing::Values(StatusCase{"HTTP/1.1 200 OK", true, ""},
                                           StatusCase{"HTTP/1.1 204 No Content", true, ""},
                                           StatusCase{"HTTP/1.1 401 Unauthorized", false, "401"},
                                           StatusCase{"HTTP/1.1 404 Not Found", false, "404"},
                                           StatusCase{"HTTP/1.1 500 Internal Server Error", false,
                                                      "500"},
                                           StatusCase{"HTTP/1.1 600 Busy", false, "600"}));

TEST(HttpClient, RedirectIsAFailureAndNotFollowed) {
    LoopbackServer target({{LoopbackServer::reply("HTTP/1.1 200 OK")}});
    LoopbackServer server({{LoopbackServer::reply("HTTP/1.1 307 Temporary Redirect",
                                                  {"Location: " + target.base() + "/moved"})}});
    const HttpResponse res = HttpClient().perform(getOf(server.base() + "/"));
    EXPECT_FALSE(res.ok);
    EXPECT_EQ(res.statusCode, 307);
    EXPECT_NE(res.failureText.find("307"), std::string::npos);
    EXPECT_TRUE(target.requests().empty());
}

// Failure texts never carry digits of their own that a code search could mistake.
bool hasDigits(const std::string& text) {
    return std::regex_search(text, std::regex("[0-9]"));
}

TEST(HttpClient, RefusedConnectionCarries10061) {
    const uint16_t port = test::closedLoopbackPort();
    const HttpResponse res =
        HttpClient().perform(getOf("http://127.0.0.1:" + std::to_string(port) + "/"));
    EXPECT_FALSE(res.replied);
    EXPECT_NE(res.failureText.find("10061"), std::string::npos) << res.failureText;
    EXPECT_EQ(res.failureText.find(std::to_string(port)), std::string::npos);
}

TEST(HttpClient, UnresolvableNameCarries11001) {
    const HttpResponse res = HttpClient().perform(getOf("http://no-such-router.invalid:8081/"));
    EXPECT_FALSE(res.ok);
    EXPECT_NE(res.failureText.find("11001"), std::string::npos) << res.failureText;
}

TEST(HttpClient, SilenceLongerThanReadTimeoutFailsWithoutCode) {
    LoopbackServer server({{"", 0, false, true}});
    const auto start = std::chrono::steady_clock::now();
    const HttpResponse res = HttpClient().perform(getOf(server.base() + "/", 300));
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_TRUE(res.timedOut);
    EXPECT_FALSE(res.replied);
    EXPECT_FALSE(hasDigits(res.failureText)) << res.failureText;
    EXPECT_GE(elapsed, std::chrono::milliseconds(250));
    EXPECT_LT(elapsed, std::chrono::milliseconds(1000));
}

// A peer that sends a byte now and then never lets the silence time-out fire; the overall
// deadline still ends the exchange.
TEST(HttpClient, DrippingReplyEndsAtTheOverallDeadline) {
    CannedReply drip{LoopbackServer::reply("HTTP/1.1 200 OK", {}, std::string(400, 'x'))};
    drip.dripMs = 20;
    LoopbackServer server({drip});
    HttpRequest req = getOf(server.base() + "/", 300);
    req.totalTimeoutMs = 600;
    const auto start = std::chrono::steady_clock::now();
    const HttpResponse res = HttpClient().perform(req);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_FALSE(res.ok);
    EXPECT_TRUE(res.timedOut);
    EXPECT_GE(elapsed, std::chrono::milliseconds(550));
    EXPECT_LT(elapsed, std::chrono::milliseconds(1500));
}

TEST(HttpClient, DeadlineFollowsTheTimeOutsAndTheBody) {
    HttpRequest req;
    req.connectTimeoutMs = 2000;
    req.readTimeoutMs = 4000;
    EXPECT_EQ(req.deadlineMs(), 14000);
    req.body.assign(64 * 1000, 'b');
    EXPECT_EQ(req.deadlineMs(), 15000);
    req.totalTimeoutMs = 700;
    EXPECT_EQ(req.deadlineMs(), 700);
}

TEST(HttpClient, ReplyWithinReadTimeoutSucceeds) {
    CannedReply slow{LoopbackServer::reply("HTTP/1.1 200 OK", {}, "late"), 300};
    LoopbackServer server({slow});
    const HttpResponse res = HttpClient().perform(getOf(server.base() + "/", 1500));
    EXPECT_TRUE(res.ok) << res.failureText;
    EXPECT_EQ(res.body, "late");
}

TEST(HttpClient, ConnectionClosedWithoutReplyIsAFailureWithoutCode) {
    LoopbackServer server({{"", 0, true}});
    const HttpResponse res = HttpClient().perform(getOf(server.base() + "/"));
    EXPECT_FALSE(res.replied);
    EXPECT_FALSE(res.ok);
    EXPECT_FALSE(res.failureText.empty());
    EXPECT_FALSE(hasDigits(res.failureText)) << res.failureText;
}

TEST(HttpClient, ProxyFromEnvironmentIsIgnored) {
    LoopbackServer server({{LoopbackServer::reply("HTTP/1.1 200 OK", {}, "direct")}});
    const std::string proxy = "http://127.0.0.1:" + std::to_string(test::closedLoopbackPort());
    for (const char* name : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"})
        ::setenv(name, proxy.c_str(), 1);
    const HttpResponse res = HttpClient().perform(getOf(server.base() + "/p"));
    for (const char* name : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"})
        ::unsetenv(name);
    EXPECT_TRUE(res.ok) << res.failureText;
    EXPECT_EQ(res.body, "direct");
    EXPECT_EQ(server.requests().size(), 1u);
}

TEST(HttpClient, ReplyLargerThanCapFails) {
    LoopbackServer server({{LoopbackServer::reply("HTTP/1.1 200 OK", {}, std::string(5000, 'x'))}});
    HttpRequest req = getOf(server.base() + "/");
    req.maxBodyBytes = 1000;
    const HttpResponse res = HttpClient().perform(req);
    EXPECT_FALSE(res.ok);
    EXPECT_FALSE(res.failureText.empty());
}

TEST(HttpClient, CancelledBeforeReplyFails) {
    LoopbackServer server({{"", 0, false, true}});
    HttpRequest req = getOf(server.base() + "/", 5000);
    req.cancel = std::make_shared<std::atomic<bool>>(true);
    const HttpResponse res = HttpClient().perform(req);
    EXPECT_TRUE(res.cancelled);
    EXPECT_FALSE(res.ok);
}

TEST(HttpClient, LineBreaksNeverReachTheWire) {
    LoopbackServer server({{LoopbackServer::reply("HTTP/1.1 200 OK")}});
    HttpRequest req = getOf(server.base() + "/ok");
    req.setHeader("Cookie", "AuthByPasswd=a\r\nX-Injected: 1");
    req.setHeader("User-Agent", "KOVAFVUtility/2.2");
    EXPECT_TRUE(HttpClient().perform(req).ok);
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(countOf(server.requests()[0], "X-Injected"), 0);
    EXPECT_EQ(countOf(server.requests()[0], "\r\nUser-Agent: KOVAFVUtility/2.2\r\n"), 1);

    const HttpResponse bad = HttpClient().perform(getOf(server.base() + "/x\r\nHost: evil"));
    EXPECT_FALSE(bad.ok);
    EXPECT_EQ(server.requests().size(), 1u);
}

TEST(HttpClient, MultipartPostArrivesByteForByte) {
    LoopbackServer server({{LoopbackServer::reply("HTTP/1.1 200 OK", {}, "Success")}});
    const std::string file("d8:announce\0\xff\r\n--x", 18);
    MultipartBody mp("BOUNDARYxyz");
    mp.addFile("filename", "12345.torrent", "application/x-bittorrent", file, "binary");
    HttpRequest req = getOf(server.base() + "//ferrovane//fv_uploadbt.cgi");
    req.method = HttpRequest::Method::Post;
    req.body = mp.bytes();
    req.contentType = mp.contentType();
    const HttpResponse res = HttpClient().perform(req);
    ASSERT_TRUE(res.ok) << res.failureText;

    const std::string expectedBody =
        "--BOUNDARYxyz\r\n"
        "Content-Disposition: form-data; name=\"filename\"; filename=\"12345.torrent\"\r\n"
        "Content-Type: application/x-bittorrent\r\n"
        "Content-Transfer-Encoding: binary\r\n\r\n" +
        file + "\r\n--BOUNDARYxyz--\r\n";
    const std::string raw = server.requests().at(0);
    const size_t headEnd = raw.find("\r\n\r\n");
    ASSERT_NE(headEnd, std::string::npos);
    EXPECT_EQ(raw.substr(headEnd + 4), expectedBody);
    EXPECT_EQ(raw.rfind("POST //ferrovane//fv_uploadbt.cgi HTTP/1.1\r\n", 0), 0u);
    EXPECT_EQ(countOf(raw, "\r\nContent-Type: multipart/form-data; boundary=BOUNDARYxyz\r\n"), 1);
    EXPECT_EQ(countOf(raw, "Expect:"), 0);
}

}  // namespace
}  // namespace fv
