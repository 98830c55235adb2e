#include "tasks/TaskListBuilder.h"

#include <algorithm>

#include "platform/DebugLog.h"
#include "tasks/RouterNumber.h"
#include "tasks/TaskTable.h"

namespace fv {
namespace {

QString text8(const std::string& field) {
    return QString::fromUtf8(field.data(), static_cast<qsizetype>(field.size()));
}

}  // namespace

bool TaskListBuilder::routerRow(const TaskReportRow& info, TaskListRow& row, std::string& failure,
                                const QString& decimalPoint) {
    const std::optional<double> progress = RouterNumber::parse(info.progress());
    if (!progress) {
        failure = "'" + info.progress() + "' is not a valid floating point value";
        return false;
    }
    row.caption = text8(info.id);
    row.texts[TaskListRow::FileName] = info.name;
    row.texts[TaskListRow::Type] = text8(info.type());
    row.texts[TaskListRow::Progress] = RouterNumber::progressText(*progress, decimalPoint);
    row.texts[TaskListRow::Status] =
        info.status() == "Vfat4G" ? QStringLiteral("Format Error") : text8(info.status());
    row.texts[TaskListRow::Size] = text8(info.size());
    row.texts[TaskListRow::DownloadSpeed] = text8(info.downloadSpeed());
    row.texts[TaskListRow::UploadSpeed] = text8(info.uploadSpeed());
    row.selected = false;
    return true;
}

TaskListRow TaskListBuilder::uploadRow(const QueueRow& entry) {
    TaskListRow row;
    row.caption = TaskListRow::kUploadCaption;
    row.queueEntryId = entry.entryId;
    row.texts[TaskListRow::FileName] = entry.fileName;
    row.texts[TaskListRow::Type] = entry.fileName.contains(QLatin1String("torrent"))
                                       ? QStringLiteral("BT")
                                       : QStringLiteral("NZB");
    row.texts[TaskListRow::Progress] = QStringLiteral("0%");
    row.texts[TaskListRow::Status] = entry.statusText;
    return row;
}

TaskListRow TaskListBuilder::offlineUploadRow(const QueueRow& entry) {
    TaskListRow row;
    row.caption = TaskListRow::kUploadCaption;
    row.queueEntryId = entry.entryId;
    row.texts[TaskListRow::FileName] = entry.fileName;
    row.texts[TaskListRow::Status] = entry.statusText;
    return row;
}

void TaskListBuilder::build(const TaskReportTable& table, const std::vector<QueueRow>& queue,
                            ListBuildResult& result, BadProgress badProgress) {
    result.failed = false;
    result.unreadableProgress.clear();
    const size_t count = static_cast<size_t>(std::max(0, table.count));
    result.rows.resize(std::min(count, table.rows.size()));
    std::string failure;
    const QString point = RouterNumber::userDecimalPoint();
    for (size_t i = 0; i < result.rows.size(); ++i) {
        if (!routerRow(table.rows[i], result.rows[i], failure, point)) {
            if (badProgress == BadProgress::ShowBlank) {
                TaskReportRow blank = table.rows[i];
                blank.fields[2] = "0";  // the progress field
                routerRow(blank, result.rows[i], failure, point);
                result.rows[i].texts[TaskListRow::Progress].clear();
                result.unreadableProgress.push_back(result.rows[i].caption);
                continue;
            }
            result.rows.resize(i);
            result.failed = true;
            DebugLog::write(
                "catch error : in ParseFVPageResultToListViewThread_Main(), E.Message = " +
                failure);
            return;
        }
    }
    for (const QueueRow& entry : queue)
        result.rows.push_back(uploadRow(entry));
}

ListBuildResult TaskListBuilder::buildRows(const TaskTable& table,
                                           const std::vector<QueueRow>& queue,
                                           BadProgress badProgress) {
    ListBuildResult result;
    table.read([&](const TaskReportTable& rows) { build(rows, queue, result, badProgress); });
    return result;
}

}  // namespace fv
