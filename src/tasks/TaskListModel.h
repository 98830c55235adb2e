// The task list as a store of rows that the refresh fills and the skinned list draws five at
// a time, with its selection, scroll position and the ordering on a column title click.
// UI thread only; rowsChanged() is the one repaint request per change.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "tasks/TaskListRow.h"

namespace fv {

class TaskListModel : public QObject {
    Q_OBJECT

  public:
    // xpFamily: the order of the first click on a title is reversed on that system family.
    explicit TaskListModel(bool xpFamily = false, QObject* parent = nullptr);

    int rowCount() const { return static_cast<int>(rows_.size()); }
    const TaskListRow& row(int index) const { return rows_.at(static_cast<size_t>(index)); }
    const std::vector<TaskListRow>& rows() const { return rows_; }
    bool validRow(int index) const { return index >= 0 && index < rowCount(); }
    // Counts the changes that reached a repaint request (grouped ones count once or more).
    uint64_t revision() const { return revision_; }

    // The rebuild after a refresh: the rows in report order, the selected index kept.
    void replaceRows(std::vector<TaskListRow> rows);
    void appendRow(TaskListRow row);
    void removeRow(int index);
    void clear();
    void setRowSelected(int index, bool selected);

    // Groups several changes into one repaint.
    void beginUpdate() { ++updateDepth_; }
    void endUpdate();

    int32_t selectedRow() const { return selectedRow_; }
    int32_t topRow() const { return topRow_; }
    void setSelectedRow(int32_t row);
    void setTopRow(int32_t row);
    int32_t sortColumn() const { return sortColumn_; }
    int32_t sortState() const { return sortState_; }
    // The title and direction an earlier run ended with, so the next click on that title
    // continues its toggle. Refused (false) unless state is column * 2 or column * 2 + 1.
    bool restoreSort(int32_t column, int32_t state);

    // The list reset: no selection, first row on top.
    void resetView();
    // A click on drawn line k (0-4) selects topRow + k.
    void selectDrawnLine(int k);
    // A double click on drawn line k: nothing when the line shows no name; otherwise the
    // row is selected, marked, and view (the open-finished-file action) runs. A failure of
    // view is logged, never thrown. Returns whether view ran.
    bool openDrawnLine(int k, const std::function<void()>& view);

    // A click on a column title: toggles the direction and reorders, keeping the selected
    // task selected (found again by identifier).
    void sortByColumn(int column);

    // Negative, zero or positive. Rows whose status is "Done", "in progress" or empty
    // compare equal to every row.
    static int compareRows(const TaskListRow& row1, const TaskListRow& row2, int column,
                           bool descending);

  signals:
    void rowsChanged();
    // After replaceRows: a refresh delivered a new list (selection and scrolling do not).
    void rebuilt();

  private:
    void changed();

    bool xpFamily_;
    std::vector<TaskListRow> rows_;
    int32_t selectedRow_ = -1;
    int32_t topRow_ = 0;
    int32_t sortColumn_ = 0;
    int32_t sortState_ = 1;
    int updateDepth_ = 0;
    bool pending_ = false;
    uint64_t revision_ = 0;
};

}  // namespace fv
