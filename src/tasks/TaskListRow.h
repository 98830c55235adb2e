// One row of the task list: a caption (the router's task identifier, or "zzz999" for a file
// still waiting in the local upload queue) and the seven column texts.
#pragma once

#include <QString>
#include <array>
#include <cstdint>

namespace fv {

struct TaskListRow {
    // Column indices of texts, in the list's column order.
    enum Column : int {
        FileName = 0,
        Type = 1,
        Progress = 2,
        Status = 3,
        Size = 4,
        DownloadSpeed = 5,
        UploadSpeed = 6,
        ColumnCount = 7,
    };
    // A column made from the others rather than reported: the estimated time left. It orders
    // like the reported columns and comes after them in the list.
    static constexpr int kTimeLeftColumn = ColumnCount;
    static constexpr int kShownColumnCount = ColumnCount + 1;

    static inline const QString kUploadCaption = QStringLiteral("zzz999");

    QString caption;
    std::array<QString, ColumnCount> texts;
    bool selected = false;      // the per-row mark the commands set while they act on a row
    uint64_t queueEntryId = 0;  // for an upload row, the queue entry it stands for

    bool isUploadRow() const { return caption == kUploadCaption; }
    bool operator==(const TaskListRow&) const = default;
};

}  // namespace fv
