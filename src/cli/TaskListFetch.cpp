#include "cli/TaskListFetch.h"

#include "tasks/TaskListBuilder.h"
#include "tasks/TaskReportFetch.h"
#include "tasks/TaskTable.h"

namespace fv::cli {

TaskListResult TaskListFetch::run(RouterGateway& gateway, const std::vector<QueueRow>& queue,
                                  const std::function<RouterReply()>& lastReply,
                                  const MessageTexts& texts) {
    TaskListResult result;
    TaskTable table;
    if (!TaskReportFetch(gateway, table).execute()) {
        result.failure = RouterFailure::of(lastReply ? lastReply() : RouterReply{}, texts);
        return result;
    }
    // One broken task must not hide the ones after it from a listing.
    ListBuildResult built = TaskListBuilder::buildRows(table, queue, BadProgress::ShowBlank);
    result.rows = std::move(built.rows);
    result.unreadableProgress = std::move(built.unreadableProgress);
    return result;
}

}  // namespace fv::cli
