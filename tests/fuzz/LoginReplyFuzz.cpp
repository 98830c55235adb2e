// Fuzzes the session login and the account check over a whole reply of the router: its status
// line, its header lines (the first one carries the session cookie) and, when no reply came,
// one of the transport's own failure texts. Besides memory safety it checks what the user and
// the next requests rely on:
//   - the session header is "Cookie: AuthByPasswd=" + the first header line's token, or empty
//     (also when no reply came at all);
//   - the outcome follows the status words in their order: 200/307/404 (the account check:
//     200/307) success, then 401 or a host-name failure rejected, then 600 busy, else failure;
//   - no log line shows the password, its Base64 form or the form the login sends, wherever
//     the router echoes it (status line, cookie, failure).
// The first input byte picks the failure kind and the check, the next two the status code, the
// rest is the status line, then the header lines, one a line.
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSeeds.h"
#include "platform/DebugLog.h"
#include "platform/HttpTransport.h"
#include "router/LoginEncoding.h"
#include "router/RouterContext.h"
#include "router/SessionLogin.h"
#include "router/SettingsRecords.h"

namespace {

using fv_fuzz::check;

// A password whose Base64 form holds "/" and "=", so the form the login sends differs from it.
const QString kPassword = QStringLiteral("p>?~s\xfcw");

// What the transport itself says when no status line came (never router bytes).
const char* const kTransportFailures[] = {
    "Socket Error # 10061 Connection refused",
    "Socket Error # 11001 Host not found",
    "Read timed out",
    "Connection Closed Gracefully.",
    "Socket Error # 10054 Connection reset by peer",
};
constexpr size_t kTransportFailureCount = std::size(kTransportFailures);

class OneReply : public fv::HttpTransport {
  public:
    explicit OneReply(fv::HttpResponse res) : res_(std::move(res)) {}
    fv::HttpResponse perform(const fv::HttpRequest&) override {
        ++calls;
        return res_;
    }
    int calls = 0;

  private:
    fv::HttpResponse res_;
};

std::string seed(uint8_t flags, int status, const std::string& text) {
    return std::string{static_cast<char>(flags), static_cast<char>(status >> 8),
                       static_cast<char>(status & 0xff)} +
           text;
}

fv_fuzz::Seeds seeds() {
    return {
        seed(1, 200, "HTTP/1.1 200 OK\nSet-Cookie: AuthByPasswd=abc123; path=/\nServer: x"),
        seed(1, 307, "HTTP/1.1 307 Temporary Redirect\nLocation: /\n"),
        seed(3, 404, "HTTP/1.1 404 Not Found\nSet-Cookie: AuthByPasswd=zz; a=b"),
        seed(1, 401, "HTTP/1.1 401 Unauthorized\nWWW-Authenticate: Basic realm=x"),
        seed(1, 600, "HTTP/1.1 600 Other user\n"),
        seed(0, 0, ""),
        seed(2, 0, ""),
        seed(1, 200, "HTTP/1.1 200 cA%3F%2Bcw\nSet-Cookie: AuthByPasswd=cD4/fnP8dw==;"),
        seed(1, 200, "HTTP/1.1 200 OK\nX: a=b; AuthByPasswd=q;"),
        seed(1, 500, "HTTP/1.1 500 p>?~s\xc3\xbcw\n"),
        // Found by this target: the account check logged the percent-encoded password that a
        // router echoed in its status line.
        std::string(";thBycD4%2FfnPDvHc%3DPascD\000\000\000\000\000\000\000\000\000\000\000%f\002A"
                    "\000\000",
                    43),
        // Found by this target: an error status line naming 10061 and 11001 was read as a
        // refusal, not as the rejected account the checks read for 11001.
        std::string("\001\000+\00010061~s\303\274w/\2250zpasswd=\303\000\000\000\355\001\002XHT1"
                    "\000 \000\000FfnPP/\2251zpaseswd=\303\000\000\000\345\005\00011001\000\000",
                    71),
        // Found by this target: 600 beside 11001 was read as busy, where the checks read the
        // host-name failure first.
        std::string("1zp11001600", 11),
    };
}

std::vector<std::string> linesOf(std::string_view text) {
    std::vector<std::string> lines;
    size_t from = 0;
    while (from <= text.size()) {
        const size_t end = text.find('\n', from);
        lines.emplace_back(
            text.substr(from, end == std::string_view::npos ? text.size() - from : end - from));
        if (end == std::string_view::npos)
            break;
        from = end + 1;
    }
    return lines;
}

bool names(const std::string& text, const char* code) {
    return text.find(code) != std::string::npos;
}

// The outcome the status words give, read in their order.
fv::LoginOutcome expected(const std::string& status, const std::string& failure, bool account) {
    if (names(status, "200") || names(status, "307") || (!account && names(status, "404")))
        return fv::LoginOutcome::Success;
    if (names(status, "401") || names(failure, "11001"))
        return fv::LoginOutcome::Rejected;
    if (names(status, "600"))
        return fv::LoginOutcome::Busy;
    return fv::LoginOutcome::OtherFailure;
}

fv::HttpResponse responseOf(uint8_t flags, int status, std::string_view text) {
    fv::HttpResponse res;
    res.replied = flags & 1;
    const std::vector<std::string> lines = linesOf(text);
    if (!res.replied) {
        res.timedOut = (flags >> 2) % kTransportFailureCount == 2;
        res.failureText = kTransportFailures[(flags >> 2) % kTransportFailureCount];
        return res;
    }
    res.statusCode = status;
    res.statusText = lines[0];
    res.headerLines.assign(lines.begin() + 1, lines.end());
    res.ok = status >= 100 && status < 300;
    if (!res.ok)
        res.failureText = res.statusText;
    return res;
}

}  // namespace

FV_FUZZ_SEED_MODE(seeds)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3)
        return 0;
    const uint8_t flags = data[0];
    const bool account = flags & 2;
    const int status = data[1] << 8 | data[2];
    const fv::HttpResponse res = responseOf(flags, status, fv_fuzz::bytesOf(data + 3, size - 3));

    fv::SettingsRecords records;
    fv::ConnectionProfile conn;
    conn.UserName = QStringLiteral("admin");
    conn.Password = kPassword;
    conn.ServerPort = QStringLiteral("8081");
    records.setConnection(conn);
    records.setSessionTokenHeader(QStringLiteral("Cookie: AuthByPasswd=stale"));
    OneReply transport(res);
    const fv::RouterContext ctx(records, transport);

    const std::string statusSeen = res.replied ? res.statusText : std::string("0");
    const std::string failureSeen = res.ok ? std::string() : res.failureText;
    std::vector<std::string> logged;
    {
        fv::LogCapture capture;
        if (account) {
            const QString before = records.sessionTokenHeader();
            const bool ok = fv::checkAccount(ctx, QStringLiteral("127.0.0.1"));
            check(ok == (expected(statusSeen, failureSeen, true) == fv::LoginOutcome::Success),
                  "the account check follows the status words");
            check(records.sessionTokenHeader() == before, "the account check keeps the session");
        } else {
            const fv::LoginOutcome outcome =
                fv::fetchSessionToken(ctx, QStringLiteral("127.0.0.1"));
            check(outcome == expected(statusSeen, failureSeen, false),
                  "the login follows the status words");
            const std::string first =
                res.replied && !res.headerLines.empty() ? res.headerLines[0] : std::string();
            const std::string token = fv::sessionTokenFromLine(first);
            check(records.sessionTokenHeader() ==
                      (token.empty() ? QString()
                                     : QString::fromStdString("Cookie: AuthByPasswd=" + token)),
                  "the session header holds the first header line's token");
        }
        logged = capture.lines();
    }
    check(transport.calls == 1, "one request a check");

    const std::string base64 = fv::base64Encode(kPassword);
    const std::string forms[] = {kPassword.toStdString(), base64, fv::percentEncode(base64)};
    for (const std::string& line : logged) {
        for (const std::string& secret : forms)
            check(line.find(secret) == std::string::npos, "the log never shows the password");
    }
    fv::DebugLog::clearSecrets();
    return 0;
}
