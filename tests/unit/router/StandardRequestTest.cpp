// The request pattern on the wire: headers, the single Authorization, the session cookie,
// the cache-breaking digit, paths kept as given, and the login run first when needed.
#include <gtest/gtest.h>

#include <chrono>
#include <regex>
#include <set>

#include "LoopbackServer.h"
#include "platform/DebugLog.h"
#include "router/LoginEncoding.h"
#include "router/StandardRequest.h"

namespace fv {
namespace {

using test::LoopbackServer;

int countOf(const std::string& text, const std::string& part) {
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

ConnectionProfile connectionTo(uint16_t port) {
    ConnectionProfile conn;
    conn.ServerAddress = "127.0.0.1";
    conn.ServerPort = QString::number(port);
    conn.UserName = "admin";
    conn.Password = "pa:ss";
    return conn;
}

TEST(StandardRequest, HeadersOnTheWire) {
    LoopbackServer server({{LoopbackServer::reply("HTTP/1.1 200 OK", {}, "ok")}});
    SettingsRecords records;
    records.setConnection(connectionTo(server.port()));
    records.setSessionTokenHeader("Cookie: AuthByPasswd=tok9");
    RouterContext ctx(records);
    const ConnectionProfile conn = records.connection();

    const HttpResponse res =
        performStandardGet(ctx, conn, request_kind::TaskCommand,
                           "//ferrovane//fv_apply.cgi?cmd=1" + makeCacheBreaker());
    ASSERT_TRUE(res.ok) << res.failureText;
    ASSERT_EQ(server.requests().size(), 1u);
    const std::string raw = server.requests()[0];
    const std::string hostPort = "127.0.0.1:" + std::to_string(server.port());

    EXPECT_TRUE(std::regex_search(
        raw, std::regex("^GET //ferrovane//fv_apply\\.cgi\\?cmd=1&t=[0-9] HTTP/1\\.1\r\n")))
        << raw;
    const std::string lines[] = {
        "Connection: Keep-Alive",
        "Cache-control: no-cache",
        "Authorization: Basic " + base64Encode(std::string("admin:pa:ss")),
        "Cookie: AuthByPasswd=tok9",
        "Host: " + hostPort,
        "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, "
        "application/x-shockwave-flash, */*",
        "Accept-Encoding: gzip, deflate",
        "Accept-Language: zh-tw",
        "Referer: http://" + hostPort,
        "User-Agent: KOVAFVUtility/2.2",
    };
    for (const std::string& line : lines)
        EXPECT_EQ(countOf(raw, "\r\n" + line + "\r\n"), 1) << line << "\n" << raw;
    EXPECT_EQ(countOf(raw, "Authorization:"), 1);
    EXPECT_EQ(countOf(raw, "Xq7LpR2vNw9KcT4="), 0);
    EXPECT_EQ(countOf(raw, "Content-Type:"), 0);
}

TEST(StandardRequest, NoCookieWithoutSessionAndNoLoginWhenNotAsked) {
    LoopbackServer server({{LoopbackServer::reply("HTTP/1.1 200 OK")}});
    SettingsRecords records;
    records.setConnection(connectionTo(server.port()));
    RouterContext ctx(records);
    performStandardGet(ctx, records.connection(), request_kind::GeneralSettingsRead, "/x");
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(countOf(server.requests()[0], "Cookie"), 0);
    EXPECT_EQ(server.requests()[0].rfind("GET /x HTTP/1.1", 0), 0u);
}

TEST(StandardRequest, LogsInFirstAndSendsTheNewCookie) {
    LoopbackServer server({
        {LoopbackServer::reply("HTTP/1.1 200 OK", {"Set-Cookie: AuthByPasswd=fresh42; path=/"})},
        {LoopbackServer::reply("HTTP/1.1 200 OK", {}, "list")},
    });
    SettingsRecords records;
    records.setConnection(connectionTo(server.port()));
    RouterContext ctx(records);
    const HttpResponse res =
        performStandardGet(ctx, records.connection(), request_kind::TaskListFetch, "/status.cgi");
    EXPECT_EQ(res.body, "list");
    ASSERT_EQ(server.requests().size(), 2u);
    EXPECT_EQ(server.requests()[0].rfind("GET /check.asp?", 0), 0u) << server.requests()[0];
    EXPECT_EQ(countOf(server.requests()[1], "\r\nCookie: AuthByPasswd=fresh42\r\n"), 1);
    EXPECT_EQ(records.sessionTokenHeader(), "Cookie: AuthByPasswd=fresh42");
}

TEST(StandardRequest, CacheBreakerDigitFollowsTheSecond) {
    std::set<int> digits;
    for (long long second = 1700000000; second < 1700000100; ++second) {
        const int digit = cacheBreakerDigit(second);
        EXPECT_EQ(cacheBreakerDigit(second), digit);
        EXPECT_GE(digit, 0);
        EXPECT_LE(digit, 9);
        digits.insert(digit);
    }
    EXPECT_GT(digits.size(), 5u);

    using namespace std::chrono;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const auto before = duration_cast<seconds>(system_clock::now().time_since_epoch());
        const std::string a = makeCacheBreaker();
        const std::string b = makeCacheBreaker();
        const auto after = duration_cast<seconds>(system_clock::now().time_since_epoch());
        if (before != after)
            continue;  // crossed a second boundary; try again
        EXPECT_EQ(a, b);
        EXPECT_EQ(a, "&t=" + std::to_string(cacheBreakerDigit(before.count())));
        return;
    }
    FAIL() << "never stayed inside one second";
}

TEST(StandardRequest, AddHeaderLineReplacesSameName) {
    HttpRequest req;
    req.setHeader("Authorization", "Basic Xq7LpR2vNw9KcT4=");
    addHeaderLine(req, "authorization: Basic abc");
    addHeaderLine(req, "Cookie: AuthByPasswd=t");
    addHeaderLine(req, "no colon here");
    EXPECT_EQ(req.headers,
              (std::vector<std::string>{"authorization: Basic abc", "Cookie: AuthByPasswd=t"}));
}

}  // namespace
}  // namespace fv
