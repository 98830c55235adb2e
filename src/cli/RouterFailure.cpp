#include "cli/RouterFailure.h"

#include "cli/CliExit.h"
#include "i18n/MessageTexts.h"

namespace fv::cli {

RouterFailure RouterFailure::of(const RouterReply& reply, const MessageTexts& texts) {
    return forKind(reply.kind, texts);
}

RouterFailure RouterFailure::forKind(FailureKind kind, const MessageTexts& texts) {
    using K = RouterFailure::Kind;
    switch (kind) {
        case FailureKind::NotAReport:
            return {K::NotAReport,
                    QStringLiteral("the router answered with a page that is not a task "
                                   "report (is the download service installed?)"),
                    kExitOffline};
        case FailureKind::Refused:
            return {
                K::Refused,
                QStringLiteral("the router refused the connection: ") + texts[Msg::FormMainMsg0],
                kExitRefused};
        case FailureKind::HostNotFound:
            return {
                K::HostNotFound,
                QStringLiteral("the router's address was not found: ") + texts[Msg::FormMainMsg0],
                kExitOffline};
        case FailureKind::Unauthorized:
            return {K::Rejected,
                    QStringLiteral("the router rejected the account: ") + texts[Msg::FormSetupMsg4],
                    kExitRejected};
        case FailureKind::Busy:
            return {K::Busy, QStringLiteral("the router is busy: ") + texts[Msg::FormSetupMsg5],
                    kExitBusy};
        default:
            return {
                K::NoAnswer,
                QStringLiteral("no answer from the router (offline): ") + texts[Msg::FormMainMsg0],
                kExitOffline};
    }
}

}  // namespace fv::cli
