// Why a request to the router got no usable answer, told from the reply's outcome, with the
// message and exit code fvctl gives for it.
#pragma once

#include <QString>

#include "i18n/MessageTexts.h"
#include "tasks/RouterGateway.h"

namespace fv::cli {

struct RouterFailure {
    enum class Kind { NoAnswer, Refused, HostNotFound, Rejected, Busy, NotAReport };

    Kind kind = Kind::NoAnswer;
    QString message;
    int exitCode = 0;

    static RouterFailure of(const RouterReply& reply,
                            const MessageTexts& texts = MessageTexts::english());
    // The one place a failure's kind chooses fvctl's message and exit code.
    static RouterFailure forKind(FailureKind kind,
                                 const MessageTexts& texts = MessageTexts::english());
};

}  // namespace fv::cli
