// The task-list fetch: one GET of the status report, parsed into the task table. Runs on a
// worker thread; the table is untouched when the fetch fails.
#pragma once

#include "tasks/RouterGateway.h"
#include "tasks/TaskTable.h"

namespace fv {

class TaskReportFetch {
  public:
    static constexpr int kTimeoutMs = 4000;
    static constexpr const char* kPath = "/ferrovane/fv_print_status.cgi?action_mode=All";

    TaskReportFetch(RouterGateway& gateway, TaskTable& table) : gateway_(gateway), table_(table) {}

    // True when a report was read (the offline flag is then cleared), false otherwise.
    // Waits for a fetch still running, so two fetches never overlap.
    bool execute();

  private:
    RouterGateway& gateway_;
    TaskTable& table_;
};

}  // namespace fv
