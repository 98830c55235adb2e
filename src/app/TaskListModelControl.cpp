#include "app/TaskListModelControl.h"

namespace fv {

void TaskListModelControl::setViewState(int topRow, int selectedRow) {
    if (topRow == model_.topRow() && selectedRow == model_.selectedRow())
        return;
    // One repaint request for both values.
    model_.beginUpdate();
    model_.setTopRow(topRow);
    model_.setSelectedRow(selectedRow);
    model_.endUpdate();
}

}  // namespace fv
