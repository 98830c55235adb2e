// The task list as the window sees it through the filter: the rows it shows, the time left it
// draws, and the model indices that reach the commands.
#include <gtest/gtest.h>

#include "app/TaskListModelControl.h"

namespace fv {
namespace {

using Row = TaskListRow;
using S = TaskFilter::Status;

Row task(const char* id, const char* name, const char* status) {
    Row r;
    r.caption = id;
    r.texts[Row::FileName] = name;
    r.texts[Row::Status] = status;
    r.texts[Row::Progress] = "50%";
    r.texts[Row::Size] = "2.0 MB";
    r.texts[Row::DownloadSpeed] = "1.0 KB/s";
    return r;
}

std::vector<Row> fiveRows() {
    return {task("1", "a.iso", "Downloading"), task("2", "b.mkv", "Seeding"),
            task("3", "c.iso", "Paused"), task("4", "d.iso", "Downloading"),
            task("zzz999", "e.torrent", "in progress")};
}

QStringList captions(const TaskListControl& c) {
    QStringList out;
    for (int i = 0; i < c.rowCount(); ++i)
        out << c.caption(i);
    return out;
}

TEST(TaskListFilter, ShowsTheMatchingRowsAndTheirTimeLeft) {
    TaskListModel model;
    model.replaceRows(fiveRows());
    TaskListModelControl control(model);
    EXPECT_EQ(captions(control), QStringList({"1", "2", "3", "4", "zzz999"}));
    EXPECT_EQ(control.text(0, kColTimeLeft), "17:04");
    EXPECT_EQ(control.text(1, kColTimeLeft), "") << "seeding";
    EXPECT_EQ(control.text(2, kColTimeLeft), "17:04") << "the reported speed decides, not the word";

    control.setFilter({"iso", S::All});
    EXPECT_EQ(captions(control), QStringList({"1", "3", "4"}));
    EXPECT_EQ(control.text(1, kColName), "c.iso");
    EXPECT_EQ(control.text(3, kColName), "") << "past the shown rows";
    control.setFilter({"iso", S::Downloading});
    EXPECT_EQ(captions(control), QStringList({"1", "4"}));
    EXPECT_EQ(control.allRows().rowCount(), 5) << "the tray's totals count every row";
    EXPECT_EQ(control.allRows().caption(4), "zzz999");
}

TEST(TaskListFilter, AnotherFilterMovesTheRevisionTheSameOneDoesNot) {
    TaskListModel model;
    model.replaceRows(fiveRows());
    TaskListModelControl control(model);
    const auto before = control.revision();
    ASSERT_TRUE(before);
    control.setFilter({});
    EXPECT_EQ(control.revision(), before) << "no filter again";
    control.setFilter({"iso", S::All});
    EXPECT_NE(control.revision(), before);
}

TEST(TaskListFilter, SelectionReachesTheModelAsItsOwnIndex) {
    TaskListModel model;
    model.replaceRows(fiveRows());
    TaskListModelControl control(model);
    control.setFilter({"", S::Downloading});  // rows 0 and 3 of the model
    control.setViewState(0, 1);
    EXPECT_EQ(model.selectedRow(), 3) << "the commands act on d.iso";
    EXPECT_EQ(control.selectedRow(), 1);
    control.markRow(1);
    EXPECT_TRUE(model.row(3).selected);
    EXPECT_FALSE(model.row(1).selected);

    // A title click reorders the model; the shown selection follows the task.
    model.sortByColumn(Row::FileName);  // descending by identifier: 4, 3, 2, 1, then zzz999
    EXPECT_EQ(model.row(model.selectedRow()).caption, "4");
    EXPECT_EQ(control.caption(control.selectedRow()), "4");

    // A filter that hides the selected task deselects it, so no command hits an unseen row.
    control.setFilter({"", S::Paused});
    EXPECT_EQ(model.selectedRow(), -1);
    EXPECT_EQ(control.topRow(), 0);
}

TEST(TaskListFilter, RebuildKeepsNoSelectionTheFilterHides) {
    TaskListModel model;
    model.replaceRows(fiveRows());
    TaskListModelControl control(model);
    control.setFilter({"iso", S::All});
    control.setViewState(0, 2);  // d.iso, model row 3
    ASSERT_EQ(model.selectedRow(), 3);
    // The next report lists the tasks in another order: index 3 is now b.mkv.
    std::vector<Row> next = fiveRows();
    std::swap(next[1], next[3]);
    model.replaceRows(next);
    control.dropHiddenSelection();
    EXPECT_EQ(model.selectedRow(), -1);
    // An index the filter shows stays, as without a filter.
    control.setViewState(0, 0);
    model.replaceRows(next);
    control.dropHiddenSelection();
    EXPECT_EQ(model.selectedRow(), 0);
}

TEST(TaskListFilter, WithoutAFilterIndicesPassUnchanged) {
    TaskListModel model;
    model.replaceRows(fiveRows());
    TaskListModelControl control(model);
    // The list reset and a selection past the end (kept through a rebuild) are the model's.
    control.setViewState(2, 7);
    EXPECT_EQ(model.selectedRow(), 7);
    EXPECT_EQ(control.selectedRow(), 7);
    control.dropHiddenSelection();
    EXPECT_EQ(model.selectedRow(), 7);
    EXPECT_EQ(control.modelRow(-1), -1);
    int repaints = 0;
    QObject::connect(&model, &TaskListModel::rowsChanged, [&] { ++repaints; });
    control.setFilter({});
    EXPECT_EQ(repaints, 0) << "the same filter again changes nothing";
}

}  // namespace
}  // namespace fv
