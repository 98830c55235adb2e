// The task workers' RouterGateway over the router layer's standard request: the records'
// connection is copied per request, the login runs first when no session is held, and the
// last reply is kept so a caller can tell why a request failed (refused, rejected, busy).
// Thread-safe: every call copies what it needs under the records' mutex.
#pragma once

#include <mutex>

#include "router/RouterContext.h"
#include "tasks/RouterGateway.h"

namespace fv {

class StandardRouterGateway final : public RouterGateway {
  public:
    // ctx's records, transport and forms must outlive every worker using this gateway.
    explicit StandardRouterGateway(const RouterContext& ctx) : ctx_(ctx) {}

    // The failure of every request while the connection record holds no router address.
    static constexpr const char* kNoAddress = "No router address set up";

    RouterReply get(const RouterRequest& request) override;
    std::string cacheBreaker() override;

    // The reply of the most recent get(), whatever its outcome.
    RouterReply lastReply() const;

  private:
    RouterContext ctx_;
    mutable std::mutex mutex_;
    RouterReply last_;
};

}  // namespace fv
