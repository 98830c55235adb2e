#include "cli/TaskListFetch.h"

#include <algorithm>

#include "cli/CliExit.h"

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

TaskLookup TaskListFetch::findTask(StandardRouterGateway& gateway, const QString& id,
                                   CliOutput& io) {
    const TaskListResult list = run(
        gateway, {}, [&] { return gateway.lastReply(); }, io.texts());
    if (list.failure) {
        io.error(list.failure->message);
        return {std::nullopt, list.failure->exitCode};
    }
    const auto row = std::find_if(list.rows.begin(), list.rows.end(), [&](const TaskListRow& r) {
        return !r.isUploadRow() && r.caption.compare(id, Qt::CaseInsensitive) == 0;
    });
    if (row == list.rows.end()) {
        io.error(QStringLiteral("the router has no task with ID \"%1\"").arg(id));
        return {std::nullopt, kExitBadInput};
    }
    return {*row, kExitOk};
}

}  // namespace fv::cli
