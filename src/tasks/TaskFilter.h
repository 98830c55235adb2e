// Which rows of the task list show: a piece of the file name (any case) and a status choice.
#pragma once

#include <QString>
#include <optional>

#include "tasks/TaskListRow.h"

namespace fv {

struct TaskFilter {
    enum class Status : int {
        All = 0,
        Downloading,  // router tasks neither finished nor paused (downloading, waiting, ...)
        Finished,     // "Finished" or "Seeding"
        Paused,
        Queued,  // files still in the local upload queue
    };
    static constexpr int kStatusCount = 5;

    QString text;
    Status status = Status::All;

    bool active() const { return status != Status::All || !text.trimmed().isEmpty(); }
    bool matches(const TaskListRow& row) const;
    bool matches(const QString& caption, const QString& name, const QString& status) const;

    // The names the layout file keeps the choice under ("all", "downloading", ...).
    static QString key(Status status);
    static std::optional<Status> fromKey(const QString& key);

    bool operator==(const TaskFilter&) const = default;
};

}  // namespace fv
