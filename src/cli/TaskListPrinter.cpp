#include "cli/TaskListPrinter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <array>

#include "cli/TextTable.h"

namespace fv::cli {
namespace {

constexpr int kColumns = 1 + TaskListRow::ColumnCount;

std::array<QString, kColumns> headers(const ClientTexts& t) {
    return {t[Ct::FvctlTitleId],       t[Ct::FvctlTitleName],   t[Ct::FvctlTitleType],
            t[Ct::FvctlTitleProgress], t[Ct::FvctlTitleStatus], t[Ct::FvctlTitleSize],
            t[Ct::FvctlTitleDown],     t[Ct::FvctlTitleUp]};
}

std::array<QString, kColumns> cells(const TaskListRow& row) {
    std::array<QString, kColumns> c;
    c[0] = printable(TaskListPrinter::identifier(row));
    for (int i = 0; i < TaskListRow::ColumnCount; ++i)
        c[size_t(i + 1)] = printable(row.texts[size_t(i)]);
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
