// Every request any listener received, in arrival order, for tests to inspect.
#pragma once

#include <mutex>
#include <vector>

#include "Request.h"

namespace routersim {

class RequestLog {
  public:
    void add(const Request& request);
    std::vector<Request> all() const;
    void clear();

  private:
    mutable std::mutex mutex_;
    std::vector<Request> requests_;
};

}  // namespace routersim
