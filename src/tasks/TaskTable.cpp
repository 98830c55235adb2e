#include "tasks/TaskTable.h"

namespace fv {

int TaskTable::parseReport(std::string_view body) {
    std::lock_guard lock(mutex_);
    return TaskReport::parse(body, table_, scratch_);
}

void TaskTable::read(const std::function<void(const TaskReportTable&)>& read) const {
    std::lock_guard lock(mutex_);
    read(table_);
}

int TaskTable::count() const {
    std::lock_guard lock(mutex_);
    return table_.count;
}

}  // namespace fv
