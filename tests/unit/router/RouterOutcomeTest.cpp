// The one classification of a router exchange: every kind from the responses the HTTP client
// and the test fakes leave, and the order that decides when a text names several codes.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "router/RouterOutcome.h"

namespace fv {
namespace {

using Expecting = RouterOutcome::Expecting;

enum Flags { kNone = 0, kOk = 1, kReplied = 2, kTimedOut = 4, kCancelled = 8 };

struct Case {
    const char* what;
    int flags;
    int statusCode;
    const char* statusText;
    const char* failureText;
    const char* body;
    Expecting expecting;
    FailureKind kind;
};

HttpResponse responseOf(const Case& c) {
    HttpResponse res;
    res.ok = c.flags & kOk;
    res.replied = c.flags & kReplied;
    res.timedOut = c.flags & kTimedOut;
    res.cancelled = c.flags & kCancelled;
    res.statusCode = c.statusCode;
    res.statusText = c.statusText;
    res.failureText = c.failureText;
    res.body = c.body;
    return res;
}

constexpr int kAnswered = kOk | kReplied;
constexpr Expecting kAny = Expecting::AnyPage;
constexpr Expecting kReport = Expecting::Report;

// What the HTTP client leaves for each way an exchange ends.
const Case kClientCases[] = {
    {"200", kAnswered, 200, "HTTP/1.1 200 OK", "", "page", kAny, FailureKind::None},
    {"204 is no 200", kAnswered, 204, "HTTP/1.1 204 No Content", "", "", kAny,
     FailureKind::OtherStatus},
    {"307", kReplied, 307, "HTTP/1.1 307 Temporary Redirect", "HTTP/1.1 307 Temporary Redirect", "",
     kAny, FailureKind::Redirect},
    {"404", kReplied, 404, "HTTP/1.1 404 Not Found", "HTTP/1.1 404 Not Found", "", kAny,
     FailureKind::NotFound},
    {"401", kReplied, 401, "HTTP/1.1 401 Unauthorized", "HTTP/1.1 401 Unauthorized", "", kAny,
     FailureKind::Unauthorized},
    {"600", kReplied, 600, "HTTP/1.1 600 Another user is logged in",
     "HTTP/1.1 600 Another user is logged in", "", kAny, FailureKind::Busy},
    {"500", kReplied, 500, "HTTP/1.1 500 Internal Server Error",
     "HTTP/1.1 500 Internal Server Error", "", kAny, FailureKind::OtherStatus},
    {"refused", kNone, 0, "", "Socket Error # 10061 Connection refused", "", kAny,
     FailureKind::Refused},
    {"host not found", kNone, 0, "", "Socket Error # 11001 Name or service not known", "", kAny,
     FailureKind::HostNotFound},
    {"unreachable", kNone, 0, "", "Socket Error # 10065 No route to host", "", kAny,
     FailureKind::Other},
    {"connect time-out", kTimedOut, 0, "", "Connect timed out.", "", kAny, FailureKind::TimedOut},
    {"read time-out", kReplied | kTimedOut, 500, "HTTP/1.1 500 Oops", "Read timed out.", "", kAny,
     FailureKind::TimedOut},
    {"too large", kReplied, 200, "HTTP/1.1 201 Created", "Reply too large", "", kAny,
     FailureKind::TooLarge},
    {"cancelled", kCancelled, 0, "", "Cancelled", "", kAny, FailureKind::Cancelled},
    {"closed", kNone, 0, "", "Connection Closed Gracefully.", "", kAny,
     FailureKind::ConnectionClosed},
    {"reset", kReplied, 200, "HTTP/1.1 202 Accepted", "Socket Error # 10054 Connection reset", "",
     kAny, FailureKind::ConnectionClosed},
    {"invalid address", kNone, 0, "", "Invalid address", "", kAny, FailureKind::Other},
    {"nothing at all", kNone, 0, "", "", "", kAny, FailureKind::Other},
};

// The report page and the rules that only texts decide.
const Case kTextCases[] = {
    {"other page for a report", kAnswered, 200, "HTTP/1.1 200 OK", "", "<?xml version=\"1.0\"?>",
     kReport, FailureKind::NotAReport},
    {"other page where any page will do", kAnswered, 200, "HTTP/1.1 200 OK", "", "<?xml?>", kAny,
     FailureKind::None},
    {"a report", kAnswered, 200, "HTTP/1.1 200 OK", "", "[\"1\",\"a\"]", kReport,
     FailureKind::None},
    {"an error page is no report", kReplied, 500, "HTTP/1.1 500 X", "HTTP/1.1 500 X", "<?xml?>",
     kReport, FailureKind::OtherStatus},
    {"xml in capitals is a report", kAnswered, 200, "HTTP/1.1 200 OK", "", "?XML", kReport,
     FailureKind::None},
    {"the status line of a timed-out 200 decides", kReplied | kTimedOut, 200, "HTTP/1.1 200 OK",
     "Read timed out.", "", kAny, FailureKind::None},
    {"a failure text only counts on failure", kAnswered, 204, "HTTP/1.1 204 x",
     "Socket Error # 10061", "", kAny, FailureKind::OtherStatus},
    {"a status line that did not arrive", kNone, 0, "HTTP/1.1 200 OK", "", "", kAny,
     FailureKind::Other},
    {"a code anywhere in the status line", kReplied, 499, "HTTP/1.1 499 code 600", "", "", kAny,
     FailureKind::Busy},
    {"socket numbers only count in failures", kReplied, 499, "HTTP/1.1 499 10061", "", "", kAny,
     FailureKind::OtherStatus},
    {"a 307 only the failure names", kNone, 0, "", "HTTP/1.1 307 Temporary Redirect", "", kAny,
     FailureKind::Redirect},
    {"a 404 only the failure names", kNone, 0, "", "HTTP/1.1 404", "", kAny, FailureKind::NotFound},
    {"a 401 only the failure names", kNone, 0, "", "HTTP/1.1 401 Unauthorized", "", kAny,
     FailureKind::Unauthorized},
    {"a 600 only the failure names", kNone, 0, "", "HTTP/1.1 600 Busy", "", kAny,
     FailureKind::Busy},
    {"200 before 401", kReplied, 401, "HTTP/1.1 401 Unauthorized 200", "", "", kAny,
     FailureKind::None},
    {"307 before 401", kReplied, 307, "HTTP/1.1 307 401", "", "", kAny, FailureKind::Redirect},
    {"404 before 401", kReplied, 404, "HTTP/1.1 404 401", "", "", kAny, FailureKind::NotFound},
    {"401 before 600", kReplied, 600, "HTTP/1.1 600 Busy 401", "", "", kAny,
     FailureKind::Unauthorized},
    {"401 before 10061", kNone, 0, "", "HTTP/1.1 401 x 10061", "", kAny, FailureKind::Unauthorized},
    {"600 before 10061", kNone, 0, "", "HTTP/1.1 600 x 10061", "", kAny, FailureKind::Busy},
    {"10061 before 11001", kNone, 0, "", "Socket Error # 10061 11001", "", kAny,
     FailureKind::Refused},
    {"10061 before a failure's 307", kNone, 0, "", "HTTP/1.1 307 x 10061", "", kAny,
     FailureKind::Refused},
    {"11001 before a failure's 404", kNone, 0, "", "HTTP/1.1 404 x 11001", "", kAny,
     FailureKind::HostNotFound},
    {"codes before the transport's flags", kCancelled, 0, "", "Socket Error # 10061", "", kAny,
     FailureKind::Refused},
};

class Classification : public ::testing::TestWithParam<Case> {};

TEST_P(Classification, Kind) {
    const Case c = GetParam();
    EXPECT_EQ(RouterOutcome::of(responseOf(c), c.expecting).kind, c.kind);
}

std::string nameOf(const ::testing::TestParamInfo<Case>& info) {
    std::string name;
    for (const char* p = info.param.what; *p; ++p)
        name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Client, Classification, ::testing::ValuesIn(kClientCases), nameOf);
INSTANTIATE_TEST_SUITE_P(Texts, Classification, ::testing::ValuesIn(kTextCases), nameOf);

TEST(RouterOutcome, KeepsTheTextsAndTheStatusThatArrived) {
    HttpResponse res;
    res.replied = true;
    res.statusCode = 307;
    res.statusText = "HTTP/1.1 307 Temporary Redirect";
    res.failureText = "HTTP/1.1 307 Temporary Redirect";
    const RouterOutcome outcome = RouterOutcome::of(res);
    EXPECT_EQ(outcome.httpStatus, 307);
    EXPECT_EQ(outcome.statusText, "HTTP/1.1 307 Temporary Redirect");
    EXPECT_EQ(outcome.failureText, "HTTP/1.1 307 Temporary Redirect");

    HttpResponse refused;
    refused.statusCode = 7;  // whatever the client left, no status line arrived
    refused.failureText = "Socket Error # 10061 Connection refused";
    const RouterOutcome none = RouterOutcome::of(refused);
    EXPECT_EQ(none.httpStatus, 0);
    EXPECT_EQ(none.statusText, "");
    EXPECT_EQ(none.failureText, "Socket Error # 10061 Connection refused");
}

TEST(RouterOutcome, OtherPagesAreRecognised) {
    const struct {
        const char* body;
        bool other;
    } cases[] = {
        {"<?xml version=\"1.0\"?><html/>", true},
        {"[\"1\",\"a?xml\"]", true},
        {"[\"1\",\"a\"]", false},
        {"", false},
        {"?XML", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RouterOutcome::isOtherPage(c.body), c.other) << c.body;
}

}  // namespace
}  // namespace fv
