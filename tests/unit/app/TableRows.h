// A task list for tests: rows of {caption, seven texts}.
#pragma once

#include <QString>
#include <array>
#include <vector>

#include "app/TaskRowSource.h"

namespace fv::test {

struct TableRow {
    QString caption;
    std::array<QString, kColumnCount> texts;
};

class TableRows : public TaskRowSource {
  public:
    std::vector<TableRow> rows;

    int rowCount() const override { return static_cast<int>(rows.size()); }
    QString caption(int row) const override { return valid(row) ? rows[row].caption : QString(); }
    QString text(int row, int column) const override {
        return valid(row) && column >= 0 && column < kColumnCount ? rows[row].texts[column]
                                                                  : QString();
    }

    // n rows named "task<i>" with status "Downloading" and progress "<i>%".
    static TableRows numbered(int n) {
        TableRows t;
        for (int i = 0; i < n; ++i) {
            const QString s = QString::number(i);
            t.rows.push_back(
                {"id" + s, {"task" + s, "BT", s + "%", "Downloading", "1 MB", "1 KBps", "0 KBps"}});
        }
        return t;
    }

  private:
    bool valid(int row) const { return row >= 0 && row < rowCount(); }
};

}  // namespace fv::test
