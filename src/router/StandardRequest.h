// The request pattern every exchange with the router's service uses.
//
// A worker copies the connection record once when it starts and builds its request from
// that copy; only the session header is read again after a login:
//
//     fv::RouterContext ctx(records);                      // transport defaults to libcurl
//     const fv::ConnectionProfile conn = records.connection();
//     fv::HttpResponse res = fv::performStandardGet(ctx, conn, fv::request_kind::TaskCommand,
//                                                   "//ferrovane//fv_apply.cgi?x=1" +
//                                                   fv::makeCacheBreaker());
//     if (!res.ok) fv::DebugLog::write("... E.Message = " + res.failureText);
//
// Or, for extra headers or a POST, prepareStandardRequest, adjust, then ctx.transport->perform.
// RouterOutcome::of(res) tells why a request failed; nothing else reads codes from the texts.
#pragma once

#include <string>

#include "platform/HttpRequest.h"
#include "platform/HttpResponse.h"
#include "router/RequestKind.h"
#include "router/RouterContext.h"

namespace fv {

// "http://" + ServerAddress + ":" + ServerPort.
std::string baseAddress(const ConnectionProfile& conn);

// A request with the standard headers, url set to the base address. When loginFirst is set
// and no session is held, runs the login first; the session header is then read from the
// records (the login may just have filled it).
HttpRequest prepareStandardRequest(const RouterContext& ctx, const ConnectionProfile& conn,
                                   int connectMs, int readMs, bool loginFirst);
HttpRequest prepareStandardRequest(const RouterContext& ctx, const ConnectionProfile& conn,
                                   const RequestKind& kind);

// "&t=" + one digit; the generator is re-seeded from the time in whole seconds, so calls in
// the same second give the same digit.
std::string makeCacheBreaker();
// The digit for a given time in seconds (what makeCacheBreaker uses).
int cacheBreakerDigit(long long epochSeconds);

// GET of base address + pathAndQuery (appended exactly as given).
HttpResponse performStandardGet(const RouterContext& ctx, const ConnectionProfile& conn,
                                const RequestKind& kind, const std::string& pathAndQuery);
// POST of body with the given Content-Type (e.g. MultipartBody::contentType()).
HttpResponse performStandardPost(const RouterContext& ctx, const ConnectionProfile& conn,
                                 const RequestKind& kind, const std::string& pathAndQuery,
                                 const std::string& body, const std::string& contentType);

// Splits a complete header line "Name: value" into the request (replacing a line of the
// same name). Ignores lines without a name.
void addHeaderLine(HttpRequest& request, const std::string& line);

}  // namespace fv
