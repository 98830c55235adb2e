// The entries of the task menu (TaskMenuWindow) for a right-clicked task, and where it opens.
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "app/TaskViewAction.h"

namespace fv {

struct TaskMenuEntry {
    QString text;
    bool enabled = true;
};

class TaskMenuPlan {
  public:
    static constexpr int kEntryHeight = 30;
    static constexpr int kFrame = 4;

    // remote: the connection mode is remote. kind: what the share check found for the task;
    // nothing while the check runs (both entries then wait, disabled).
    static TaskMenuPlan make(bool remote, const QString& fileName, const QString& status,
                             std::optional<ShareEntryKind> kind);
    // Whether the entries depend on a share check (a finished task in local mode).
    static bool needsShareCheck(bool remote, const QString& fileName, const QString& status);

    // Top of the menu relative to the list's top, for line 1 to 5 whose tops are given.
    static int top(int lineNumber, int line1Top, int line2Top);

    const std::vector<TaskMenuEntry>& entries() const { return entries_; }
    int innerHeight() const { return static_cast<int>(entries_.size()) * kEntryHeight; }
    int windowHeight() const { return innerHeight() + kFrame; }

  private:
    std::vector<TaskMenuEntry> entries_;
};

}  // namespace fv
