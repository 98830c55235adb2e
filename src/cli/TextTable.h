// Columns aligned for a terminal: every column as wide as its widest cell plus two spaces, the
// last one unpadded; a wide (CJK) character takes two cells on the screen. Cells are made printable
// first, so control characters from a router's reply cannot move the cursor.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace fv::cli {

QString printable(QString text);
// The terminal cells a text takes.
qsizetype cellsOf(const QString& text);
QStringList alignedTable(const std::vector<QStringList>& lines);

}  // namespace fv::cli
