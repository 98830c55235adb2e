#include "cli/RouterFailure.h"

#include "cli/CliExit.h"
#include "i18n/Messages.h"

namespace fv::cli {

RouterFailure RouterFailure::of(const RouterReply& reply) {
    return forKind(reply.kind);
}

RouterFailure RouterFailure::forKind(FailureKind kind) {
    using K = RouterFailure::Kind;
    switch (kind) {
        case FailureKind::NotAReport:
            return {K::NotAReport,
                    QStringLiteral("the router answered with a page that is not a task "
                                   "report (is the download service installed?)"),
                    kExitOffline};
        case FailureKind::Refused:
            return {K::Refused,
                    QStringLiteral("the router refused the connection: ") + msg::FormMainMsg0,
                    kExitRefused};
        case FailureKind::HostNotFound:
            return {K::HostNotFound,
                    QStringLiteral("the router's address was not found: ") + msg::FormMainMsg0,
                    kExitOffline};
        case FailureKind::Unauthorized:
            return {K::Rejected,
                    QStringLiteral("the router rejected the account: ") + msg::FormSetupMsg4,
                    kExitRejected};
        case FailureKind::Busy:
            return {K::Busy, QStringLiteral("the router is busy: ") + msg::FormSetupMsg5,
                    kExitBusy};
        default:
            return {K::NoAnswer,
                    QStringLiteral("no answer from the router (offline): ") + msg::FormMainMsg0,
                    kExitOffline};
    }
}

}  // namespace fv::cli
