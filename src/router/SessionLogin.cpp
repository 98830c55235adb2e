#include "router/SessionLogin.h"

#include "platform/DebugLog.h"
#include "platform/HttpRequest.h"
#include "router/LoginEncoding.h"
#include "router/LoginForms.h"
#include "router/ProbeResults.h"
#include "router/RouterOutcome.h"
#include "router/StandardRequest.h"

namespace fv {
namespace {

LoginInputs inputsOf(const RouterContext& ctx) {
    if (ctx.forms)
        return ctx.forms->inputs();
    const ConnectionProfile conn = ctx.records->connection();
    LoginInputs in;
    in.userName = conn.UserName;
    in.password = conn.Password;
    in.port = conn.ServerPort;
    return in;
}

int levelOf(const RouterContext& ctx) {
    return ctx.probe ? ctx.probe->serviceLevel() : 0;
}

void report(const RouterContext& ctx, LoginCheck check, LoginOutcome outcome, int level) {
    if (ctx.forms)
        ctx.forms->report({check, outcome, level});
}

// Keeps every form of the password out of the log, whatever line carries it: both checks
// register all of them, since a router may echo the login's form to the account check too.
void registerSecrets(const QString& password) {
    const std::string base64 = base64Encode(password);
    DebugLog::addSecret(password.toStdString());
    DebugLog::addSecret(base64);
    DebugLog::addSecret(percentEncode(base64));
}

// The session cookie lets whoever holds it act as the user until it expires: logs show
// whether there is one, never its value.
std::string hiddenToken(const std::string& token) {
    return token.empty() ? std::string() : std::string("****");
}

void logLoginOutcome(LoginOutcome outcome) {
    switch (outcome) {
        case LoginOutcome::Success:
            DebugLog::write(
                "SessionBaseGetTokenFunc: Success to check username and password because of "
                "200/307/404 OK");
            break;
        case LoginOutcome::Rejected:
            DebugLog::write(
                "SessionBaseGetTokenFunc: Failed to check username and password because of 401 "
                "UnAuthentication");
            break;
        case LoginOutcome::Busy:
            DebugLog::write(
                "SessionBaseGetTokenFunc: Failed to check username and password because of 600 "
                "UnAuthentication");
            break;
        case LoginOutcome::OtherFailure:
            DebugLog::write("SessionBaseGetTokenFunc - Failed to check others");
            break;
    }
}

void logAccountOutcome(LoginOutcome outcome) {
    switch (outcome) {
        case LoginOutcome::Success:
            DebugLog::write(
                "FVUserPwAuth: Success to check username and password in the second time "
                "because of 200/307 OK");
            break;
        case LoginOutcome::Rejected:
            DebugLog::write(
                "FVUserPwAuth: Failed to check username and password in the second time because "
                "of 401 UnAuthentication");
            break;
        case LoginOutcome::Busy:
            DebugLog::write(
                "FVUserPwAuth: Failed to check username and password in the second time because "
                "of 600 UnAuthentication");
            break;
        case LoginOutcome::OtherFailure:
            DebugLog::write("FVUserPwAuth - Failed to check others");
            break;
    }
}

// The kind the two checks read, in their own order of the codes: 200, 307 and (the login
// only) 404 in the status line, then 401 in it or 11001 in the failure, then 600. The shared
// order differs where a router's error status line names several codes (600 beside 11001,
// say); a kind the checks know that their order does not give is no more than a failure.
FailureKind loginKind(const HttpResponse& res, bool account) {
    const std::string status = res.replied ? res.statusText : std::string();
    const std::string failure = res.ok ? std::string() : res.failureText;
    const auto names = [](const std::string& text, const char* code) {
        return text.find(code) != std::string::npos;
    };
    if (names(status, "200"))
        return FailureKind::None;
    if (names(status, "307"))
        return FailureKind::Redirect;
    if (!account && names(status, "404"))
        return FailureKind::NotFound;
    if (names(status, "401"))
        return FailureKind::Unauthorized;
    if (names(failure, "11001"))
        return FailureKind::HostNotFound;
    if (names(status, "600"))
        return FailureKind::Busy;
    const FailureKind kind = RouterOutcome::of(res).kind;
    switch (kind) {
        case FailureKind::None:
        case FailureKind::Redirect:
        case FailureKind::NotFound:
        case FailureKind::Unauthorized:
        case FailureKind::HostNotFound:
        case FailureKind::Busy:
            return FailureKind::Other;
        default:
            return kind;
    }
}

}  // namespace

LoginOutcome classifyLogin(FailureKind kind) {
    switch (kind) {
        case FailureKind::None:
        case FailureKind::Redirect:
        case FailureKind::NotFound:
            return LoginOutcome::Success;
        case FailureKind::Unauthorized:
        case FailureKind::HostNotFound:
            return LoginOutcome::Rejected;
        case FailureKind::Busy:
            return LoginOutcome::Busy;
        default:
            return LoginOutcome::OtherFailure;
    }
}

// As the login, except that a missing page (404) is no success the second time.
LoginOutcome classifyAccountCheck(FailureKind kind) {
    if (kind == FailureKind::NotFound)
        return LoginOutcome::OtherFailure;
    return classifyLogin(kind);
}

std::string sessionTokenFromLine(const std::string& line) {
    static constexpr std::string_view kKey = "AuthByPasswd=";
    const size_t keyAt = line.find(kKey);
    if (keyAt == std::string::npos)
        return {};
    // 1-based positions as the original computed them; 0 means absent.
    const auto pos1 = [](size_t p) -> long long {
        return p == std::string::npos ? 0 : static_cast<long long>(p) + 1;
    };
    const long long s = pos1(line.find(';'));
    const long long e = pos1(line.find('='));
    const long long count = s - e - 1;
    const size_t start = keyAt + kKey.size();
    if (count <= 0 || start >= line.size())
        return {};
    return line.substr(start, std::min<size_t>(static_cast<size_t>(count), line.size() - start));
}

std::string parseSessionToken(const RouterContext& ctx, const std::string& line) {
    if (line.empty()) {
        ctx.records->setSessionTokenHeader(QString());
        return {};
    }
    const std::string token = sessionTokenFromLine(line);
    DebugLog::write("ParseFVSessionToken(): " + hiddenToken(token));
    ctx.records->setSessionTokenHeader(
        token.empty() ? QString() : QString::fromStdString("Cookie: AuthByPasswd=" + token));
    return token;
}

LoginOutcome fetchSessionToken(const RouterContext& ctx, const QString& host) {
    DebugLog::write("SessionBaseGetTokenFunc()");
    const LoginInputs in = inputsOf(ctx);
    const int level = levelOf(ctx);
    const std::string user = base64Encode(in.userName);
    const std::string passwordBase64 = base64Encode(in.password);
    const std::string password = percentEncode(passwordBase64);
    registerSecrets(in.password);

    HttpRequest req;
    req.connectTimeoutMs = 4000;
    req.readTimeoutMs = 4000;
    req.setHeader("User-Agent", "KOVAFVUtility/2.3");
    req.setHeader("Authorization", "Basic " + base64Encode(user + ":" + password));
    const std::string prefix =
        "http://" + host.toStdString() + ":" + in.port.toStdString() +
        "/check.asp?flag=&foilautofill=admin&directurl=&login_username=" + user + "&login_passwd=";
    req.url = prefix + password;
    DebugLog::write("SessionBaseGetTokenFunc Address:[" + prefix + "****]");

    std::string status = "0";
    const HttpResponse res = ctx.transport->perform(req);
    if (res.replied) {
        status = res.statusText;
        parseSessionToken(ctx, res.headerLines.empty() ? std::string() : res.headerLines[0]);
    } else {
        parseSessionToken(ctx, std::string());
    }
    if (!res.ok)
        DebugLog::write("SessionBaseGetTokenFunc - E.Message = " + res.failureText + "::end");
    DebugLog::write("SessionBaseGetTokenFunc(): " + status);

    const LoginOutcome outcome = classifyLogin(loginKind(res, false));
    logLoginOutcome(outcome);
    report(ctx, LoginCheck::Login, outcome, level);
    return outcome;
}

bool checkAccount(const RouterContext& ctx, const QString& host) {
    const int level = levelOf(ctx);
    const LoginInputs in = inputsOf(ctx);
    const std::string passwordBase64 = base64Encode(in.password);
    registerSecrets(in.password);

    HttpRequest req;
    req.connectTimeoutMs = 5000;
    req.readTimeoutMs = 5000;
    req.setHeader("User-Agent", "KOVAFVUtility/2.2");
    req.setHeader("Authorization",
                  "Basic " + base64Encode(base64Encode(in.userName) + ":" + passwordBase64));
    const QString session = ctx.records->sessionTokenHeader();
    DebugLog::write("TestFVHttpSrvWithUsPw," +
                    (session.isEmpty() ? std::string() : "Cookie: AuthByPasswd=****"));
    if (!session.isEmpty())
        addHeaderLine(req, session.toStdString());
    req.url = "http://" + host.toStdString() + ":" + in.port.toStdString();
    DebugLog::write("FVUserPwAuth Address:[" + req.url + "]");

    const HttpResponse res = ctx.transport->perform(req);
    if (!res.ok)
        DebugLog::write("FVUserPwAuth - E.Message = " + res.failureText);

    const LoginOutcome outcome = classifyAccountCheck(loginKind(res, true));
    logAccountOutcome(outcome);
    if (outcome != LoginOutcome::Success)
        report(ctx, LoginCheck::AccountCheck, outcome, level);
    return outcome == LoginOutcome::Success;
}

bool serviceAnswersDespiteFailure(FailureKind kind) {
    switch (kind) {
        case FailureKind::Unauthorized:
        case FailureKind::Busy:
            DebugLog::write("TestFVHttpSrv - E.Message: 401/600 UnAuthentication");
            return true;
        case FailureKind::Refused:
            DebugLog::write("TestFVHttpSrv - E.Message: 10061 ");
            return false;
        case FailureKind::Redirect:
            DebugLog::write("TestFVHttpSrv - E.Message: Session Base");
            return true;
        default:
            return false;
    }
}

bool testService(const RouterContext& ctx, const QString& host) {
    const std::string port = ctx.probe ? ctx.probe->get().servicePort : std::string();
    const std::string hostPort = host.toStdString() + ":" + port;
    HttpRequest req;
    req.url = "http://" + hostPort;
    req.connectTimeoutMs = 2000;
    req.readTimeoutMs = 2000;
    req.setHeader("Accept", "*/*");
    req.setHeader("Referer", req.url);
    req.setHeader("Accept-Language", "zh-tw");
    req.setHeader("Content-Type", "multipart/form-data");
    req.setHeader("Accept-Encoding", "gzip, deflate");
    req.setHeader("User-Agent", "KOVAFVUtility/2.2");
    req.setHeader("Host", hostPort);
    req.setHeader("Connection", "Keep-Alive");
    req.setHeader("Cache-control", "no-cache");
    req.setHeader("Authorization", "Basic Xq7LpR2vNw9KcT4=");

    const HttpResponse res = ctx.transport->perform(req);
    if (res.ok)
        return true;
    DebugLog::write("TestFVHttpSrv - http connect fault!;" + res.failureText);
    return serviceAnswersDespiteFailure(RouterOutcome::of(res).kind);
}

}  // namespace fv
