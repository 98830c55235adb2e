// The task list as the main window drives it: the rows to draw plus the ordering on a title
// click and the shared top row and selection. The task list model is adapted to this.
#pragma once

#include "app/TaskRowSource.h"

namespace fv {

class TaskListControl : public TaskRowSource {
  public:
    // sortByColumn: reorders and finds the selected task again by its identifier.
    virtual void sortByColumn(int column) = 0;
    virtual int selectedRow() const = 0;
    virtual int topRow() const = 0;
    // The drawn list moved its top row or selection.
    virtual void setViewState(int topRow, int selectedRow) = 0;
    // A double or right click marks the row it acts on.
    virtual void markRow(int row) { (void)row; }
    // Every row, whatever the list shows (the tray's totals and the speed history count all).
    virtual const TaskRowSource& allRows() const { return *this; }
};

}  // namespace fv
