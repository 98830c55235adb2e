#include "cli/TextTable.h"

#include <algorithm>

namespace fv::cli {

QString printable(QString text) {
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    return text;
}

QStringList alignedTable(const std::vector<QStringList>& lines) {
    std::vector<qsizetype> width;
    for (const QStringList& l : lines) {
        width.resize(std::max<std::size_t>(width.size(), static_cast<std::size_t>(l.size())));
        for (qsizetype i = 0; i < l.size(); ++i)
            width[std::size_t(i)] = std::max(width[std::size_t(i)], printable(l[i]).size());
    }
    QStringList out;
    for (const QStringList& l : lines) {
        QString text;
        for (qsizetype i = 0; i < l.size(); ++i) {
            const QString cell = printable(l[i]);
            text += (i + 1 < l.size()) ? cell.leftJustified(width[std::size_t(i)] + 2) : cell;
        }
        out << text;
    }
    return out;
}

}  // namespace fv::cli
