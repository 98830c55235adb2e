#include "cli/TextTable.h"

#include <algorithm>

namespace fv::cli {

QString printable(QString text) {
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    return text;
}

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

QStringList alignedTable(const std::vector<QStringList>& lines) {
    std::vector<qsizetype> width;
    for (const QStringList& l : lines) {
        width.resize(std::max<std::size_t>(width.size(), static_cast<std::size_t>(l.size())));
        for (qsizetype i = 0; i < l.size(); ++i)
            width[std::size_t(i)] = std::max(width[std::size_t(i)], cellsOf(printable(l[i])));
    }
    QStringList out;
    for (const QStringList& l : lines) {
        QString text;
        // Where the last cell with text ends: empty cells at the end leave no padding behind.
        qsizetype end = 0;
        for (qsizetype i = 0; i < l.size(); ++i) {
            const QString cell = printable(l[i]);
            const qsizetype pad = width[std::size_t(i)] + 2 - cellsOf(cell);
            text += cell;
            if (!cell.isEmpty())
                end = text.size();
            if (i + 1 < l.size())
                text += QString(std::max<qsizetype>(0, pad), QLatin1Char(' '));
        }
        text.truncate(end);
        out << text;
    }
    return out;
}

}  // namespace fv::cli
