// Login, account check and the three refusals (401, 307, 600) of the service port.
#include <thread>

#include "SimFixture.h"
#include "WireText.h"

namespace routersim::test {
namespace {

class AuthTest : public SimFixture {};

TEST_F(AuthTest, LoginPutsTheSessionCookieOnTheFirstHeaderLine) {
    const auto reply = fetch(port(), buildRequest("GET", loginTarget(kUser, kPassword)));
    EXPECT_EQ(reply.statusLine, "HTTP/1.1 200 OK");
    ASSERT_FALSE(reply.headerLines.empty());
    const std::string& first = reply.headerLines.front();
    ASSERT_TRUE(first.starts_with("Set-Cookie: AuthByPasswd=")) << first;
    ASSERT_TRUE(first.ends_with("; path=/")) << first;
    const std::string token = first.substr(25, first.size() - 25 - 8);
    EXPECT_FALSE(token.empty());
    EXPECT_EQ(token.find_first_of("=; "), std::string::npos) << token;
}

TEST_F(AuthTest, EachLoginOpensADifferentSession) {
    const std::string a = login();
    const std::string b = login();
    ASSERT_FALSE(a.empty());
    EXPECT_NE(a, b);
}

struct LoginCase {
    const char* label;
    std::string user;
    std::string password;
    bool otherUser;
    const char* status;
    bool cookie;
};

class LoginOutcome : public SimFixture, public ::testing::WithParamInterface<LoginCase> {};

TEST_P(LoginOutcome, MatchesTheAccount) {
    const auto& c = GetParam();
    sim->auth().setOtherUserLoggedIn(c.otherUser);
    const auto reply = fetch(port(), buildRequest("GET", loginTarget(c.user, c.password)));
    EXPECT_EQ(statusCode(reply), c.status);
    const bool hasCookie = !reply.headerLines.empty() &&
                           reply.headerLines.front().find("AuthByPasswd=") != std::string::npos;
    EXPECT_EQ(hasCookie, c.cookie);
}

INSTANTIATE_TEST_SUITE_P(
    Accounts, LoginOutcome,
    ::testing::Values(LoginCase{"right", kUser, kPassword, false, "200", true},
                      LoginCase{"wrongPassword", kUser, "nope", false, "401", false},
                      LoginCase{"wrongUser", "root", kPassword, false, "401", false},
                      LoginCase{"emptyPassword", kUser, "", false, "401", false},
                      LoginCase{"busy", kUser, kPassword, true, "600", false}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(AuthTest, LoginWithoutAnyAccountFieldsIsRejected) {
    EXPECT_EQ(statusCode(fetch(port(), buildRequest("GET", "/check.asp"))), "401");
    EXPECT_EQ(statusCode(fetch(
                  port(), buildRequest("GET", "/check.asp?login_username=%%%&login_passwd=="))),
              "401");
}

struct GateCase {
    const char* label;
    AuthMode mode;
    bool otherUser;
    int credentials;  // 0 none, 1 plain Basic, 2 Base64-wrapped Basic, 3 the fixed test line, 4
                      // cookie
    const char* target;
    const char* status;
};

class GateOutcome : public SimFixture, public ::testing::WithParamInterface<GateCase> {};

TEST_P(GateOutcome, AnswersWithTheExpectedStatus) {
    const auto& c = GetParam();
    const std::string cookie = login();
    ASSERT_FALSE(cookie.empty());
    sim->auth().setMode(c.mode);
    sim->auth().setOtherUserLoggedIn(c.otherUser);
    std::vector<std::string> lines;
    if (c.credentials == 1)
        lines.push_back(basicHeader(kUser, kPassword));
    if (c.credentials == 2)
        lines.push_back(basicHeader(base64Encode(kUser), base64Encode(kPassword)));
    if (c.credentials == 3)
        lines.push_back("Authorization: Basic Xq7LpR2vNw9KcT4=");
    if (c.credentials == 4)
        lines.push_back(cookie);
    const auto reply = fetch(port(), buildRequest("GET", c.target, lines));
    EXPECT_EQ(statusCode(reply), c.status) << reply.statusLine;
}

constexpr const char* kStatus = "/ferrovane/fv_print_status.cgi?action_mode=All&t=3";
constexpr const char* kGeneral =
    "//ferrovane//fv_apply.cgi?action_mode=initial&download_type=General&t=1";

INSTANTIATE_TEST_SUITE_P(
    Modes, GateOutcome,
    ::testing::Values(GateCase{"basicNone", AuthMode::Basic, false, 0, kStatus, "401"},
                      GateCase{"basicPlain", AuthMode::Basic, false, 1, kStatus, "200"},
                      GateCase{"basicWrappedRoot", AuthMode::Basic, false, 2, "/", "200"},
                      GateCase{"basicFixedLine", AuthMode::Basic, false, 3, "/", "401"},
                      GateCase{"sessionNone", AuthMode::Session, false, 1, kGeneral, "307"},
                      GateCase{"sessionFixedLine", AuthMode::Session, false, 3, "/", "307"},
                      GateCase{"sessionCookie", AuthMode::Session, false, 4, kGeneral, "200"},
                      GateCase{"busyCookie", AuthMode::Session, true, 4, kStatus, "600"},
                      GateCase{"busyBasic", AuthMode::Basic, true, 1, "/", "600"},
                      GateCase{"unknownScript", AuthMode::Basic, false, 1, "/ferrovane/nothing.cgi",
                               "404"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(AuthTest, BusyStatusLineCarriesNoOtherCode) {
    sim->auth().setOtherUserLoggedIn(true);
    const auto reply = get("/");
    EXPECT_EQ(reply.statusLine, "HTTP/1.1 600 Another User Logged In");
}

TEST_F(AuthTest, ExpiredSessionIsRedirectedUntilTheNextLogin) {
    sim->auth().setMode(AuthMode::Session);
    sim->auth().setSessionLifetime(std::chrono::milliseconds(30));
    const std::string cookie = login();
    EXPECT_EQ(statusCode(fetch(port(), buildRequest("GET", kGeneral, {cookie}))), "200");
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    EXPECT_EQ(statusCode(fetch(port(), buildRequest("GET", kGeneral, {cookie}))), "307");
    sim->auth().setSessionLifetime(std::chrono::minutes(5));
    EXPECT_EQ(statusCode(fetch(port(), buildRequest("GET", kGeneral, {login()}))), "200");
}

TEST_F(AuthTest, ExpiringAllSessionsEndsEveryCookie) {
    sim->auth().setMode(AuthMode::Session);
    const std::string cookie = login();
    sim->auth().expireAllSessions();
    const auto reply = fetch(port(), buildRequest("GET", kStatus, {cookie}));
    EXPECT_EQ(statusCode(reply), "307");
    EXPECT_EQ(reply.headerLines.front(), "Location: /Main_Login.asp");
}

// A session that ends between an upload's request for the file choice and its POST: the
// fault filtered to one method ends every session just before that request only.
TEST_F(AuthTest, ExpiryFaultEndsTheSessionBeforeItsMethodOnly) {
    sim->auth().setMode(AuthMode::Session);
    Faults f;
    f.expireSessions = true;
    f.onlyMethod = "POST";
    sim->faults(Listener::Service).set(f);
    const std::string cookie = login();
    EXPECT_EQ(statusCode(fetch(port(), buildRequest("GET", kGeneral, {cookie}))), "200");
    EXPECT_EQ(statusCode(fetch(port(), buildRequest("POST", kGeneral, {cookie}))), "307");
    EXPECT_EQ(statusCode(fetch(port(), buildRequest("GET", kGeneral, {cookie}))), "307")
        << "the session stays ended";
    sim->clearFaults();
    EXPECT_EQ(statusCode(fetch(port(), buildRequest("POST", kGeneral, {login()}))), "200");
}

TEST_F(AuthTest, LoginStatusAndHeaderOrderFollowTheConfiguration) {
    sim->auth().setLoginStatusLine("HTTP/1.1 307 Temporary Redirect");
    Faults f;
    f.headersFirst = {{"Server", "httpd"}, {"Date", "Thu, 10 Dec 2026 00:00:00 GMT"}};
    f.onlyTarget = "/check.asp";
    sim->faults(Listener::Service).set(f);
    const auto reply = fetch(port(), buildRequest("GET", loginTarget(kUser, kPassword)));
    EXPECT_EQ(reply.statusLine, "HTTP/1.1 307 Temporary Redirect");
    ASSERT_GE(reply.headerLines.size(), 3u);
    EXPECT_EQ(reply.headerLines[0], "Server: httpd");
    EXPECT_EQ(reply.headerLines[1], "Date: Thu, 10 Dec 2026 00:00:00 GMT");
    EXPECT_TRUE(reply.headerLines[2].starts_with("Set-Cookie: AuthByPasswd="));
}

TEST_F(AuthTest, UnauthorisedReplyAsksForBasic) {
    const auto reply = fetch(port(), buildRequest("GET", "/"));
    EXPECT_EQ(reply.statusLine, "HTTP/1.1 401 Unauthorized");
    EXPECT_EQ(reply.headerLines.front(), "WWW-Authenticate: Basic realm=\"Router\"");
}

}  // namespace
}  // namespace routersim::test
