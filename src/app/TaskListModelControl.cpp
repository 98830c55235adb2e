#include "app/TaskListModelControl.h"

#include <algorithm>

#include "tasks/TimeLeft.h"

namespace fv {
namespace {

QString cellOf(const TaskListModel& model, int row, int column) {
    if (!model.validRow(row) || column < 0 || column >= kColumnCount)
        return {};
    if (column == kColTimeLeft)
        return TimeLeft::of(model.row(row)).text();
    return model.row(row).texts[static_cast<size_t>(column)];
}

}  // namespace

QString TaskListModelControl::AllRows::caption(int row) const {
    return model_.validRow(row) ? model_.row(row).caption : QString();
}

QString TaskListModelControl::AllRows::text(int row, int column) const {
    return cellOf(model_, row, column);
}

std::vector<int> TaskListModelControl::shownRows() const {
    std::vector<int> shown;
    for (int i = 0; i < model_.rowCount(); ++i)
        if (filter_.matches(model_.row(i)))
            shown.push_back(i);
    return shown;
}

int TaskListModelControl::rowCount() const {
    return filter_.active() ? static_cast<int>(shownRows().size()) : model_.rowCount();
}

int TaskListModelControl::modelRow(int row) const {
    if (!filter_.active())
        return row;
    const std::vector<int> shown = shownRows();
    return row >= 0 && row < static_cast<int>(shown.size()) ? shown[size_t(row)] : -1;
}

int TaskListModelControl::shownIndex(int row) const {
    if (!filter_.active())
        return row;
    const std::vector<int> shown = shownRows();
    const auto it = std::find(shown.begin(), shown.end(), row);
    return it == shown.end() ? -1 : static_cast<int>(it - shown.begin());
}

QString TaskListModelControl::caption(int row) const {
    const int m = modelRow(row);
    return model_.validRow(m) ? model_.row(m).caption : QString();
}

QString TaskListModelControl::text(int row, int column) const {
    return cellOf(model_, modelRow(row), column);
}

void TaskListModelControl::setViewState(int topRow, int selectedRow) {
    const int selected = modelRow(selectedRow);
    if (topRow == model_.topRow() && selected == model_.selectedRow())
        return;
    // One repaint request for both values.
    model_.beginUpdate();
    model_.setTopRow(topRow);
    model_.setSelectedRow(selected);
    model_.endUpdate();
}

void TaskListModelControl::setFilter(const TaskFilter& filter) {
    if (filter == filter_)
        return;
    filter_ = filter;
    ++filterChanges_;
    model_.beginUpdate();
    dropHiddenSelection();
    model_.setTopRow(0);
    model_.endUpdate();
}

void TaskListModelControl::dropHiddenSelection() {
    if (filter_.active() && model_.selectedRow() != -1 && shownIndex(model_.selectedRow()) < 0)
        model_.setSelectedRow(-1);
}

}  // namespace fv
