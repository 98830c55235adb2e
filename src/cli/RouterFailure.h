// Why a request to the router got no usable answer, told from the reply's status and failure
// texts by the same code-substring rule the client uses everywhere, with the message and
// exit code fvctl gives for it.
#pragma once

#include <QString>

#include "tasks/RouterGateway.h"

namespace fv::cli {

struct RouterFailure {
    enum class Kind { NoAnswer, Refused, HostNotFound, Rejected, Busy, NotAReport };

    Kind kind = Kind::NoAnswer;
    QString message;
    int exitCode = 0;

    static RouterFailure of(const RouterReply& reply);
};

}  // namespace fv::cli
