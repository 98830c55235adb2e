// A main window over a small task list, for widget tests that find controls by object name.
#pragma once

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QString>
#include <algorithm>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "app/TaskListControl.h"
#include "app/TaskViewAction.h"
#include "i18n/MessageTexts.h"
#include "platform/FormState.h"
#include "ui/MainWindow.h"
#include "ui/SkinnedTaskList.h"

namespace fv::test {

struct Task {
    QString caption;
    std::array<QString, kColumnCount> texts;
};

// Orders by name; the same title twice reverses, another title starts descending, and the
// selected task is found again by its identifier, as the real list does.
class ListOfTasks : public TaskListControl {
  public:
    std::vector<Task> tasks;
    int top = 0;
    int selected = -1;
    int sortState = 1;
    std::optional<uint64_t> changes;  // what revision() answers; nothing by default
    mutable int textReads = 0;

    int rowCount() const override { return static_cast<int>(tasks.size()); }
    QString caption(int row) const override { return ok(row) ? tasks[row].caption : QString(); }
    QString text(int row, int column) const override {
        ++textReads;
        return ok(row) && column >= 0 && column < kColumnCount ? tasks[row].texts[column]
                                                               : QString();
    }
    std::optional<uint64_t> revision() const override { return changes; }
    void sortByColumn(int column) override {
        const QString keep = ok(selected) ? tasks[selected].caption : QString();
        const int a = column * 2;
        const bool descending = a != sortState;
        sortState = descending ? a : a + 1;
        std::stable_sort(tasks.begin(), tasks.end(), [&](const Task& x, const Task& y) {
            return descending ? x.texts[column] > y.texts[column]
                              : x.texts[column] < y.texts[column];
        });
        for (int i = 0; i < rowCount(); ++i) {
            if (!keep.isEmpty() && tasks[i].caption.compare(keep, Qt::CaseInsensitive) == 0) {
                selected = i;
                break;
            }
        }
    }
    int selectedRow() const override { return selected; }
    int topRow() const override { return top; }
    void setViewState(int t, int s) override {
        top = t;
        selected = s;
    }

    static std::unique_ptr<ListOfTasks> numbered(int n, const QString& status = "Downloading") {
        auto list = std::make_unique<ListOfTasks>();
        for (int i = 0; i < n; ++i) {
            const QString s = QString::number(i);
            list->tasks.push_back({"id" + s,
                                   {"task" + s.rightJustified(2, '0'), "BT", s + "%", status,
                                    "1 MB", "2 KBps", "1 KBps"}});
        }
        return list;
    }

  private:
    bool ok(int row) const { return row >= 0 && row < rowCount(); }
};

class RecordingView : public TaskViewAction {
  public:
    void setOpensFolder(bool opensFolder) override { folder = opensFolder; }
    void view() override { ++views; }
    bool folder = false;
    int views = 0;
};

class MainWindowTest : public ::testing::Test {
  public:
    void SetUp() override {
        window = std::make_unique<ui::MainWindow>();
        window->setViewAction(&viewer);
        window->bindForms(form, &setupForm);
    }

    void useList(std::unique_ptr<ListOfTasks> l) {
        list = std::move(l);
        window->setTaskList(list.get());
    }

    template <typename T = QWidget>
    T* find(const QString& name) const {
        T* w = window->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QString text(const QString& name) const {
        auto* label = find<QLabel>(name);
        return label ? label->text() : QString();
    }
    QString nameOnLine(int n) const { return text(QString("lab_FVPageInfoLVName_%1").arg(n)); }

    // Sends a mouse event to w at its local point p (global position follows the widget).
    static void send(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton button,
                     Qt::MouseButtons buttons) {
        const QPointF global = QPointF(w->mapToGlobal(p));
        QMouseEvent e(type, QPointF(p), global, button, buttons, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    static void click(QWidget* w, QPoint p, Qt::MouseButton button = Qt::LeftButton) {
        send(w, QEvent::MouseButtonPress, p, button, button);
        send(w, QEvent::MouseButtonRelease, p, button, Qt::NoButton);
    }

    FormState form;
    FormState setupForm;
    RecordingView viewer;
    std::unique_ptr<ListOfTasks> list;
    std::unique_ptr<ui::MainWindow> window;
};

}  // namespace fv::test
