#include "tasks/StandardRouterGateway.h"

#include "router/RouterOutcome.h"
#include "router/StandardRequest.h"

namespace fv {
namespace {

RouterReply replyOf(HttpResponse response, bool expectsReport) {
    const RouterOutcome outcome =
        RouterOutcome::of(response, expectsReport ? RouterOutcome::Expecting::Report
                                                  : RouterOutcome::Expecting::AnyPage);
    RouterReply reply;
    reply.ok = response.ok;
    reply.body = std::move(response.body);
    reply.statusText = std::move(response.statusText);
    reply.failureText = std::move(response.failureText);
    if (!reply.ok && reply.failureText.empty())
        reply.failureText = reply.statusText.empty() ? "no reply" : reply.statusText;
    reply.kind = outcome.kind;
    reply.httpStatus = outcome.httpStatus;
    return reply;
}

}  // namespace

RouterReply StandardRouterGateway::get(const RouterRequest& request) {
    // Each request copies the connection record once, as every worker does.
    const ConnectionProfile conn = ctx_.records->connection();
    if (conn.ServerAddress.trimmed().isEmpty()) {
        // No router set up yet (first start, before the wizard): nothing to ask.
        RouterReply none;
        none.failureText = kNoAddress;
        none.kind = FailureKind::NoAddress;
        return none;
    }
    const RequestKind kind{request.connectTimeoutMs, request.readTimeoutMs, request.loginFirst};
    RouterReply reply =
        replyOf(performStandardGet(ctx_, conn, kind, request.pathAndQuery), request.expectsReport);
    std::lock_guard lock(mutex_);
    last_ = reply;
    return reply;
}

std::string StandardRouterGateway::cacheBreaker() {
    return makeCacheBreaker();
}

RouterReply StandardRouterGateway::lastReply() const {
    std::lock_guard lock(mutex_);
    return last_;
}

}  // namespace fv
