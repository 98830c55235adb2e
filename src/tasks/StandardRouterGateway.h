// The task workers' requests over the router layer's standard request pattern.
#pragma once

#include "router/RouterContext.h"
#include "tasks/RouterGateway.h"

namespace fv {

class StandardRouterGateway final : public RouterGateway {
  public:
    // ctx's records, transport and forms must outlive every worker using this gateway.
    explicit StandardRouterGateway(RouterContext ctx) : ctx_(ctx) {}

    RouterReply get(const RouterRequest& request) override;
    std::string cacheBreaker() override;

  private:
    RouterContext ctx_;
};

}  // namespace fv
