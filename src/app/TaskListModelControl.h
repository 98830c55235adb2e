// The task list model as the main window drives it (TaskListControl).
#pragma once

#include "app/TaskListControl.h"
#include "tasks/TaskListModel.h"

namespace fv {

class TaskListModelControl final : public TaskListControl {
  public:
    explicit TaskListModelControl(TaskListModel& model) : model_(model) {}

    int rowCount() const override { return model_.rowCount(); }
    QString caption(int row) const override {
        return model_.validRow(row) ? model_.row(row).caption : QString();
    }
    QString text(int row, int column) const override {
        if (!model_.validRow(row) || column < 0 || column >= kColumnCount)
            return {};
        return model_.row(row).texts[static_cast<size_t>(column)];
    }
    void sortByColumn(int column) override { model_.sortByColumn(column); }
    int selectedRow() const override { return model_.selectedRow(); }
    int topRow() const override { return model_.topRow(); }
    void setViewState(int topRow, int selectedRow) override;
    void markRow(int row) override { model_.setRowSelected(row, true); }

    TaskListModel& model() { return model_; }

  private:
    TaskListModel& model_;
};

}  // namespace fv
