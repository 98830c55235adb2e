// The standard router request as the task workers need it. The router layer implements it
// (headers, Basic authorisation, session cookie, login when no session is held); tests give
// fakes. Called on worker threads: implementations must be thread-safe.
#pragma once

#include <string>

#include "router/FailureKind.h"

namespace fv {

struct RouterRequest {
    std::string pathAndQuery;  // appended to "http://address:port" exactly as given
    int connectTimeoutMs = 0;
    int readTimeoutMs = 0;
    bool loginFirst = false;  // log in first when no session is held
    // A task report is expected: any other page the router gives is then a failure.
    bool expectsReport = false;
};

struct RouterReply {
    bool ok = false;          // a reply with a success status arrived
    std::string body;         // the whole reply body when ok
    std::string statusText;   // the reply's status line, when one arrived
    std::string failureText;  // when !ok: the cause, with the status code or socket error
    // Why the reply is no usable answer (None: a 200 reply), classified once by the gateway.
    FailureKind kind = FailureKind::Other;
    int httpStatus = 0;  // 0 when no status line arrived
};

class RouterGateway {
  public:
    virtual ~RouterGateway() = default;
    virtual RouterReply get(const RouterRequest& request) = 0;
    // "&t=" and one pseudo-random digit.
    virtual std::string cacheBreaker() = 0;
};

}  // namespace fv
