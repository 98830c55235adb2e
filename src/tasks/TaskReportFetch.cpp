#include "tasks/TaskReportFetch.h"

#include <mutex>

#include "platform/DebugLog.h"

namespace fv {

bool TaskReportFetch::execute() {
    std::lock_guard gate(table_.fetchGate());
    RouterRequest request;
    request.pathAndQuery = std::string(kPath) + gateway_.cacheBreaker();
    request.connectTimeoutMs = kTimeoutMs;
    request.readTimeoutMs = kTimeoutMs;
    request.loginFirst = true;
    request.expectsReport = true;
    const RouterReply reply = gateway_.get(request);
    if (!reply.ok) {
        DebugLog::write("FVPageHttpGet - http connect fault!; E.Message = " + reply.failureText);
        return false;
    }
    if (reply.kind == FailureKind::NotAReport)
        return false;
    table_.parseReport(reply.body);
    return true;
}

}  // namespace fv
