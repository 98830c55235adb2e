// The session token taken from the login reply's first header line.
#include <gtest/gtest.h>

#include "platform/DebugLog.h"
#include "router/SessionLogin.h"

namespace fv {
namespace {

TEST(SessionToken, PositionArithmetic) {
    struct Case {
        const char* line;
        const char* token;
    };
    const Case cases[] = {
        {"Set-Cookie: AuthByPasswd=abc123; path=/", "abc123"},
        {"Set-Cookie: AuthByPasswd=abc123;", "abc123"},
        {"Set-Cookie: AuthByPasswd=abc123", ""},  // no ";": length is negative
        {"Set-Cookie: other=1", ""},
        {"Content-Type: text/html; charset=utf-8", ""},
        // an earlier "=" lengthens the token by the distance between the two "="
        {"X=1 Set-Cookie: AuthByPasswd=abcdefgh; path=/", "abcdefgh; path=/"},
        {"X=1 Set-Cookie: AuthByPasswd=abcdefgh; path=/abcdefghijklmnopqrstuvwxyz",
         "abcdefgh; path=/abcdefghijklmnopqrs"},
        // a ";" before the cookie gives a length of zero or less
        {"a; Set-Cookie: AuthByPasswd=abc", ""},
        // the first "=" after the first ";" makes the length run on past the ";"
        {"Set-Cookie: AuthByPasswd;x=1; AuthByPasswd=tok; p", ""},
        {"Set-Cookie: AuthByPasswd=", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sessionTokenFromLine(c.line), c.token) << c.line;
}

TEST(SessionToken, ParseSetsOrClearsHeader) {
    SettingsRecords records;
    RouterContext ctx(records);
    LogCapture log;
    records.setSessionTokenHeader("Cookie: AuthByPasswd=old");
    parseSessionToken(ctx, "Set-Cookie: AuthByPasswd=new77; path=/");
    EXPECT_EQ(records.sessionTokenHeader(), "Cookie: AuthByPasswd=new77");
    EXPECT_TRUE(log.contains("ParseFVSessionToken(): ****"));
    EXPECT_FALSE(log.contains("new77")) << "the session cookie is a credential";

    parseSessionToken(ctx, "Server: router");
    EXPECT_TRUE(records.sessionTokenHeader().isEmpty());

    records.setSessionTokenHeader("Cookie: AuthByPasswd=old");
    parseSessionToken(ctx, "");
    EXPECT_TRUE(records.sessionTokenHeader().isEmpty());
}

}  // namespace
}  // namespace fv
