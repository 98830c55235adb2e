// The time left, the speed plot, the filter and the remembered layout, in the client as
// `ferrovane` assembles it against the simulated router on loopback: the real widgets are
// typed into and clicked with QTest and the router's request record is checked.
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "ClientSettingsFile.h"
#include "RouterClientFixture.h"
#include "Simulator.h"
#include "TestEnvironment.h"
#include "app/LayoutState.h"
#include "app/TransferDigest.h"
#include "i18n/MessageTexts.h"
#include "platform/Clock.h"
#include "tasks/TaskListModel.h"
#include "ui/MainTray.h"
#include "ui/MainWindow.h"
#include "ui/SkinnedTaskList.h"
#include "ui/SpeedPlot.h"
#include "ui/TaskFilterBar.h"
#include "ui/main/RunningClient.h"

namespace fv::test {
namespace {

using routersim::Listener;

class LayoutWindow : public RouterClientFixture {
  protected:
    void SetUp() override {
        RouterClientFixture::SetUp();
        writeSettings(1);
    }
    void launch(const Clock* clock = nullptr) {
        client = std::make_unique<ui::RunningClient>(StartupEnvironment::system(),
                                                     QStringList{"ferrovane"});
        client->window().setClock(clock);
        ASSERT_TRUE(client->start());
        client->window().show();
        client->window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&client->window()));
    }
    // Right after a refresh delivered its list, so that no other lands before the next check.
    void waitForRebuild() {
        QSignalSpy rebuilt(&client->core().model(), &TaskListModel::rebuilt);
        ASSERT_TRUE(rebuilt.wait(10000));
    }
    void addTask(const std::string& id, const std::string& name, const std::string& status,
                 int64_t downBytesPerSec = 0, int64_t upBytesPerSec = 0) {
        routersim::Task t;
        t.id = id;
        t.name = name;
        t.status = status;
        t.sizeBytes = 2 << 20;
        t.doneBytes = status == "Seeding" ? t.sizeBytes : 1 << 20;
        t.downBytesPerSec = downBytesPerSec;
        t.upBytesPerSec = upBytesPerSec;
        sim.board().add(t);
    }
    template <typename T = QWidget>
    T* find(const QString& name, bool expected = true) const {
        T* w = client->window().findChild<T*>(name);
        if (expected) {
            EXPECT_NE(w, nullptr) << name.toStdString();
        }
        return w;
    }
    QString text(const QString& name) const {
        auto* label = find<QLabel>(name);
        return label ? label->text() : QString();
    }
    QString cell(const char* column, int line) const {
        return text(QStringLiteral("lab_FVPageInfoLV%1_%2").arg(column).arg(line));
    }
    bool listShows(const QStringList& names) const {
        for (int n = 1; n <= 5; ++n)
            if (cell("Name", n) != names.value(n - 1))
                return false;
        return true;
    }
    void click(const QString& name, QPoint at = {}) {
        QWidget* w = find(name);
        ASSERT_NE(w, nullptr);
        QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, at.isNull() ? w->rect().center() : at);
    }
    size_t requestsWith(const std::string& part) const {
        size_t n = 0;
        for (const routersim::Request& r : sim.requests())
            n += r.target.find(part) != std::string::npos ? 1 : 0;
        return n;
    }
    static bool waitFor(const std::function<bool()>& condition, int ms = 10000) {
        return QTest::qWaitFor(condition, ms);
    }
};

// The search field and the status choice narrow the list; the selection and the commands act
// on the shown rows; Ctrl+F reaches the field from anywhere in the window.
TEST_F(LayoutWindow, FilterNarrowsTheListAndTheCommandsFollow) {
    addTask("7", "first.iso", "Downloading");
    addTask("8", "second.mkv", "Downloading");
    addTask("9", "third.iso", "Seeding");
    for (int i = 10; i < 14; ++i)
        addTask(std::to_string(i), "other-" + std::to_string(i) + ".bin", "Downloading");
    const QStringList firstFive = {"first.iso", "second.mkv", "third.iso", "other-10.bin",
                                   "other-11.bin"};
    launch();
    ASSERT_TRUE(waitFor([&] { return listShows(firstFive); }));
    QWidget* vbar = find("img_VScrollBar");
    EXPECT_GT(vbar->property("vThumbStep").toInt(), 0) << "7 rows on 5 lines";

    auto* search = find<QLineEdit>("EditTaskFilter_Main");
    ASSERT_NE(search, nullptr);
    click("img_ListViewLine_1");
    QTest::keyClick(&client->window(), Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(waitFor([&] { return search->hasFocus(); }, 2000)) << "Ctrl+F";
    QTest::keyClicks(search, "MKV");
    ASSERT_TRUE(waitFor([&] { return listShows({"second.mkv"}); }))
        << cell("Name", 1).toStdString();
    EXPECT_EQ(vbar->property("vThumbStep").toInt(), 0) << "one shown row hides the thumb";
    EXPECT_EQ(client->core().model().selectedRow(), -1) << "first.iso is hidden: not selected";

    click("img_ListViewLine_1");
    click("BtnFVPagePause_Main");
    ASSERT_TRUE(waitFor([&] { return requestsWith("fv_ctrl=paused&task_id=") > 0; }));
    EXPECT_EQ(requestsWith("fv_ctrl=paused&task_id=8&"), 1u) << "the shown row's task";

    // The choice: after the refresh that reports the pause, only the paused task shows.
    QTest::keyClick(search, Qt::Key_Escape);
    EXPECT_TRUE(search->text().isEmpty()) << "Escape empties the field";
    auto* status = find<QComboBox>("ComboTaskFilter_Main");
    ASSERT_NE(status, nullptr);
    status->setCurrentIndex(static_cast<int>(TaskFilter::Status::Paused));
    ASSERT_TRUE(waitFor([&] { return listShows({"second.mkv"}); }));
    status->setCurrentIndex(static_cast<int>(TaskFilter::Status::Finished));
    ASSERT_TRUE(waitFor([&] { return listShows({"third.iso"}); }));
    status->setCurrentIndex(static_cast<int>(TaskFilter::Status::All));
    ASSERT_TRUE(waitFor([&] { return listShows(firstFive); }));
}

// The time-left column and the line's hint; a click on its title orders by it.
TEST_F(LayoutWindow, TimeLeftColumnHintAndOrder) {
    addTask("1", "slow.iso", "Downloading", 1024);  // 1 MB left at 1 KB/s
    addTask("2", "stuck.iso", "Downloading", 0);
    addTask("3", "fast.iso", "Downloading", 4096);  // 1 MB at 4 KB/s
    addTask("4", "done.iso", "Seeding", 0, 2048);
    launch();
    ASSERT_TRUE(waitFor([&] { return cell("TimeLeft", 1) == "17:04"; }))
        << cell("TimeLeft", 1).toStdString();
    EXPECT_EQ(cell("TimeLeft", 2), QString::fromUtf8("\u221e"));
    EXPECT_EQ(cell("TimeLeft", 3), "4:16");
    EXPECT_EQ(cell("TimeLeft", 4), "");
    EXPECT_EQ(text("lab_FVPageInfoLVTitleTimeLeft"), "Time Left");

    QWidget* line = find("img_ListViewLine_1");
    QMouseEvent move(QEvent::MouseMove, QPointF(20, 10), line->mapToGlobal(QPointF(20, 10)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(line, &move);
    EXPECT_EQ(line->toolTip(), "slow.iso\r\nTime left: 17:04");

    // The refresh puts the report order back, so the order is read right after the click.
    QWidget* title = find("panel_FVPageInfoLVTitleTimeLeft");
    waitForRebuild();
    QTest::mouseClick(title, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_TRUE(listShows({"stuck.iso", "slow.iso", "fast.iso", "done.iso"}))
        << cell("Name", 1).toStdString() << " " << cell("Name", 2).toStdString();
    waitForRebuild();
    QTest::mouseClick(title, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_TRUE(listShows({"done.iso", "fast.iso", "slow.iso", "stuck.iso"}));
}

// Each refresh adds the totals the tray shows to the plot's history, stamped by the clock.
TEST_F(LayoutWindow, PlotSamplesTheTraysTotalsOnEachRefresh) {
    addTask("1", "a.iso", "Downloading", 3 * 1024 * 1024, 1024);
    addTask("2", "b.iso", "Seeding", 0, 512 * 1024);
    ManualClock clock;
    launch(&clock);
    const auto& history = client->window().speedHistory();
    for (int refresh = 0; refresh < 3; ++refresh) {
        const size_t before = history.samples().size();
        clock.advance(5000);
        ASSERT_TRUE(waitFor([&] { return history.samples().size() > before; }));
    }
    const auto& last = history.samples().back();
    EXPECT_EQ(last.atMs, 15000);
    EXPECT_DOUBLE_EQ(last.downKBps, 3072.0);
    EXPECT_DOUBLE_EQ(last.upKBps, 513.0);
    EXPECT_EQ(client->window().tray()->toolTip().contains("Down 3072.0 KB/s, Up 513.0 KB/s"), true)
        << client->window().tray()->toolTip().toStdString();
    auto* plot = find<ui::SpeedPlot>("SpeedPlot_Main");
    ASSERT_NE(plot, nullptr);
    EXPECT_TRUE(plot->isVisible());
    EXPECT_TRUE(plot->axis().megabytes);
    EXPECT_EQ(plot->axis().label(1.0), "5 MB/s");

    // A filter narrows the list, not the totals.
    QTest::keyClicks(find<QLineEdit>("EditTaskFilter_Main"), "b.iso");
    const size_t before = history.samples().size();
    clock.advance(5000);
    ASSERT_TRUE(waitFor([&] { return history.samples().size() > before; }));
    EXPECT_DOUBLE_EQ(history.samples().back().downKBps, 3072.0);
}

// Counts the paint events a widget and its children receive.
class PaintCounter : public QObject {
  public:
    explicit PaintCounter(QWidget* root) {
        root->installEventFilter(this);
        for (QWidget* child : root->findChildren<QWidget*>())
            child->installEventFilter(this);
    }
    int count() const { return count_; }
    bool eventFilter(QObject*, QEvent* event) override {
        count_ += event->type() == QEvent::Paint;
        return false;
    }

  private:
    int count_ = 0;
};

// With nothing changing on the router, the list's one-second tick and the refreshes repaint
// nothing of it: its children are transparent, so each repaint would also repaint the window
// behind them, every second the window is open.
TEST_F(LayoutWindow, AnIdleListRepaintsNothing) {
    for (int i = 0; i < 8; ++i)
        addTask(std::to_string(i + 1), "idle" + std::to_string(i) + ".iso", "Downloading", 1024);
    ManualClock clock;
    launch(&clock);
    ASSERT_NO_FATAL_FAILURE(waitForRebuild());
    ASSERT_TRUE(waitFor([&] { return cell("Name", 1) == "idle0.iso"; }));
    QTest::qWait(1500);  // the first ticks draw the rows
    PaintCounter list(find("panel_FVPageInfoListView"));
    const size_t fetches = requestsWith("fv_print_status");
    QTest::qWait(3500);
    EXPECT_GE(requestsWith("fv_print_status"), fetches + 2) << "the refreshes went on";
    EXPECT_EQ(list.count(), 0);
}

// Column widths, the sort, the filter and the window's place come back after a restart;
// FVSetup.xml is not touched for them; a damaged layout file only costs the layout.
TEST_F(LayoutWindow, LayoutSurvivesARestart) {
    addTask("1", "a.iso", "Downloading");
    addTask("2", "b.mkv", "Downloading");
    launch();
    ASSERT_TRUE(waitFor([&] { return listShows({"a.iso", "b.mkv"}); }));
    QFile setup(dir.file("FVSetup.xml"));
    ASSERT_TRUE(setup.open(QIODevice::ReadOnly));
    const QByteArray setupBefore = setup.readAll();
    setup.close();

    // A real drag of the name column's handle, 20 pixels to the right.
    QWidget* handle = find("panel_FVPageInfoLVStretchColumnName");
    const int widthBefore = client->window().taskList()->columns().width(kColName);
    const QPoint c = handle->rect().center();
    QTest::mousePress(handle, Qt::LeftButton, Qt::NoModifier, c);
    QMouseEvent drag(QEvent::MouseMove, QPointF(c + QPoint(22, 0)),
                     handle->mapToGlobal(QPointF(c + QPoint(22, 0))), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(handle, &drag);
    QTest::mouseRelease(handle, Qt::LeftButton, Qt::NoModifier, c + QPoint(22, 0));
    ASSERT_EQ(client->window().taskList()->columns().width(kColName), widthBefore + 20);
    click("panel_FVPageInfoLVTitleSize", QPoint(10, 10));
    const int sortState = client->core().model().sortState();
    QTest::keyClicks(find<QLineEdit>("EditTaskFilter_Main"), "mkv");
    find<QComboBox>("ComboTaskFilter_Main")->setCurrentIndex(1);
    client->window().move(120, 90);
    client->window().resize(800, 520);
    quit();

    const QString layoutFile = dir.file("FVLayout.json");
    ASSERT_TRUE(QFileInfo::exists(layoutFile));
    EXPECT_EQ(QFileInfo(layoutFile).permissions() & (QFile::ReadOther | QFile::ReadGroup),
              QFile::Permissions());
    ASSERT_TRUE(setup.open(QIODevice::ReadOnly));
    EXPECT_EQ(setup.readAll(), setupBefore) << "FVSetup.xml keeps its content";
    setup.close();

    launch();
    ASSERT_TRUE(waitFor([&] { return listShows({"b.mkv"}); })) << cell("Name", 1).toStdString();
    EXPECT_EQ(client->window().taskList()->columns().width(kColName), widthBefore + 20);
    EXPECT_EQ(find<QLineEdit>("EditTaskFilter_Main")->text(), "mkv");
    EXPECT_EQ(find<QComboBox>("ComboTaskFilter_Main")->currentIndex(), 1);
    EXPECT_EQ(client->core().model().sortColumn(), kColSize);
    EXPECT_EQ(client->core().model().sortState(), sortState);
    EXPECT_EQ(client->window().pos(), QPoint(120, 90));
    EXPECT_EQ(client->window().size(), QSize(800, 520));
    EXPECT_TRUE(waitFor([&] { return client->window().taskList()->lineCount() == 8; }, 3000));
    quit();

    QFile damaged(layoutFile);
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
    damaged.write("{\"columnWidths\":[1,2,3],\"filter\":{\"text\":");
    damaged.close();
    launch();
    ASSERT_TRUE(waitFor([&] { return listShows({"a.iso", "b.mkv"}); }));
    EXPECT_EQ(client->window().taskList()->columns().width(kColName), widthBefore);
    EXPECT_TRUE(find<QLineEdit>("EditTaskFilter_Main")->text().isEmpty());
}

// The refresh interval is the settings file's: "Change" keeps it there, and the next start
// shows and uses it.
TEST_F(LayoutWindow, RefreshIntervalSurvivesInTheSettingsFile) {
    launch();
    auto* edit = find<QLineEdit>("EditAufresh_Setup");
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    QTest::keyClicks(edit, "9");
    click("SpBtnAufreshSec_Setup");
    ASSERT_TRUE(waitFor(
        [&] { return client->core().records().connection().RefreshIntervalMs == 9000; }, 3000));
    quit();
    launch();
    EXPECT_EQ(find<QLineEdit>("EditAufresh_Setup")->text(), "9");
    EXPECT_EQ(client->core().records().connection().RefreshIntervalMs, 9000);
}

// A larger window: the list shows as many lines as fit, the columns share the extra width and
// the status card and the refresh row keep below the list; the grip in the corner resizes it;
// back at the skin's size everything is where it was.
TEST_F(LayoutWindow, ALargerWindowShowsMoreLinesAndWiderColumns) {
    for (int i = 1; i <= 10; ++i)
        addTask(std::to_string(100 + i), "t" + std::to_string(i) + ".iso", "Downloading");
    launch();
    ASSERT_TRUE(waitFor([&] { return cell("Name", 5) == "t5.iso"; }));
    ui::MainWindow& window = client->window();
    ui::SkinnedTaskList* list = window.taskList();
    const auto designed = list->columns().widths();
    const QRect status = find("Lab_ConnectStatus_Main")->geometry();
    const QRect refresh = find("EditAufresh_Setup")->geometry();
    const QRect closeBox = find("img_Close")->geometry();
    EXPECT_EQ(find("img_ListViewLine_6", false), nullptr);

    window.resize(ui::MainWindow::kWidth + 200, ui::MainWindow::kHeight + 3 * 30 + 7);
    ASSERT_TRUE(waitFor([&] { return list->lineCount() == 8; }, 3000))
        << "whole lines only; the rest stays below: " << list->lineCount();
    ASSERT_TRUE(waitFor([&] { return cell("Name", 8) == "t8.iso"; }));
    EXPECT_EQ(list->columns().viewport(), list->columns().initialTotal() + 200);
    EXPECT_EQ(list->columns().total(), list->columns().viewport()) << "no scroll bar, no gap";
    EXPECT_GT(list->columns().width(kColName), designed[kColName]);
    EXPECT_EQ(find("Lab_ConnectStatus_Main")->y(), status.y() + 90);
    EXPECT_EQ(find("EditAufresh_Setup")->y(), refresh.y() + 97);
    EXPECT_EQ(find("img_Close")->x(), closeBox.x() + 200);
    EXPECT_EQ(list->geometry().bottom() < find("Lab_ConnectStatus_Main")->y(), true);

    // The eighth line is a line like the others: the command goes to its task.
    click("img_ListViewLine_8", QPoint(20, 10));
    click("BtnFVPagePause_Main");
    ASSERT_TRUE(waitFor([&] { return requestsWith("fv_ctrl=paused&task_id=") > 0; }));
    EXPECT_EQ(requestsWith("fv_ctrl=paused&task_id=108&"), 1u);

    // The setup area covers the larger window, its panels in the lower corners; the search
    // steps aside with the task list and comes back with it.
    click("BtnSetup_Main");
    QWidget* area = find("panel_Setup");
    ASSERT_TRUE(waitFor([&] { return area->isVisible(); }, 3000));
    EXPECT_EQ(area->geometry().bottomRight(), window.rect().bottomRight());
    EXPECT_FALSE(find("panel_TaskFilter_Main")->isVisible());
    const QRect ok = find("panel_Setup_OK")->geometry();
    EXPECT_EQ(find("panel_Setup_Apply")->geometry().right(), area->width() - 18);
    EXPECT_EQ(ok.bottom(), area->height() - 18);
    click("panel_Setup_OK");
    ASSERT_TRUE(waitFor([&] { return !area->isVisible(); }, 3000));
    EXPECT_TRUE(find("panel_TaskFilter_Main")->isVisible());

    // Back to the skin's size by the grip: a real drag of the lower right corner.
    const QPoint grip(window.width() - 3, window.height() - 3);
    QTest::mousePress(&window, Qt::LeftButton, Qt::NoModifier, grip);
    const QPoint to(ui::MainWindow::kWidth - 3, ui::MainWindow::kHeight - 3);
    QMouseEvent drag(QEvent::MouseMove, QPointF(to), window.mapToGlobal(QPointF(to)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drag);
    QTest::mouseRelease(&window, Qt::LeftButton, Qt::NoModifier, to);
    ASSERT_TRUE(waitFor([&] { return list->lineCount() == 5; }, 3000));
    EXPECT_EQ(window.size(), QSize(ui::MainWindow::kWidth, ui::MainWindow::kHeight));
    EXPECT_EQ(find("img_ListViewLine_6", false), nullptr);
    EXPECT_EQ(list->columns().widths(), designed);
    EXPECT_EQ(find("Lab_ConnectStatus_Main")->geometry(), status);
    EXPECT_EQ(find("img_Close")->geometry(), closeBox);
    window.resize(100, 100);
    QTest::qWait(50);
    EXPECT_EQ(window.size(), QSize(ui::MainWindow::kWidth, ui::MainWindow::kHeight))
        << "never smaller than the skin";
}

}  // namespace
}  // namespace fv::test
