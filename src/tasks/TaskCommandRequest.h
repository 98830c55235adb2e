// One task command: a GET of the control CGI whose reply is not read. The result only
// decides the offline flag; the next refresh shows what the router did.
#pragma once

#include <string>

#include "tasks/RouterGateway.h"

namespace fv {

class TaskCommandRequest {
  public:
    static constexpr int kTimeoutMs = 2000;

    TaskCommandRequest(RouterGateway& gateway, std::string commandText)
        : gateway_(gateway), commandText_(std::move(commandText)) {}

    const std::string& commandText() const { return commandText_; }

    // True when the exchange completed with a success status.
    bool execute();

  private:
    RouterGateway& gateway_;
    std::string commandText_;
};

}  // namespace fv
