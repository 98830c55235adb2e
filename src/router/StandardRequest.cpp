#include "router/StandardRequest.h"

#include <chrono>
#include <mutex>
#include <random>

#include "router/LoginEncoding.h"
#include "router/SessionLogin.h"

namespace fv {
namespace {

// The fixed line the original prepared before the session line; the account's own
// Authorization replaces it, so it never reaches the wire in a standard request.
constexpr const char* kFixedAuthorization = "Basic Xq7LpR2vNw9KcT4=";

}  // namespace

std::string baseAddress(const ConnectionProfile& conn) {
    return "http://" + conn.ServerAddress.toStdString() + ":" + conn.ServerPort.toStdString();
}

void addHeaderLine(HttpRequest& request, const std::string& line) {
    const size_t colon = line.find(':');
    if (colon == std::string::npos || colon == 0)
        return;
    size_t value = colon + 1;
    while (value < line.size() && line[value] == ' ')
        ++value;
    request.setHeader(line.substr(0, colon), line.substr(value));
}

HttpRequest prepareStandardRequest(const RouterContext& ctx, const ConnectionProfile& conn,
                                   int connectMs, int readMs, bool loginFirst) {
    HttpRequest req;
    req.url = baseAddress(conn);
    req.connectTimeoutMs = connectMs;
    req.readTimeoutMs = readMs;
    const std::string base = req.url;
    req.setHeader("Connection", "Keep-Alive");
    req.setHeader("Cache-control", "no-cache");
    req.setHeader("Authorization", kFixedAuthorization);
    req.setHeader("Authorization",
                  "Basic " + base64Encode(conn.UserName + QStringLiteral(":") + conn.Password));
    req.setHeader("Host", conn.ServerAddress.toStdString() + ":" + conn.ServerPort.toStdString());
    req.setHeader("Accept",
                  "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, "
                  "application/x-shockwave-flash, */*");
    req.setHeader("Accept-Encoding", "gzip, deflate");
    req.setHeader("Accept-Language", "zh-tw");
    req.setHeader("Referer", base);
    req.setHeader("User-Agent", "KOVAFVUtility/2.2");

    if (loginFirst && ctx.records->sessionTokenHeader().isEmpty())
        fetchSessionToken(ctx, conn.ServerAddress);
    const QString session = ctx.records->sessionTokenHeader();
    if (!session.isEmpty())
        addHeaderLine(req, session.toStdString());
    return req;
}

HttpRequest prepareStandardRequest(const RouterContext& ctx, const ConnectionProfile& conn,
                                   const RequestKind& kind) {
    return prepareStandardRequest(ctx, conn, kind.connectMs, kind.readMs, kind.loginFirst);
}

int cacheBreakerDigit(long long epochSeconds) {
    std::minstd_rand gen(static_cast<std::minstd_rand::result_type>(epochSeconds));
    return static_cast<int>(gen() % 10);
}

std::string makeCacheBreaker() {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(
                             std::chrono::system_clock::now().time_since_epoch())
                             .count();
    return "&t=" + std::to_string(cacheBreakerDigit(seconds));
}

HttpResponse performStandardGet(const RouterContext& ctx, const ConnectionProfile& conn,
                                const RequestKind& kind, const std::string& pathAndQuery) {
    HttpRequest req = prepareStandardRequest(ctx, conn, kind);
    req.url += pathAndQuery;
    return ctx.transport->perform(req);
}

HttpResponse performStandardPost(const RouterContext& ctx, const ConnectionProfile& conn,
                                 const RequestKind& kind, const std::string& pathAndQuery,
                                 const std::string& body, const std::string& contentType) {
    HttpRequest req = prepareStandardRequest(ctx, conn, kind);
    req.url += pathAndQuery;
    req.method = HttpRequest::Method::Post;
    req.body = body;
    req.contentType = contentType;
    req.setHeader("Content-Type", contentType);
    return ctx.transport->perform(req);
}

}  // namespace fv
