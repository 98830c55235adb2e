// The task list model as the main window drives it (TaskListControl), through the filter: the
// window sees, scrolls and selects only the rows the filter lets through, and every index it
// hands back is turned into the model's own, so the commands act on the row the user chose.
#pragma once

#include <vector>

#include "app/TaskListControl.h"
#include "tasks/TaskFilter.h"
#include "tasks/TaskListModel.h"

namespace fv {

class TaskListModelControl final : public TaskListControl {
  public:
    explicit TaskListModelControl(TaskListModel& model) : model_(model), all_(model) {}

    int rowCount() const override;
    QString caption(int row) const override;
    QString text(int row, int column) const override;
    std::optional<uint64_t> revision() const override { return model_.revision() + filterChanges_; }
    void sortByColumn(int column) override { model_.sortByColumn(column); }
    int selectedRow() const override { return shownIndex(model_.selectedRow()); }
    int topRow() const override { return model_.topRow(); }
    void setViewState(int topRow, int selectedRow) override;
    void markRow(int row) override { model_.setRowSelected(modelRow(row), true); }
    const TaskRowSource& allRows() const override { return all_; }

    // A new filter shows its rows from the top; a selected row it hides is deselected.
    void setFilter(const TaskFilter& filter);
    const TaskFilter& filter() const { return filter_; }
    // After a rebuild the kept selection index may point at a row the filter hides; the
    // commands must not act on a row the user cannot see, so it is deselected.
    void dropHiddenSelection();
    // The model's index of shown row `row`; -1 when out of range. Without a filter the
    // index is the model's own, also past the end (the selection may point there).
    int modelRow(int row) const;
    // The shown index of model row `row`; -1 when the filter hides it.
    int shownIndex(int row) const;

    TaskListModel& model() { return model_; }

  private:
    // Every row of the model, unfiltered.
    class AllRows final : public TaskRowSource {
      public:
        explicit AllRows(const TaskListModel& model) : model_(model) {}
        int rowCount() const override { return model_.rowCount(); }
        QString caption(int row) const override;
        QString text(int row, int column) const override;
        std::optional<uint64_t> revision() const override { return model_.revision(); }

      private:
        const TaskListModel& model_;
    };

    std::vector<int> shownRows() const;

    TaskListModel& model_;
    AllRows all_;
    TaskFilter filter_;
    uint64_t filterChanges_ = 0;
};

}  // namespace fv
