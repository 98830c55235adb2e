#include "app/TaskLinesView.h"

#include <gtest/gtest.h>

#include "TableRows.h"
#include "app/VerticalScrollRule.h"

namespace fv {
namespace {

using test::TableRows;

QString nameOn(const TaskLinesView& v, int line) {
    return v.line(line).texts[kColName];
}

TEST(TaskLinesView, PaintsFromTopRowAndKeepsLinesPastTheEnd) {
    struct Case {
        int rows;
        int top;
        std::array<const char*, 5> names;  // "" = untouched
    };
    const Case cases[] = {
        {7, 0, {"task0", "task1", "task2", "task3", "task4"}},
        {7, 2, {"task2", "task3", "task4", "task5", "task6"}},
        {3, 0, {"task0", "task1", "task2", "", ""}},
    };
    for (const Case& c : cases) {
        TableRows rows = TableRows::numbered(c.rows);
        TaskLinesView v;
        v.setTopRow(c.top, c.rows);
        v.paint(rows);
        for (int n = 0; n < 5; ++n) {
            EXPECT_EQ(nameOn(v, n), QString::fromUtf8(c.names[n])) << c.rows << "/" << c.top;
            EXPECT_EQ(v.line(n).acceptsInput, *c.names[n] != '\0');
        }
    }
}

TEST(TaskLinesView, PaintSetsProgressPictureAndAllColumns) {
    TableRows rows;
    rows.rows.push_back({"a", {"n", "NZB", "100%", "Finished", "2 GB", "0 KBps", "9 KBps"}});
    TaskLinesView v;
    v.paint(rows);
    EXPECT_EQ(v.line(0).picture, 5);
    EXPECT_EQ(v.line(0).texts[kColUpSpeed], "9 KBps");
    EXPECT_EQ(v.line(1).picture, -1);
}

TEST(TaskLinesView, EmptyModelPaintsNothing) {
    TableRows rows = TableRows::numbered(2);
    TaskLinesView v;
    v.paint(rows);
    rows.rows.clear();
    v.paint(rows);
    EXPECT_EQ(nameOn(v, 0), "task0");  // kept until the timer clears it
    v.timerTick(rows);
    EXPECT_TRUE(nameOn(v, 0).isEmpty());
}

TEST(TaskLinesView, TimerClearsLinesAfterTheModelShrinks) {
    TableRows rows = TableRows::numbered(5);
    TaskLinesView v;
    v.paint(rows);
    v.selectLine(4);
    rows.rows.resize(2);
    v.timerTick(rows);
    for (int n = 0; n < 5; ++n)
        EXPECT_EQ(nameOn(v, n).isEmpty(), n >= 2) << n;
    EXPECT_EQ(v.selectedRow(), -1);
    EXPECT_EQ(v.highlightedLine(), -1);
}

TEST(TaskLinesView, TimerPullsBackAViewScrolledPastTheNewEnd) {
    TableRows rows = TableRows::numbered(12);
    TaskLinesView v;
    v.setTopRow(7, 12);
    v.paint(rows);
    rows.rows.resize(8);
    v.timerTick(rows);
    EXPECT_EQ(v.topRow(), 3);
    EXPECT_EQ(nameOn(v, 0), "task3");
    EXPECT_EQ(nameOn(v, 4), "task7");
}

TEST(TaskLinesView, ResetClearsSelectionTopAndLines) {
    TableRows rows = TableRows::numbered(9);
    TaskLinesView v;
    v.setTopRow(3, 9);
    v.paint(rows);
    v.selectLine(1);
    v.reset();
    EXPECT_EQ(v.topRow(), 0);
    EXPECT_EQ(v.selectedRow(), -1);
    EXPECT_EQ(v.highlightedLine(), -1);
    for (int n = 0; n < 5; ++n)
        EXPECT_TRUE(v.line(n).empty());
}

TEST(TaskLinesView, HighlightOnlyWhenSelectionIsVisible) {
    struct Case {
        int top;
        int selected;
        int line;
    };
    const Case cases[] = {{0, 0, 0}, {0, 4, 4},   {0, 5, -1}, {3, 2, -1},
                          {3, 7, 4}, {0, -1, -1}, {5, 19, -1}};
    for (const Case& c : cases) {
        TaskLinesView v;
        v.setTopRow(c.top, 20);
        v.setSelectedRow(c.selected);
        v.highlight(20);
        EXPECT_EQ(v.highlightedLine(), c.line) << c.top << "/" << c.selected;
    }
}

TEST(TaskLinesView, ScrollingStaysWithinTheRows) {
    using Op = bool (*)(TaskLinesView&, int);
    struct Case {
        const char* what;
        int rows;
        int top;
        Op op;
        int expectTop;
        bool moved;
    };
    const Op up = [](TaskLinesView& v, int) { return v.lineUp(); };
    const Op down = [](TaskLinesView& v, int n) { return v.lineDown(n); };
    const Op pgUp = [](TaskLinesView& v, int) { return v.pageUp(); };
    const Op pgDown = [](TaskLinesView& v, int n) { return v.pageDown(n); };
    const Op wheelUp = [](TaskLinesView& v, int n) { return v.wheel(-1, n, true); };
    const Op wheelDown = [](TaskLinesView& v, int n) { return v.wheel(1, n, true); };
    const Op wheelHidden = [](TaskLinesView& v, int n) { return v.wheel(1, n, false); };
    const Case cases[] = {
        {"up at top", 10, 0, up, 0, false},
        {"up", 10, 3, up, 2, true},
        {"down", 10, 4, down, 5, true},
        {"down at end", 10, 5, down, 5, false},
        {"down few rows", 4, 0, down, 0, false},
        {"page down", 20, 0, pgDown, 4, true},
        {"page down clamps", 10, 3, pgDown, 5, true},
        {"page down few rows", 3, 0, pgDown, 0, false},
        {"page up clamps", 10, 3, pgUp, 0, true},
        {"page up", 20, 9, pgUp, 5, true},
        {"wheel five rows", 5, 0, wheelDown, 0, false},
        {"wheel down", 6, 0, wheelDown, 1, true},
        {"wheel up", 9, 2, wheelUp, 1, true},
        {"wheel off page", 9, 0, wheelHidden, 0, false},
    };
    for (const Case& c : cases) {
        TaskLinesView v;
        v.setTopRow(c.top, c.rows);
        ASSERT_EQ(v.topRow(), c.top) << c.what;
        EXPECT_EQ(c.op(v, c.rows), c.moved) << c.what;
        EXPECT_EQ(v.topRow(), c.expectTop) << c.what;
    }
}

TEST(TaskLinesView, ClickSelectsOnlyFilledLines) {
    TableRows rows = TableRows::numbered(8);
    TaskLinesView v;
    v.setTopRow(3, 8);
    v.paint(rows);
    EXPECT_TRUE(v.selectLine(2));
    EXPECT_EQ(v.selectedRow(), 5);
    EXPECT_EQ(v.highlightedLine(), 2);

    TableRows few = TableRows::numbered(2);
    TaskLinesView w;
    w.paint(few);
    EXPECT_FALSE(w.selectLine(3));
    EXPECT_EQ(w.selectedRow(), -1);
}

TEST(TaskLinesView, KeyboardMovesSelectionAndScrollsItIntoView) {
    using M = TaskLinesView::Move;
    struct Step {
        M move;
        int selected;
        int top;
    };
    const Step steps[] = {
        {M::Down, 0, 0}, {M::Down, 1, 0},  {M::PageDown, 5, 1}, {M::PageDown, 9, 5},
        {M::End, 11, 7}, {M::Down, 11, 7}, {M::Up, 10, 7},      {M::PageUp, 6, 6},
        {M::Home, 0, 0}, {M::Up, 0, 0},
    };
    TaskLinesView v;
    for (const Step& s : steps) {
        v.moveSelection(s.move, 12);
        EXPECT_EQ(v.selectedRow(), s.selected);
        EXPECT_EQ(v.topRow(), s.top);
        EXPECT_EQ(v.highlightedLine(), s.selected - s.top);
    }
    EXPECT_FALSE(v.moveSelection(M::Down, 0));
}

}  // namespace
}  // namespace fv

namespace fv {
namespace {

// A taller window: more lines, a page of one line fewer than shown, the same rules otherwise.
TEST(TaskLinesViewInATallerWindow, MoreLinesScrollAndPageByTheirCount) {
    TableRows rows = TableRows::numbered(30);
    TaskLinesView v;
    v.setLineCount(10, 30);
    ASSERT_EQ(v.lineCount(), 10);
    EXPECT_EQ(v.pageStep(), 9);
    v.paint(rows);
    EXPECT_EQ(nameOn(v, 9), "task9");
    EXPECT_TRUE(v.pageDown(30));
    EXPECT_EQ(v.topRow(), 9);
    EXPECT_TRUE(v.setTopRow(100, 30));
    EXPECT_EQ(v.topRow(), 20) << "the last ten rows fill the ten lines";
    EXPECT_FALSE(v.lineDown(30));
    EXPECT_FALSE(v.wheel(1, 10, true)) << "no hidden rows: the wheel does nothing";
    EXPECT_TRUE(v.selectLine(9));
    EXPECT_EQ(v.selectedRow(), 29);
    EXPECT_TRUE(v.moveSelection(TaskLinesView::Move::PageUp, 30));
    EXPECT_EQ(v.selectedRow(), 20);

    // Back to fewer lines: the selection keeps its row; the top row stays valid.
    v.setLineCount(5, 30);
    EXPECT_EQ(v.lineCount(), 5);
    EXPECT_EQ(v.topRow(), 20);
    EXPECT_EQ(v.highlightedLine(), 0);
    // Growing near the end pulls the top back so that no line stays empty.
    v.setLineCount(12, 30);
    EXPECT_EQ(v.topRow(), 18);
    EXPECT_EQ(v.highlightedLine(), 2);
}

TEST(TaskLinesViewInATallerWindow, LineCountStaysWithinFiveAndTheModelsRows) {
    TaskLinesView v;
    v.setLineCount(2, 0);
    EXPECT_EQ(v.lineCount(), TaskLinesView::kLines);
    v.setLineCount(500, 0);
    EXPECT_EQ(v.lineCount(), TaskLinesView::kMaxLines);
    // The tidy-up clears lines past a model that shrank, on every line there is.
    TableRows rows = TableRows::numbered(8);
    v.setLineCount(8, 8);
    v.paint(rows);
    rows.rows.resize(6);
    v.timerTick(rows);
    EXPECT_TRUE(v.line(6).empty());
    EXPECT_TRUE(v.line(7).empty());
    EXPECT_EQ(nameOn(v, 5), "task5");
}

TEST(VerticalThumbInATallerWindow, HiddenRowsCountFromTheShownLines) {
    const auto five = VerticalScrollRule::compute(12, 150);
    const auto ten = VerticalScrollRule::compute(12, 300, 10);
    EXPECT_TRUE(five.visible);
    EXPECT_EQ(five.height, 150 - 7 * 5);
    EXPECT_TRUE(ten.visible);
    EXPECT_EQ(ten.height, 300 - 2 * 5);
    EXPECT_FALSE(VerticalScrollRule::compute(10, 300, 10).visible);
}

}  // namespace
}  // namespace fv
