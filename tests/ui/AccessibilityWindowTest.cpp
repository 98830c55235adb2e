// The client as `ferrovane` assembles it, read the way a screen reader reads it: the test
// walks Qt's accessibility tree from the main window on the offscreen platform, and what the
// tree says must be what the window draws; a button pressed through its accessible action
// reaches the simulated router.
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "ClientSettingsFile.h"
#include "RouterClientFixture.h"
#include "Simulator.h"
#include "TestEnvironment.h"
#include "i18n/MessageTexts.h"
#include "ui/main/RunningClient.h"

namespace fv::test {
namespace {

using routersim::Listener;

class AccessibilityWindow : public RouterClientFixture {
  protected:
    void launch() {
        writeSettings(1);
        client = std::make_unique<ui::RunningClient>(StartupEnvironment::system(),
                                                     QStringList{"ferrovane"});
        ASSERT_TRUE(client->start());
        client->window().show();
    }
    void addTask(const std::string& id, const std::string& name, std::int64_t done) {
        routersim::Task t;
        t.id = id;
        t.name = name;
        t.sizeBytes = 4 << 20;
        t.doneBytes = done;
        sim.board().add(t);
    }
    QString drawn(const char* column, int line) const {
        auto* label = client->window().findChild<QLabel*>(
            QStringLiteral("lab_FVPageInfoLV%1_%2").arg(QLatin1String(column)).arg(line));
        return label ? label->text() : QString();
    }
    size_t requestsWith(const std::string& part) const {
        size_t n = 0;
        for (const routersim::Request& r : sim.requests())
            n += r.target.find(part) != std::string::npos ? 1 : 0;
        return n;
    }
    QAccessibleInterface* root() const {
        return QAccessible::queryAccessibleInterface(&client->window());
    }
    // Depth first, as a screen reader's review walks it; the table's rows are not entered.
    static void walk(QAccessibleInterface* node,
                     const std::function<void(QAccessibleInterface*)>& visit, int depth = 0) {
        ASSERT_LT(depth, 20) << "the tree has a cycle";
        visit(node);
        if (node->role() == QAccessible::Table)
            return;
        for (int i = 0; i < node->childCount(); ++i) {
            QAccessibleInterface* c = node->child(i);
            ASSERT_NE(c, nullptr) << node->text(QAccessible::Name).toStdString() << " child " << i;
            EXPECT_EQ(c->parent(), node) << c->text(QAccessible::Name).toStdString();
            walk(c, visit, depth + 1);
        }
    }
    std::vector<QAccessibleInterface*> withRole(QAccessible::Role role) const {
        std::vector<QAccessibleInterface*> out;
        walk(root(), [&](QAccessibleInterface* i) {
            if (i->role() == role && !i->state().invisible)
                out.push_back(i);
        });
        return out;
    }
};

TEST_F(AccessibilityWindow, TheTaskListReadsAsATableOfEveryTask) {
    for (int i = 0; i < 7; ++i)
        addTask(std::to_string(10 + i), "task" + std::to_string(i) + ".iso", (i + 1) << 19);
    launch();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !drawn("Name", 5).isEmpty(); }, 10000));

    const auto tables = withRole(QAccessible::Table);
    ASSERT_EQ(tables.size(), 1u);
    QAccessibleInterface* table = tables.front();
    EXPECT_EQ(table->text(QAccessible::Name), "Task list");
    QAccessibleTableInterface* t = table->tableInterface();
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(t->rowCount(), 7) << "all tasks, also the two below the five drawn lines";
    ASSERT_EQ(table->childCount(), 7);
    EXPECT_EQ(t->columnCount(), 8);
    const char* titles[] = {"File Name", "Type",           "Progress",     "Status",
                            "Size",      "Download Speed", "Upload Speed", "Time Left"};
    for (int c = 0; c < 8; ++c)
        EXPECT_EQ(t->columnDescription(c), titles[c]);

    // Each drawn line and its row say the same, in the order a listener wants them.
    for (int line = 1; line <= 5; ++line) {
        QAccessibleInterface* row = table->child(line - 1);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->role(), QAccessible::Row);
        EXPECT_EQ(row->text(QAccessible::Name),
                  QStringList({drawn("Name", line), drawn("Status", line), drawn("Progress", line),
                               drawn("Size", line)})
                      .join(", "));
        EXPECT_FALSE(row->state().invisible);
        ASSERT_EQ(row->childCount(), 8);
        QAccessibleInterface* cell = row->child(4);
        EXPECT_EQ(cell->role(), QAccessible::Cell);
        EXPECT_EQ(cell->text(QAccessible::Name), drawn("Size", line));
        EXPECT_EQ(cell->text(QAccessible::Description), "Size");
        ASSERT_NE(cell->tableCellInterface(), nullptr);
        EXPECT_EQ(cell->tableCellInterface()->rowIndex(), line - 1);
        EXPECT_EQ(t->cellAt(line - 1, 4), cell);
        EXPECT_TRUE(row->rect().contains(cell->rect().center()));
    }
    EXPECT_TRUE(table->child(5)->state().invisible) << "scrolled away";
    EXPECT_TRUE(table->child(6)->text(QAccessible::Name).startsWith("task"));
    EXPECT_EQ(table->child(7), nullptr);

    // The selection and the keyboard focus follow the user's click and keys.
    QWidget* list = client->window().findChild<QWidget*>("panel_FVPageInfoListView");
    ASSERT_NE(list, nullptr);
    QTest::mouseClick(client->window().findChild<QWidget*>("img_ListViewLine_2"), Qt::LeftButton,
                      Qt::NoModifier, QPoint(20, 10));
    ASSERT_TRUE(list->hasFocus());
    EXPECT_EQ(t->selectedRows(), QList<int>{1});
    EXPECT_TRUE(table->child(1)->state().selected);
    EXPECT_TRUE(table->child(1)->state().focused);
    EXPECT_FALSE(table->child(0)->state().selected);
    EXPECT_EQ(table->focusChild(), table->child(1));
    QTest::keyClick(list, Qt::Key_End);
    EXPECT_EQ(t->selectedRows(), QList<int>{6});
    EXPECT_FALSE(table->child(6)->state().invisible) << "the last task was scrolled in";
    EXPECT_EQ(table->child(6)->text(QAccessible::Name).section(", ", 0, 0), drawn("Name", 5));
}

TEST_F(AccessibilityWindow, ButtonsAndStatusLinesHaveNamesRolesAndActions) {
    addTask("7", "first.iso", 1 << 20);
    launch();
    const QString online = MessageTexts::english()[Msg::FormMainMsg6];
    QLabel* status = client->window().findChild<QLabel*>("Lab_ConnectStatus_Main");
    ASSERT_NE(status, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return status->text() == online; }, 10000));

    std::vector<QString> names;
    QAccessibleInterface* pauseAll = nullptr;
    for (QAccessibleInterface* b : withRole(QAccessible::Button)) {
        names.push_back(b->text(QAccessible::Name));
        EXPECT_EQ(b->childCount(), 0) << "the caption is the name, not a child";
        if (names.back() == "Pause All")
            pauseAll = b;
    }
    for (const char* caption : {"Add Task", "Remove", "Pause", "Resume", "Pause All", "Resume All",
                                "Clear Complete", "Settings"})
        EXPECT_NE(std::find(names.begin(), names.end(), caption), names.end()) << caption;
    ASSERT_NE(pauseAll, nullptr);
    EXPECT_TRUE(pauseAll->state().focusable);
    ASSERT_NE(pauseAll->actionInterface(), nullptr);
    EXPECT_TRUE(pauseAll->actionInterface()->actionNames().contains(
        QAccessibleActionInterface::pressAction()));
    pauseAll->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return requestsWith("fv_ctrl=pause_all&download_type=ALL") == 1; }, 5000));

    bool statusFound = false;
    for (QAccessibleInterface* s : withRole(QAccessible::StatusBar))
        statusFound = statusFound || s->text(QAccessible::Name) == online;
    EXPECT_TRUE(statusFound) << "the connection status line reads " << online.toStdString();
}

// Keyboard focus shows: the list gets a frame while it has focus; a button draws its own.
TEST_F(AccessibilityWindow, TheFocusedListShowsAFrame) {
    launch();
    QWidget* list = client->window().findChild<QWidget*>("panel_FVPageInfoListView");
    QWidget* frame = client->window().findChild<QWidget*>("panel_FVPageInfoListView_FocusFrame");
    ASSERT_NE(list, nullptr);
    ASSERT_NE(frame, nullptr);
    QApplication::setActiveWindow(&client->window());
    list->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(list->hasFocus());
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->geometry(), list->rect());
    QWidget* button = client->window().findChild<QWidget*>("BtnAdd_Main");
    ASSERT_NE(button, nullptr);
    button->setFocus(Qt::TabFocusReason);
    EXPECT_FALSE(frame->isVisible());
}

}  // namespace
}  // namespace fv::test
