// Turns the task table and the upload queue into task list rows. Runs off the UI thread;
// the caller applies the rows to the model on the UI thread in one change.
#pragma once

#include <string>
#include <vector>

#include "tasks/QueueRowSource.h"
#include "tasks/TaskListRow.h"
#include "tasks/TaskReportRow.h"

namespace fv {

class TaskTable;

struct ListBuildResult {
    std::vector<TaskListRow> rows;
    bool failed = false;  // the rows stop at the failing task; the failure is logged
    // Under BadProgress::ShowBlank: the tasks whose progress was not a number.
    std::vector<QString> unreadableProgress;
};

// What a progress field that is not a number does to the build: the window's list stops
// there (as the router's own client does); a command-line listing shows the task with a
// blank progress and goes on.
enum class BadProgress { EndList, ShowBlank };

class TaskListBuilder {
  public:
    // The router rows in report order, then one row per queued file. A progress field that
    // is not a number stops the build there.
    static ListBuildResult buildRows(const TaskTable& table, const std::vector<QueueRow>& queue,
                                     BadProgress badProgress = BadProgress::EndList);

    // Same, over a table the caller already holds.
    static void build(const TaskReportTable& table, const std::vector<QueueRow>& queue,
                      ListBuildResult& result, BadProgress badProgress = BadProgress::EndList);

    // A router task's row; false when its progress field is not a number.
    static bool routerRow(const TaskReportRow& info, TaskListRow& row, std::string& failure,
                          const QString& decimalPoint);
    // A queued file's row as the list build shows it.
    static TaskListRow uploadRow(const QueueRow& entry);
    // A queued file's row as the offline refresh shows it (no type, no progress).
    static TaskListRow offlineUploadRow(const QueueRow& entry);
};

}  // namespace fv
