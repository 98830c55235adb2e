#include "cli/TaskListPrinter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <array>

#include "cli/TextTable.h"
#include "tasks/TimeLeft.h"

namespace fv::cli {
namespace {

// The identifier, the reported columns and the time left.
constexpr int kColumns = 1 + TaskListRow::kShownColumnCount;

std::array<QString, kColumns> headers(const ClientTexts& t) {
    return {t[Ct::FvctlTitleId],       t[Ct::FvctlTitleName],   t[Ct::FvctlTitleType],
            t[Ct::FvctlTitleProgress], t[Ct::FvctlTitleStatus], t[Ct::FvctlTitleSize],
            t[Ct::FvctlTitleDown],     t[Ct::FvctlTitleUp],     t[Ct::FvctlTitleLeft]};
}

std::array<QString, kColumns> cells(const TaskListRow& row) {
    std::array<QString, kColumns> c;
    c[0] = printable(TaskListPrinter::identifier(row));
    for (int i = 0; i < TaskListRow::ColumnCount; ++i)
        c[size_t(i + 1)] = printable(row.texts[size_t(i)]);
    c[size_t(kColumns - 1)] = TimeLeft::of(row).text();
    return c;
}

}  // namespace

QString TaskListPrinter::identifier(const TaskListRow& row) {
    return row.isUploadRow() ? QStringLiteral("-") : row.caption;
}

QStringList TaskListPrinter::table(const std::vector<TaskListRow>& rows, const ClientTexts& texts) {
    const auto titles = headers(texts);
    std::vector<QStringList> lines{QStringList(titles.begin(), titles.end())};
    for (const auto& r : rows) {
        const auto c = cells(r);
        lines.push_back(QStringList(c.begin(), c.end()));
    }
    return alignedTable(lines);
}

QByteArray TaskListPrinter::json(const std::vector<TaskListRow>& rows) {
    QJsonArray tasks;
    for (const auto& r : rows) {
        QJsonObject o;
        o["id"] = r.isUploadRow() ? QJsonValue() : QJsonValue(r.caption);
        o["queued"] = r.isUploadRow();
        o["name"] = r.texts[TaskListRow::FileName];
        o["type"] = r.texts[TaskListRow::Type];
        o["progress"] = r.texts[TaskListRow::Progress];
        o["status"] = r.texts[TaskListRow::Status];
        o["size"] = r.texts[TaskListRow::Size];
        o["downloadSpeed"] = r.texts[TaskListRow::DownloadSpeed];
        o["uploadSpeed"] = r.texts[TaskListRow::UploadSpeed];
        // Text as the table shows it; seconds only for an estimate (null when stalled or done).
        const TimeLeft left = TimeLeft::of(r);
        o["timeLeft"] = left.text();
        o["secondsLeft"] = left.kind() == TimeLeft::Kind::Estimate
                               ? QJsonValue(static_cast<double>(left.seconds()))
                               : QJsonValue();
        tasks.append(o);
    }
    QJsonObject doc;
    doc["online"] = true;
    doc["tasks"] = tasks;
    return QJsonDocument(doc).toJson(QJsonDocument::Indented);
}

QByteArray TaskListPrinter::jsonFailure(const QString& error, int exitCode) {
    QJsonObject doc;
    doc["online"] = false;
    doc["error"] = error;
    doc["exitCode"] = exitCode;
    return QJsonDocument(doc).toJson(QJsonDocument::Indented);
}

}  // namespace fv::cli
