// The task menu: a small borderless window of skinned entry lines (img_TableViewLine1 with
// lab_TableViewText1, ...) that opens next to a right-clicked task.
#pragma once

#include <QWidget>
#include <array>

#include "app/TaskMenuPlan.h"

class QLabel;

namespace fv::ui {

class SkinImage;

class TaskMenuWindow : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kMaxEntries = 14;
    static constexpr int kWidth = 210;

    explicit TaskMenuWindow(QWidget* parent = nullptr);

    // Shows the plan's entries with the window's top-left at `topLeft` (screen coordinates).
    void open(const TaskMenuPlan& plan, QPoint topLeft);
    // Replaces the entries of the open menu in place (the share check's answer).
    void showEntries(const TaskMenuPlan& plan);
    int entryCount() const { return shown_; }
    QString entryText(int entry) const;  // 1-based
    bool entryEnabled(int entry) const;
    // A tag marks a menu opened for another purpose; the task menu leaves it empty.
    void setTag(const QString& tag) { tag_ = tag; }
    // Picks entry n (1-based) as a click does.
    void choose(int entry);

  signals:
    // The task menu's choice: 1 opens the folder, 2 plays the file.
    void entryChosen(int entry);
    // A tagged menu's choice: only the mode is reset.
    void taggedEntryChosen(int entry);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void clearHighlights();

    struct Entry {
        SkinImage* image = nullptr;
        QLabel* label = nullptr;
    };
    std::array<Entry, kMaxEntries> entries_{};
    int shown_ = 0;
    QString tag_;
};

}  // namespace fv::ui
