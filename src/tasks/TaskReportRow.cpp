#include "tasks/TaskReportRow.h"

#include <algorithm>

namespace fv {

TaskReportRow* TaskReportTable::nextRow() {
    if (count >= kMaxRows)
        return nullptr;
    if (static_cast<size_t>(count) >= rows.size())
        rows.resize(std::max<size_t>(kInitialRows, rows.size() * 2));
    return &rows[static_cast<size_t>(count)];
}

}  // namespace fv
