#include "cli/TaskListPrinter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <array>

namespace fv::cli {
namespace {

constexpr int kColumns = 1 + TaskListRow::ColumnCount;

std::array<QString, kColumns> headers(const ClientTexts& t) {
    return {t[Ct::FvctlTitleId],       t[Ct::FvctlTitleName],   t[Ct::FvctlTitleType],
            t[Ct::FvctlTitleProgress], t[Ct::FvctlTitleStatus], t[Ct::FvctlTitleSize],
            t[Ct::FvctlTitleDown],     t[Ct::FvctlTitleUp]};
}

// Columns line up on the screen: a wide (CJK) character takes two cells.
qsizetype cellsOf(const QString& text) {
    qsizetype n = 0;
    for (const char32_t c : text.toUcs4())
        n += (c >= 0x1100 && (c <= 0x115F || (c >= 0x2E80 && c <= 0xA4CF) ||
                              (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
                              (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6)))
                 ? 2
                 : 1;
    return n;
}

QString padded(const QString& text, qsizetype cells) {
    return text + QString(std::max<qsizetype>(0, cells - cellsOf(text)), QLatin1Char(' '));
}

// Control characters from a hostile report must not move the terminal's cursor.
QString printable(QString text) {
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    return text;
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
    std::vector<std::array<QString, kColumns>> lines{headers(texts)};
    for (const auto& r : rows)
        lines.push_back(cells(r));
    std::array<qsizetype, kColumns> width{};
    for (const auto& l : lines)
        for (size_t i = 0; i < kColumns; ++i)
            width[i] = std::max(width[i], cellsOf(l[i]));
    QStringList out;
    for (const auto& l : lines) {
        QString text;
        for (size_t i = 0; i < kColumns; ++i)
            text += (i + 1 < kColumns) ? padded(l[i], width[i] + 2) : l[i];
        out << text;
    }
    return out;
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
