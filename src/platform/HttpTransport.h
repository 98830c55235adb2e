// Performs one HTTP exchange. The router code takes a transport so tests can substitute a
// fake for conditions a loopback server cannot produce cheaply (a four-second time-out).
#pragma once

#include "platform/HttpRequest.h"
#include "platform/HttpResponse.h"

namespace fv {

class HttpTransport {
  public:
    virtual ~HttpTransport() = default;
    // Blocking; never throws. Safe to call from several threads at once.
    virtual HttpResponse perform(const HttpRequest& request) = 0;
};

}  // namespace fv
