// The task table shared by the fetch worker (writes) and the list build (reads).
//
// Threading: fetches hold fetchGate() for their whole request, so two fetches never overlap
// even when one outlasts a refresh interval. The parse and the list build hold the table
// lock, so a build never reads rows the next parse is rewriting.
#pragma once

#include <functional>
#include <mutex>
#include <string_view>

#include "tasks/TaskReport.h"
#include "tasks/TaskReportRow.h"

namespace fv {

class TaskTable {
  public:
    // Rewrites the table from a report; returns the row count.
    int parseReport(std::string_view body);

    // Runs read with the table locked; read must not call back into this table.
    void read(const std::function<void(const TaskReportTable&)>& read) const;

    int count() const;
    std::mutex& fetchGate() { return fetchGate_; }

  private:
    mutable std::mutex mutex_;
    std::mutex fetchGate_;
    TaskReportTable table_;
    TaskReport::Scratch scratch_;
};

}  // namespace fv
