#include "cli/RouterFailure.h"

#include <string>

#include "cli/CliExit.h"
#include "i18n/Messages.h"
#include "tasks/FvPageReport.h"

namespace fv::cli {
namespace {

bool has(const std::string& text, const char* code) {
    return text.find(code) != std::string::npos;
}

RouterFailure make(RouterFailure::Kind kind, const QString& message, int exitCode) {
    return RouterFailure{kind, message, exitCode};
}

}  // namespace

RouterFailure RouterFailure::of(const RouterReply& reply) {
    using K = RouterFailure::Kind;
    if (reply.ok && FvPageReport::isOtherPage(reply.body))
        return make(K::NotAReport,
                    QStringLiteral("the router answered with a page that is not a task "
                                   "report (is the download service installed?)"),
                    kExitOffline);
    // A socket error carries no status line, so its number is tested first.
    const std::string text = reply.statusText + "\n" + reply.failureText;
    if (has(reply.failureText, "10061"))
        return make(K::Refused,
                    QStringLiteral("the router refused the connection: ") + msg::FormMainMsg0,
                    kExitRefused);
    if (has(reply.failureText, "11001"))
        return make(K::HostNotFound,
                    QStringLiteral("the router's address was not found: ") + msg::FormMainMsg0,
                    kExitOffline);
    if (has(text, "401"))
        return make(K::Rejected,
                    QStringLiteral("the router rejected the account: ") + msg::FormSetupMsg4,
                    kExitRejected);
    if (has(text, "600"))
        return make(K::Busy, QStringLiteral("the router is busy: ") + msg::FormSetupMsg5,
                    kExitBusy);
    return make(K::NoAnswer,
                QStringLiteral("no answer from the router (offline): ") + msg::FormMainMsg0,
                kExitOffline);
}

}  // namespace fv::cli
