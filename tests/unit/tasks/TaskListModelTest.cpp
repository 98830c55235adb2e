#include <gtest/gtest.h>

#include <QLocale>
#include <QSignalSpy>
#include <functional>
#include <stdexcept>
#include <vector>

#include "platform/DebugLog.h"
#include "tasks/TaskListModel.h"

namespace fv {
namespace {

using Row = TaskListRow;

Row makeRow(const QString& caption, int column, const QString& value,
            const QString& status = QStringLiteral("Downloading")) {
    Row row;
    row.caption = caption;
    row.texts[Row::Status] = status;
    if (column != Row::Status)
        row.texts[column] = value;
    else
        row.texts[Row::Status] = value;
    return row;
}

int sign(int v) {
    return (v > 0) - (v < 0);
}

struct CompareCase {
    const char* what;
    int column;
    QString a;
    QString b;
    int ascending;  // sign of compare(a, b) in ascending order
};

class CompareByColumn : public ::testing::TestWithParam<CompareCase> {};

TEST_P(CompareByColumn, AscendingAndDescending) {
    const CompareCase& c = GetParam();
    const Row a = c.column == Row::FileName ? makeRow(c.a, Row::Type, {})
                                            : makeRow(QStringLiteral("1"), c.column, c.a);
    const Row b = c.column == Row::FileName ? makeRow(c.b, Row::Type, {})
                                            : makeRow(QStringLiteral("2"), c.column, c.b);
    EXPECT_EQ(sign(TaskListModel::compareRows(a, b, c.column, false)), c.ascending) << c.what;
    EXPECT_EQ(sign(TaskListModel::compareRows(a, b, c.column, true)), -c.ascending) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Columns, CompareByColumn,
    ::testing::Values(
        CompareCase{"identifier, case folded", Row::FileName, "abc", "ABD", -1},
        CompareCase{"identifier equal ignoring case", Row::FileName, "Task7", "tASK7", 0},
        CompareCase{"identifier is text, not number", Row::FileName, "10", "9", -1},
        CompareCase{"identifier: underscore sorts after folded letters", Row::FileName, "a", "_",
                    -1},
        CompareCase{"type", Row::Type, "NZB", "bt", 1},
        CompareCase{"status", Row::Status, "Paused", "downloading", 1},
        CompareCase{"progress numeric", Row::Progress, "9%", "10%", -1},
        CompareCase{"progress not a number counts as 0", Row::Progress, "x%", "0%", 0},
        CompareCase{"size: 900 MB below 1.2 GB", Row::Size, "900 MB", "1.2 GB", -1},
        CompareCase{"size: decimal multiples, 1000 KB equals 1 MB", Row::Size, "1000 KB", "1 MB",
                    0},
        CompareCase{"size: plain bytes", Row::Size, "512 B", "1 KB", -1},
        CompareCase{"size: unitless", Row::Size, "2000", "1 KB", 1},
        CompareCase{"speed numeric", Row::DownloadSpeed, "9.5 KBps", "10 KBps", -1},
        CompareCase{"speed in MBps reads as 0", Row::UploadSpeed, "1 MBps", "0 KBps", 0},
        CompareCase{"speed in MBps below any KBps", Row::UploadSpeed, "5 MBps", "1 KBps", -1}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(TaskListCompare, RowsOutsideTheOrderEqualEverything) {
    const QString statuses[] = {QStringLiteral("Done"), QStringLiteral("in progress"), QString()};
    for (const QString& status : statuses) {
        for (int column = 0; column < Row::ColumnCount; ++column) {
            Row local =
                makeRow(QStringLiteral("zzz999"), Row::Size, QStringLiteral("1 GB"), status);
            Row other = makeRow(QStringLiteral("1"), Row::Size, QStringLiteral("1 MB"));
            EXPECT_EQ(TaskListModel::compareRows(local, other, column, false), 0);
            EXPECT_EQ(TaskListModel::compareRows(other, local, column, true), 0);
        }
    }
    // Only the exact words count: "Done!" takes part in the order.
    Row a = makeRow(QStringLiteral("a"), Row::Type, {}, QStringLiteral("Done!"));
    Row b = makeRow(QStringLiteral("b"), Row::Type, {}, QStringLiteral("Done!"));
    EXPECT_LT(TaskListModel::compareRows(a, b, Row::FileName, false), 0);
}

TEST(TaskListCompare, CommaLocaleStillOrdersRouterNumbers) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const struct {
        int column;
        const char* small;
        const char* large;
    } cases[] = {
        {Row::Size, "900 MB", "1.2 GB"},
        {Row::Size, "1.5 KB", "1.6 KB"},
        {Row::DownloadSpeed, "1.5 KBps", "1.75 KBps"},
        {Row::Progress, "12,3%", "12,4%"},  // as the list writes it under this locale
    };
    for (const auto& c : cases) {
        const Row a = makeRow(QStringLiteral("1"), c.column, QString::fromLatin1(c.small));
        const Row b = makeRow(QStringLiteral("2"), c.column, QString::fromLatin1(c.large));
        EXPECT_LT(TaskListModel::compareRows(a, b, c.column, false), 0)
            << c.small << " vs " << c.large;
    }
    QLocale::setDefault(saved);
}

std::vector<Row> sizeRows() {
    return {
        makeRow(QStringLiteral("t1"), Row::Size, QStringLiteral("900 MB")),
        makeRow(QStringLiteral("t2"), Row::Size, QStringLiteral("1.2 GB")),
        makeRow(QStringLiteral("t3"), Row::Size, QStringLiteral("5 KB")),
    };
}

QStringList captions(const TaskListModel& model) {
    QStringList out;
    for (const Row& r : model.rows())
        out << r.caption;
    return out;
}

struct ClickCase {
    const char* what;
    bool xp;
    std::vector<int> clicks;
    QStringList order;  // captions after the last click
    int sortState;
};

class SortClicks : public ::testing::TestWithParam<ClickCase> {};

TEST_P(SortClicks, DirectionToggles) {
    const ClickCase& c = GetParam();
    TaskListModel model(c.xp);
    std::vector<Row> rows = sizeRows();
    rows[0].texts[Row::Type] = QStringLiteral("NZB");
    rows[1].texts[Row::Type] = QStringLiteral("BT");
    rows[2].texts[Row::Type] = QStringLiteral("HTTP");
    model.replaceRows(rows);
    for (int column : c.clicks)
        model.sortByColumn(column);
    EXPECT_EQ(captions(model), c.order) << c.what;
    EXPECT_EQ(model.sortState(), c.sortState) << c.what;
    EXPECT_EQ(model.sortColumn(), c.clicks.back()) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, SortClicks,
    ::testing::Values(
        ClickCase{"size once: descending", false, {4}, {"t2", "t1", "t3"}, 8},
        ClickCase{"size twice: ascending", false, {4, 4}, {"t3", "t1", "t2"}, 9},
        ClickCase{"size three times: descending again", false, {4, 4, 4}, {"t2", "t1", "t3"}, 8},
        ClickCase{"size then type: descending by type", false, {4, 1}, {"t1", "t3", "t2"}, 2},
        ClickCase{"XP family: first click ascending", true, {4}, {"t3", "t1", "t2"}, 8},
        ClickCase{"XP family: second click descending", true, {4, 4}, {"t2", "t1", "t3"}, 9},
        ClickCase{"file name title orders by identifier", false, {0}, {"t3", "t2", "t1"}, 0},
        ClickCase{"file name title twice: ascending", false, {0, 0}, {"t1", "t2", "t3"}, 1}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(TaskListSort, SelectionFollowsTheIdentifier) {
    TaskListModel model;
    model.replaceRows(sizeRows());
    model.setSelectedRow(0);  // t1
    model.sortByColumn(Row::Size);
    ASSERT_EQ(captions(model), (QStringList{"t2", "t1", "t3"}));
    EXPECT_EQ(model.selectedRow(), 1);
}

TEST(TaskListSort, SelectedUploadRowMovesToFirstUploadRow) {
    TaskListModel model;
    std::vector<Row> rows = sizeRows();
    rows.push_back(makeRow(QStringLiteral("zzz999"), Row::FileName, QStringLiteral("a.torrent"),
                           QStringLiteral("in progress")));
    rows.push_back(makeRow(QStringLiteral("zzz999"), Row::FileName, QStringLiteral("b.nzb"),
                           QStringLiteral("in progress")));
    model.replaceRows(rows);
    model.setSelectedRow(4);
    model.sortByColumn(Row::Type);
    ASSERT_TRUE(model.validRow(model.selectedRow()));
    EXPECT_EQ(model.row(model.selectedRow()).caption, QStringLiteral("zzz999"));
    for (int i = 0; i < model.selectedRow(); ++i)
        EXPECT_NE(model.row(i).caption, QStringLiteral("zzz999"));
}

TEST(TaskListSort, NoSelectionStaysNoneEvenWithAnEmptyIdentifier) {
    TaskListModel model;
    std::vector<Row> rows = sizeRows();
    rows[2].caption.clear();
    model.replaceRows(rows);
    model.sortByColumn(Row::Size);
    EXPECT_EQ(model.selectedRow(), -1);
}

TEST(TaskListSort, ManyRowsEqualToEverythingStayInBoundsAndKeepEveryRow) {
    TaskListModel model;
    std::vector<Row> rows;
    for (int i = 0; i < 300; ++i) {
        const bool local = i % 3 == 0;
        rows.push_back(makeRow(local ? QStringLiteral("zzz999") : QString::number(i), Row::Size,
                               QString::number((i * 37) % 101) + QStringLiteral(" MB"),
                               local ? QStringLiteral("in progress") : QStringLiteral("Seeding")));
    }
    model.replaceRows(rows);
    model.sortByColumn(Row::Size);
    ASSERT_EQ(model.rowCount(), 300);
    QStringList before, after;
    for (const Row& r : rows)
        before << r.caption + r.texts[Row::Size];
    for (const Row& r : model.rows())
        after << r.caption + r.texts[Row::Size];
    before.sort();
    after.sort();
    EXPECT_EQ(before, after);
}

TEST(TaskListModel, RebuildKeepsTheIndexAndResetClearsIt) {
    TaskListModel model;
    model.replaceRows(sizeRows());
    model.setTopRow(1);
    model.selectDrawnLine(1);
    EXPECT_EQ(model.selectedRow(), 2);
    model.replaceRows(sizeRows());
    EXPECT_EQ(model.selectedRow(), 2);
    model.resetView();
    EXPECT_EQ(model.selectedRow(), -1);
    EXPECT_EQ(model.topRow(), 0);
}

TEST(TaskListModel, openDrawnLine) {
    TaskListModel model;
    std::vector<Row> rows = sizeRows();
    rows[1].texts[Row::FileName] = QStringLiteral("b.iso");
    rows[2].texts[Row::FileName] = QStringLiteral("c.iso");
    model.replaceRows(rows);
    model.setTopRow(1);
    int views = 0;
    // Line 2 shows no row, and row 0 (not shown) has no name either way.
    EXPECT_FALSE(model.openDrawnLine(2, [&] { ++views; }));
    EXPECT_EQ(model.selectedRow(), -1);
    EXPECT_TRUE(model.openDrawnLine(1, [&] { ++views; }));
    EXPECT_EQ(views, 1);
    EXPECT_EQ(model.selectedRow(), 2);
    EXPECT_TRUE(model.row(2).selected);
    LogCapture log;
    EXPECT_TRUE(model.openDrawnLine(0, [] { throw std::runtime_error("share gone"); }));
    EXPECT_TRUE(
        log.contains("FVPageInfoImageListViewLineOnDblClickAction(); E.Message = share gone"));
}

TEST(TaskListModel, GroupedChangesRepaintOnce) {
    TaskListModel model;
    QSignalSpy spy(&model, &TaskListModel::rowsChanged);
    model.beginUpdate();
    model.appendRow(makeRow("a", Row::Size, "1 B"));
    model.appendRow(makeRow("b", Row::Size, "1 B"));
    model.removeRow(0);
    EXPECT_EQ(spy.count(), 0);
    model.endUpdate();
    EXPECT_EQ(spy.count(), 1);
    model.replaceRows(sizeRows());
    EXPECT_EQ(spy.count(), 2);
}

// The list skips its once-a-second redraw while the revision stands still, so every change it
// shows must move it, grouped or not.
TEST(TaskListModel, EveryShownChangeMovesTheRevision) {
    const struct {
        const char* what;
        std::function<void(TaskListModel&)> change;
    } cases[] = {
        {"rows replaced", [](TaskListModel& m) { m.replaceRows(sizeRows()); }},
        {"row appended", [](TaskListModel& m) { m.appendRow(makeRow("z", Row::Size, "1 B")); }},
        {"row removed", [](TaskListModel& m) { m.removeRow(0); }},
        {"cleared", [](TaskListModel& m) { m.clear(); }},
        {"selection", [](TaskListModel& m) { m.setSelectedRow(1); }},
        {"scrolled", [](TaskListModel& m) { m.setTopRow(1); }},
        {"view reset", [](TaskListModel& m) { m.resetView(); }},
        {"sorted", [](TaskListModel& m) { m.sortByColumn(Row::Size); }},
        {"grouped",
         [](TaskListModel& m) {
             m.beginUpdate();
             m.removeRow(0);
             m.endUpdate();
         }},
    };
    for (const auto& c : cases) {
        TaskListModel model;
        model.replaceRows(sizeRows());
        const uint64_t before = model.revision();
        c.change(model);
        EXPECT_NE(model.revision(), before) << c.what;
    }
}

}  // namespace
}  // namespace fv
