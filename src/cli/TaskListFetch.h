// One read of the router's task list as the window's refresh does it: the fetch worker fills
// a task table, the list build turns it and the local queue into rows, router rows first and
// one row per queued file last.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "cli/CliOutput.h"
#include "cli/RouterFailure.h"
#include "i18n/MessageTexts.h"
#include "tasks/QueueRowSource.h"
#include "tasks/RouterGateway.h"
#include "tasks/StandardRouterGateway.h"
#include "tasks/TaskListRow.h"

namespace fv::cli {

struct TaskLookup {
    std::optional<TaskListRow> row;  // set when the router lists the task
    int exitCode = 0;                // otherwise why not (the error line is already written)
};

struct TaskListResult {
    std::optional<RouterFailure> failure;  // set when the router gave no report
    std::vector<TaskListRow> rows;
    std::vector<QString> unreadableProgress;  // IDs of tasks listed with a blank progress
};

class TaskListFetch {
  public:
    // lastReply: the gateway's record of the exchange, read only when the fetch failed.
    static TaskListResult run(RouterGateway& gateway, const std::vector<QueueRow>& queue,
                              const std::function<RouterReply()>& lastReply,
                              const MessageTexts& texts = MessageTexts::english());

    // The router's task with this ID, as the list finds a task again after sorting: by ID,
    // whatever the case. A failed read or an unknown ID is reported on io.
    static TaskLookup findTask(StandardRouterGateway& gateway, const QString& id, CliOutput& io);
};

}  // namespace fv::cli
