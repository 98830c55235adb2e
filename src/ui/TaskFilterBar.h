// The search field and status choice above the task list. It only edits a TaskFilter; what
// the filter lets through is decided below ui.
#pragma once

#include <QWidget>

#include "i18n/ClientTexts.h"
#include "tasks/TaskFilter.h"

class QComboBox;
class QLineEdit;

namespace fv::ui {

class TaskFilterBar : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kHeight = 24;

    explicit TaskFilterBar(QWidget* parent = nullptr);

    TaskFilter filter() const;
    // Shows a filter (an earlier run's) without announcing it.
    void setFilter(const TaskFilter& filter);
    void applyTexts(const ClientTexts& texts);
    // Ctrl+F: the search field takes the keyboard with its text selected.
    void focusSearch();

    QLineEdit* searchField() const { return search_; }
    QComboBox* statusChoice() const { return status_; }

  signals:
    void filterChanged(const TaskFilter& filter);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void announce();

    QLineEdit* search_ = nullptr;
    QComboBox* status_ = nullptr;
    bool quiet_ = false;
};

}  // namespace fv::ui
