#include "app/StandardRouterGateway.h"

#include "router/RequestKind.h"
#include "router/StandardRequest.h"

namespace fv {

RouterReply StandardRouterGateway::get(const RouterRequest& request) {
    const _SETUPFORM_INFO conn = ctx_.records->connection();
    const RequestKind kind{request.connectTimeoutMs, request.readTimeoutMs, request.loginFirst};
    const HttpResponse res = PerformStandardGet(ctx_, conn, kind, request.pathAndQuery);
    RouterReply reply;
    reply.ok = res.ok;
    reply.statusText = res.statusText;
    if (res.ok)
        reply.body = res.body;
    else
        reply.failureText = res.failureText.empty() ? res.statusText : res.failureText;
    std::lock_guard lock(mutex_);
    last_ = reply;
    return reply;
}

std::string StandardRouterGateway::cacheBreaker() {
    return CacheBreaker();
}

RouterReply StandardRouterGateway::lastReply() const {
    std::lock_guard lock(mutex_);
    return last_;
}

}  // namespace fv
