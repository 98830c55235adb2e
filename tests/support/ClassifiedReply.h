// Test replies are written as the texts a router exchange leaves behind; this gives them the
// outcome the gateway would classify from a response carrying those texts.
#pragma once

#include "router/RouterOutcome.h"
#include "tasks/RouterGateway.h"

namespace fv::test {

inline RouterReply classified(RouterReply reply, bool expectsReport = false) {
    HttpResponse response;
    response.ok = reply.ok;
    response.replied = !reply.statusText.empty();
    response.statusCode = reply.httpStatus;
    response.statusText = reply.statusText;
    response.failureText = reply.failureText;
    response.body = reply.body;
    const RouterOutcome outcome =
        RouterOutcome::of(response, expectsReport ? RouterOutcome::Expecting::Report
                                                  : RouterOutcome::Expecting::AnyPage);
    reply.kind = outcome.kind;
    reply.httpStatus = outcome.httpStatus;
    return reply;
}

}  // namespace fv::test
