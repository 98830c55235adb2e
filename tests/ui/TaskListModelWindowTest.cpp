// The main window over the real task list model: title clicks, selection and resets.
#include "MainWindowFixture.h"
#include "app/TaskListModelControl.h"
#include "tasks/TaskListModel.h"

namespace fv::test {
namespace {

class ModelWindowTest : public MainWindowTest {
  public:
    void fill(const std::vector<std::pair<const char*, const char*>>& idAndSize) {
        std::vector<TaskListRow> rows;
        for (auto [id, size] : idAndSize)
            rows.push_back(
                {id,
                 {QString("file-") + id, "BT", "10%", "Downloading", size, "1 KBps", "0 KBps"},
                 false});
        model.replaceRows(std::move(rows));
    }
    void SetUp() override {
        MainWindowTest::SetUp();
        QObject::connect(&model, &TaskListModel::rowsChanged, window.get(),
                         [this] { window->rowsChanged(); });
        window->setTaskList(&control);
    }
    TaskListModel model;
    TaskListModelControl control{model};
};

TEST_F(ModelWindowTest, SizeTitleTogglesOrderAndKeepsTheSelectedTask) {
    fill({{"a", "900 MB"}, {"b", "1.2 GB"}, {"c", "5 KB"}});
    click(find("img_ListViewLine_1"), QPoint(20, 10));  // task "a"
    ASSERT_EQ(model.selectedRow(), 0);
    QWidget* size = find("panel_FVPageInfoLVTitleSize");
    struct Step {
        std::array<const char*, 3> names;
        int selectedLine;
    };
    const Step steps[] = {{{"file-b", "file-a", "file-c"}, 2},  // first click: descending
                          {{"file-c", "file-a", "file-b"}, 2},
                          {{"file-b", "file-a", "file-c"}, 2}};
    for (const Step& s : steps) {
        click(size, QPoint(10, 10));
        for (int n = 1; n <= 3; ++n)
            EXPECT_EQ(nameOnLine(n), s.names[n - 1]) << n;
        EXPECT_EQ(model.row(model.selectedRow()).caption, "a");
        EXPECT_EQ(window->taskList()->view().highlightedLine() + 1, s.selectedLine);
    }
    // Another title starts with its own first direction.
    click(find("panel_FVPageInfoLVTitleName"), QPoint(10, 10));
    EXPECT_EQ(nameOnLine(1), "file-c");
}

TEST_F(ModelWindowTest, ModelResetClearsTheDrawnListAndScrollFeedsTheModel) {
    std::vector<std::pair<const char*, const char*>> many;
    static const char* ids[] = {"1", "2", "3", "4", "5", "6", "7", "8"};
    for (const char* id : ids)
        many.push_back({id, "1 MB"});
    fill(many);
    window->taskList()->wheelStep(1);
    window->taskList()->wheelStep(1);
    EXPECT_EQ(model.topRow(), 2);
    click(find("img_ListViewLine_1"), QPoint(20, 10));
    EXPECT_EQ(model.selectedRow(), 2);
    model.resetView();
    EXPECT_EQ(window->taskList()->view().topRow(), 0);
    EXPECT_EQ(window->taskList()->view().highlightedLine(), -1);
    EXPECT_EQ(nameOnLine(1), "file-1");
}

TEST_F(ModelWindowTest, DoubleAndRightClicksMarkTheRowTheyActOn) {
    fill({{"a", "1 MB"}, {"b", "2 MB"}, {"c", "3 MB"}});
    window->show();
    send(find("img_ListViewLine_2"), QEvent::MouseButtonDblClick, QPoint(20, 10), Qt::LeftButton,
         Qt::LeftButton);
    click(find("img_ListViewLine_3"), QPoint(20, 10), Qt::RightButton);
    const bool marks[] = {false, true, true};
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(model.row(r).selected, marks[r]) << r;
    EXPECT_EQ(viewer.views, 1);
    EXPECT_EQ(model.selectedRow(), 2);
}

}  // namespace
}  // namespace fv::test
