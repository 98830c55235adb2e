// The rows the skinned list shows, in display order. The task list model adapts itself to this
// so the drawing rules can be exercised over plain tables in tests.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "tasks/TaskListRow.h"

namespace fv {

// Column indices of a row's texts, in the list's column order: the task list's own, under the
// short names the drawing code uses.
enum TaskColumn : int {
    kColName = TaskListRow::FileName,
    kColType = TaskListRow::Type,
    kColProgress = TaskListRow::Progress,
    kColStatus = TaskListRow::Status,
    kColSize = TaskListRow::Size,
    kColDLSpeed = TaskListRow::DownloadSpeed,
    kColUpSpeed = TaskListRow::UploadSpeed,
    kColTimeLeft = TaskListRow::kTimeLeftColumn,
    kColumnCount = TaskListRow::kShownColumnCount
};

class TaskRowSource {
  public:
    virtual ~TaskRowSource() = default;
    virtual int rowCount() const = 0;
    // The task identifier ("zzz999" for local upload rows).
    virtual QString caption(int row) const = 0;
    // Empty for a row or column out of range.
    virtual QString text(int row, int column) const = 0;
    // Changes whenever any row, text or the rows' order may have changed; a source that does
    // not keep count answers nothing, and its readers assume a change every time.
    virtual std::optional<uint64_t> revision() const { return std::nullopt; }
};

}  // namespace fv
