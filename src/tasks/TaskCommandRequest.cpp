#include "tasks/TaskCommandRequest.h"

#include "platform/DebugLog.h"

namespace fv {

bool TaskCommandRequest::execute() {
    DebugLog::write("TFVPageButtonControlThread::Execute()\r\n");
    RouterRequest request;
    request.pathAndQuery = "//ferrovane//" + commandText_ + gateway_.cacheBreaker();
    request.connectTimeoutMs = kTimeoutMs;
    request.readTimeoutMs = kTimeoutMs;
    request.loginFirst = true;
    const RouterReply reply = gateway_.get(request);
    if (!reply.ok) {
        DebugLog::write("TFVPageButtonControlThread - http connect fault!; E.Message = " +
                        reply.failureText);
    }
    DebugLog::write("TFVPageButtonControlThread::Execute()-end\r\n");
    return reply.ok;
}

}  // namespace fv
