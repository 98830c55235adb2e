#include "tasks/TaskFilter.h"

#include <array>

namespace fv {
namespace {

constexpr std::array<const char*, TaskFilter::kStatusCount> kKeys = {
    "all", "downloading", "finished", "paused", "queued"};

bool isFinished(const QString& status) {
    return status == QLatin1String("Finished") || status == QLatin1String("Seeding");
}

bool isPaused(const QString& status) {
    return status.compare(QLatin1String("Paused"), Qt::CaseInsensitive) == 0;
}

}  // namespace

bool TaskFilter::matches(const TaskListRow& row) const {
    return matches(row.caption, row.texts[TaskListRow::FileName], row.texts[TaskListRow::Status]);
}

bool TaskFilter::matches(const QString& caption, const QString& name,
                         const QString& rowStatus) const {
    const bool queued = caption == TaskListRow::kUploadCaption;
    bool shown = true;
    switch (status) {
        case Status::All:
            break;
        case Status::Downloading:
            shown = !queued && !isFinished(rowStatus) && !isPaused(rowStatus);
            break;
        case Status::Finished:
            shown = !queued && isFinished(rowStatus);
            break;
        case Status::Paused:
            shown = !queued && isPaused(rowStatus);
            break;
        case Status::Queued:
            shown = queued;
            break;
    }
    const QString wanted = text.trimmed();
    return shown && (wanted.isEmpty() || name.contains(wanted, Qt::CaseInsensitive));
}

QString TaskFilter::key(Status s) {
    const int i = static_cast<int>(s);
    return i >= 0 && i < kStatusCount ? QString::fromLatin1(kKeys[size_t(i)]) : QString();
}

std::optional<TaskFilter::Status> TaskFilter::fromKey(const QString& key) {
    for (int i = 0; i < kStatusCount; ++i)
        if (key == QLatin1String(kKeys[size_t(i)]))
            return static_cast<Status>(i);
    return std::nullopt;
}

}  // namespace fv
