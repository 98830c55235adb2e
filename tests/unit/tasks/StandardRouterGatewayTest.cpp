// The gateway gives every reply its outcome, classified from the response the transport
// left, and keeps it for a caller that asks afterwards why a request failed.
#include <gtest/gtest.h>

#include "platform/HttpTransport.h"
#include "tasks/StandardRouterGateway.h"

namespace fv {
namespace {

class OneReplyTransport final : public HttpTransport {
  public:
    explicit OneReplyTransport(HttpResponse reply) : reply_(std::move(reply)) {}
    HttpResponse perform(const HttpRequest&) override {
        ++calls;
        return reply_;
    }
    int calls = 0;

  private:
    HttpResponse reply_;
};

HttpResponse answered(int code, const std::string& line, const std::string& body) {
    HttpResponse r;
    r.replied = true;
    r.ok = code >= 200 && code < 300;
    r.statusCode = code;
    r.statusText = line;
    r.failureText = r.ok ? std::string() : line;
    r.body = body;
    return r;
}

void setRouter(SettingsRecords& records, const QString& address) {
    ConnectionProfile conn;
    conn.ServerAddress = address;
    conn.ServerPort = "8081";
    records.setConnection(conn);
    // A held session keeps the login out of these requests.
    records.setSessionTokenHeader("Cookie: AuthByPasswd=abc");
}

TEST(StandardRouterGateway, RepliesCarryTheirOutcome) {
    HttpResponse refused;
    refused.failureText = "Socket Error # 10061 Connection refused";
    const struct {
        const char* what;
        HttpResponse response;
        bool expectsReport;
        FailureKind kind;
        int httpStatus;
    } cases[] = {
        {"report", answered(200, "HTTP/1.1 200 OK", "[\"1\"]"), true, FailureKind::None, 200},
        {"other page", answered(200, "HTTP/1.1 200 OK", "<?xml?>"), true, FailureKind::NotAReport,
         200},
        {"other page, any page will do", answered(200, "HTTP/1.1 200 OK", "<?xml?>"), false,
         FailureKind::None, 200},
        {"redirect", answered(307, "HTTP/1.1 307 Temporary Redirect", ""), false,
         FailureKind::Redirect, 307},
        {"refused", refused, false, FailureKind::Refused, 0},
    };
    for (const auto& c : cases) {
        SettingsRecords records;
        setRouter(records, "127.0.0.1");
        OneReplyTransport transport(c.response);
        StandardRouterGateway gateway{RouterContext(records, transport)};
        RouterRequest request;
        request.pathAndQuery = "/x";
        request.expectsReport = c.expectsReport;
        const RouterReply reply = gateway.get(request);
        EXPECT_EQ(reply.kind, c.kind) << c.what;
        EXPECT_EQ(reply.httpStatus, c.httpStatus) << c.what;
        EXPECT_EQ(reply.failureText, c.response.failureText) << c.what;
        EXPECT_EQ(gateway.lastReply().kind, c.kind) << c.what;
    }
}

TEST(StandardRouterGateway, NoAddressAsksNobody) {
    SettingsRecords records;
    setRouter(records, "  ");
    OneReplyTransport transport(answered(200, "HTTP/1.1 200 OK", ""));
    StandardRouterGateway gateway{RouterContext(records, transport)};
    const RouterReply reply = gateway.get(RouterRequest{});
    EXPECT_FALSE(reply.ok);
    EXPECT_EQ(reply.kind, FailureKind::NoAddress);
    EXPECT_EQ(reply.failureText, StandardRouterGateway::kNoAddress);
    EXPECT_EQ(transport.calls, 0);
}

}  // namespace
}  // namespace fv
