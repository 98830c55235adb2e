#include <QTest>

#include "MainWindowFixture.h"
#include "app/VerticalScrollRule.h"
#include "ui/SkinImage.h"
#include "ui/SkinScrollBar.h"

namespace fv::test {
namespace {

using SkinnedTaskListTest = MainWindowTest;

TEST_F(SkinnedTaskListTest, PaintsFromTopRowAfterEachKindOfScroll) {
    struct Case {
        const char* what;
        std::function<void(MainWindowTest&)> act;
        const char* firstLine;
    };
    auto bar = [](MainWindowTest& t) { return t.find<ui::SkinScrollBar>("img_VScrollBar"); };
    const Case cases[] = {
        {"nothing", [](MainWindowTest&) {}, "task00"},
        {"wheel down", [](MainWindowTest& t) { t.window->taskList()->wheelStep(1); }, "task01"},
        {"down arrow",
         [&](MainWindowTest& t) {
             auto* b = bar(t);
             click(b, QPoint(7, b->height() - 5));
         },
         "task01"},
        {"track below thumb",
         [&](MainWindowTest& t) {
             auto* b = bar(t);
             click(b, QPoint(7, b->height() - 20));
         },
         "task04"},
        {"thumb drag down",
         [&](MainWindowTest& t) {
             auto* b = bar(t);
             const QPoint thumb(7, ui::SkinScrollBar::kThickness + b->thumbOffset() + 2);
             send(b, QEvent::MouseButtonPress, thumb, Qt::LeftButton, Qt::LeftButton);
             send(b, QEvent::MouseMove, thumb + QPoint(0, 1), Qt::NoButton, Qt::LeftButton);
             send(b, QEvent::MouseMove, thumb + QPoint(0, 2), Qt::NoButton, Qt::LeftButton);
             send(b, QEvent::MouseMove, thumb + QPoint(0, 3), Qt::NoButton, Qt::LeftButton);
             send(b, QEvent::MouseButtonRelease, thumb, Qt::LeftButton, Qt::NoButton);
         },
         "task02"},
        {"keyboard end",
         [](MainWindowTest& t) { QTest::keyClick(t.window->taskList(), Qt::Key_End); }, "task06"},
    };
    for (const Case& c : cases) {
        SetUp();
        useList(ListOfTasks::numbered(11));
        c.act(*this);
        EXPECT_EQ(nameOnLine(1), c.firstLine) << c.what;
        EXPECT_EQ(list->top, window->taskList()->view().topRow()) << c.what;
    }
}

// The list redraws at once on every change it is told of; its once-a-second tick rereads
// the rows only when their revision moved (or when the source keeps none).
TEST_F(SkinnedTaskListTest, TheTickRereadsRowsOnlyAfterTheyChanged) {
    useList(ListOfTasks::numbered(3));
    ui::SkinnedTaskList* shown = window->taskList();
    list->changes = 1;
    shown->timerTick();
    list->textReads = 0;
    shown->timerTick();
    EXPECT_EQ(list->textReads, 0) << "nothing changed";

    list->tasks[0].texts[kColName] = "renamed";
    ++*list->changes;
    shown->timerTick();
    EXPECT_GT(list->textReads, 0);
    EXPECT_EQ(nameOnLine(1), "renamed");

    list->changes.reset();
    for (int tick = 0; tick < 2; ++tick) {
        list->textReads = 0;
        shown->timerTick();
        EXPECT_GT(list->textReads, 0) << "a source without a revision, tick " << tick;
    }
}

TEST_F(SkinnedTaskListTest, ThumbStepFollowsTheRowCount) {
    for (int rows : {0, 3, 5, 6, 20, 64}) {
        SetUp();
        useList(ListOfTasks::numbered(rows));
        auto* bar = find<ui::SkinScrollBar>("img_VScrollBar");
        const auto rule = VerticalScrollRule::compute(rows, bar->trackLength());
        EXPECT_EQ(bar->thumbVisible(), rows > 5) << rows;
        EXPECT_EQ(bar->property("vThumbStep").toInt(), rule.step) << rows;
        if (rows > 5) {
            EXPECT_EQ(bar->thumbLength(), rule.height) << rows;
        }
        // The wheel does nothing while every row fits.
        EXPECT_EQ(window->taskList()->wheelStep(1), rows > 5) << rows;
    }
}

TEST_F(SkinnedTaskListTest, ProgressPicturesOnTheLines) {
    auto l = std::make_unique<ListOfTasks>();
    const char* progress[] = {"100%", "99.9%", "0%", "20.5%", "21%"};
    const char* pictures[] = {"img_Signal_5", "img_Signal_4", "img_Signal_0", "img_Signal_1",
                              "img_Signal_2"};
    for (const char* p : progress)
        l->tasks.push_back({"c", {"n", "BT", p, "Downloading", "", "", ""}});
    useList(std::move(l));
    for (int n = 1; n <= 5; ++n) {
        auto* img = find<ui::SkinImage>(QString("img_FVPageInfoListViewProgress_%1").arg(n));
        EXPECT_EQ(img->property("picture").toString(), pictures[n - 1]) << n;
        EXPECT_EQ(text(QString("lab_FVPageInfoLVProgress_%1").arg(n)), progress[n - 1]);
    }
}

TEST_F(SkinnedTaskListTest, WidthHandleDragArithmetic) {
    struct Case {
        const char* column;  // as in panel_FVPageInfoLVStretchColumn<column>
        const char* title;   // as in panel_FVPageInfoLVTitle<title>
        const char* nextLabel;
        int move;
        int width;
    };
    const Case cases[] = {
        {"Name", "Name", "lab_FVPageInfoLVType_1", -13, 120},    // rounds toward zero
        {"Name", "Name", "lab_FVPageInfoLVType_1", -4, 130},     // less than a step
        {"Type", "Type", "lab_FVPageInfoLVProgress_1", -7, 50},  // would go below 50
        {"Status", "Status", "lab_FVPageInfoLVSize_1", 24, 105},
    };
    for (const Case& c : cases) {
        SetUp();
        useList(ListOfTasks::numbered(3));
        window->show();
        QWidget* handle = find(QString("panel_FVPageInfoLVStretchColumn") + c.column);
        QWidget* title = find(QString("panel_FVPageInfoLVTitle") + c.title);
        QWidget* nextLabel = find(c.nextLabel);
        QWidget* guide = find("panel_FVPageInfoLVColumnLine");
        const int before = title->width();
        const int nextLeft = nextLabel->x();
        const QPoint p(3, 10);
        send(handle, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
        EXPECT_TRUE(guide->isVisible()) << c.column;
        send(handle, QEvent::MouseMove, p + QPoint(c.move, 0), Qt::NoButton, Qt::LeftButton);
        send(handle, QEvent::MouseButtonRelease, p + QPoint(c.move, 0), Qt::LeftButton,
             Qt::NoButton);
        EXPECT_FALSE(guide->isVisible());
        EXPECT_EQ(title->width(), c.width) << c.column << c.move;
        EXPECT_EQ(nextLabel->x() - nextLeft, c.width - before) << c.column << c.move;
        EXPECT_EQ(find("img_HScrollBar")->isVisible(), c.width > before) << c.column;
    }
}

TEST_F(SkinnedTaskListTest, TitleClicksToggleOrderAndKeepTheSelection) {
    useList(ListOfTasks::numbered(4));
    window->show();
    click(find("img_ListViewLine_2"), QPoint(20, 10));  // task01
    ASSERT_EQ(list->selected, 1);
    QWidget* nameTitle = find("panel_FVPageInfoLVTitleName");
    struct Step {
        const char* first;
        const char* last;
        int highlightLine;
    };
    const Step steps[] = {
        {"task03", "task00", 3}, {"task00", "task03", 2}, {"task03", "task00", 3}};
    for (const Step& s : steps) {
        click(nameTitle, QPoint(10, 10));
        EXPECT_EQ(nameOnLine(1), s.first);
        EXPECT_EQ(nameOnLine(4), s.last);
        EXPECT_EQ(list->tasks[list->selected].caption, "id1");
        EXPECT_EQ(window->taskList()->view().highlightedLine() + 1, s.highlightLine);
        auto* line = find<ui::SkinImage>(QString("img_ListViewLine_%1").arg(s.highlightLine));
        EXPECT_EQ(line->property("picture").toString(), "img_ListViewLine");
    }
}

TEST_F(SkinnedTaskListTest, LinesClearedAfterTheModelShrinks) {
    useList(ListOfTasks::numbered(5));
    EXPECT_EQ(nameOnLine(5), "task04");
    list->tasks.resize(2);
    window->rowsChanged();
    EXPECT_EQ(nameOnLine(5), "task04");  // kept until the timer runs
    window->taskList()->timerTick();
    for (int n = 1; n <= 5; ++n) {
        EXPECT_EQ(nameOnLine(n).isEmpty(), n > 2) << n;
        EXPECT_EQ(text(QString("lab_FVPageInfoLVStatus_%1").arg(n)).isEmpty(), n > 2) << n;
    }
}

TEST_F(SkinnedTaskListTest, HintsWithFormat) {
    auto l = std::make_unique<ListOfTasks>();
    l->tasks.push_back({"1", {"big.iso", "BT", "5%", "Format Error", "", "", ""}});
    l->tasks.push_back({"2", {"big2.iso", "BT", "5%", "Format Error", "", "", ""}});
    l->tasks.push_back({"3", {"small.txt", "BT", "5%", "Downloading", "", "", ""}});
    l->tasks.push_back({"4", {"", "BT", "5%", "Downloading", "", "", ""}});
    useList(std::move(l));
    const QString warning = "The disk format dose not support files more then 4G.";
    const QString hints[] = {"big.iso, \r\n" + warning, "big2.iso, \r\n" + warning, "small.txt", "",
                             ""};
    for (int n = 1; n <= 5; ++n) {
        QWidget* line = find(QString("img_ListViewLine_%1").arg(n));
        send(line, QEvent::MouseMove, QPoint(30, 10), Qt::NoButton, Qt::NoButton);
        EXPECT_EQ(line->toolTip(), hints[n - 1]) << n;
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(line, &leave);
        EXPECT_TRUE(line->toolTip().isEmpty());
    }
}

TEST_F(SkinnedTaskListTest, DoubleClickOpensViewOnlyForNamedLines) {
    auto l = std::make_unique<ListOfTasks>();
    l->tasks.push_back({"1", {"movie.mkv", "BT", "100%", "Finished", "", "", ""}});
    l->tasks.push_back({"2", {"", "BT", "5%", "Downloading", "", "", ""}});
    useList(std::move(l));
    struct Case {
        int line;
        int views;
        int selected;
    };
    const Case cases[] = {{2, 0, -1}, {3, 0, -1}, {1, 1, 0}};
    for (const Case& c : cases) {
        QWidget* line = find(QString("img_ListViewLine_%1").arg(c.line));
        send(line, QEvent::MouseButtonDblClick, QPoint(20, 10), Qt::LeftButton, Qt::LeftButton);
        EXPECT_EQ(viewer.views, c.views) << c.line;
        EXPECT_EQ(list->selected, c.selected) << c.line;
    }
}

TEST_F(SkinnedTaskListTest, KeyboardMovesSelectionOpensViewAndAsksBeforeRemove) {
    useList(ListOfTasks::numbered(9));
    QStringList asked;
    int removes = 0;
    window->setConfirm([&](const QString& q) {
        asked << q;
        return true;
    });
    form.onClick("BtnFVPageRemove_Main", [&](const QString&) { ++removes; });
    QWidget* l = window->taskList();
    QTest::keyClick(l, Qt::Key_Delete);  // nothing selected yet
    EXPECT_TRUE(asked.isEmpty());
    QTest::keyClick(l, Qt::Key_Down);
    QTest::keyClick(l, Qt::Key_PageDown);
    QTest::keyClick(l, Qt::Key_PageDown);
    EXPECT_EQ(list->selected, 8);
    EXPECT_EQ(nameOnLine(5), "task08");
    QTest::keyClick(l, Qt::Key_Home);
    EXPECT_EQ(nameOnLine(1), "task00");
    QTest::keyClick(l, Qt::Key_Return);
    EXPECT_EQ(viewer.views, 1);
    QTest::keyClick(l, Qt::Key_Delete);
    EXPECT_EQ(asked.size(), 1);
    EXPECT_EQ(removes, 1);
}

}  // namespace
}  // namespace fv::test
