#include "cli/TaskListFetch.h"

#include "tasks/TGetFVPageInfoThread.h"
#include "tasks/TaskListBuilder.h"
#include "tasks/TaskTable.h"

namespace fv::cli {

TaskListResult TaskListFetch::run(RouterGateway& gateway, const std::vector<QueueRow>& queue,
                                  const std::function<RouterReply()>& lastReply) {
    TaskListResult result;
    TaskTable table;
    if (!TGetFVPageInfoThread(gateway, table).Execute()) {
        result.failure = RouterFailure::of(lastReply ? lastReply() : RouterReply{});
        return result;
    }
    ListBuildResult built = TaskListBuilder::ParseFVPageResultToListViewThread_Main(table, queue);
    result.rows = std::move(built.rows);
    result.partial = built.failed;
    return result;
}

}  // namespace fv::cli
