// The rows the skinned list shows, in display order. The task list model adapts itself to this
// so the drawing rules can be exercised over plain tables in tests.
#pragma once

#include <QString>

namespace fv {

// Column indices of a row's texts, in the list's column order.
enum TaskColumn : int {
    kColName = 0,
    kColType = 1,
    kColProgress = 2,
    kColStatus = 3,
    kColSize = 4,
    kColDLSpeed = 5,
    kColUpSpeed = 6,
    kColumnCount = 7
};

class TaskRowSource {
  public:
    virtual ~TaskRowSource() = default;
    virtual int rowCount() const = 0;
    // The task identifier ("zzz999" for local upload rows).
    virtual QString caption(int row) const = 0;
    // Empty for a row or column out of range.
    virtual QString text(int row, int column) const = 0;
};

}  // namespace fv
