// One entry of the local upload queue: one row of the hidden queue list and one "Column"
// element of FVTask.xml.
#pragma once

#include <QString>
#include <cstdint>

namespace fv {

struct UploadQueueEntry {
    static inline const QString kWaiting = QStringLiteral("in progress");
    static inline const QString kDone = QStringLiteral("Done");

    QString FileName;  // name without folder
    QString Status;    // "in progress" until the router took the file, then "Done"
    QString Checked;   // "All" or ascending 0-based indices joined by ","
    QString FullPath;
    bool marked = false;  // marked for deletion; never stored
    // Names this entry for as long as the program runs, across reloads and moves of the
    // queue (0: not yet named); never stored.
    uint64_t id = 0;

    // Status tests are case-sensitive containment tests.
    bool isWaiting() const { return Status.contains(kWaiting); }
    bool isDone() const { return Status.contains(kDone); }
    // The same queued file: what a row or a transfer refers to across reloads.
    bool sameFile(const UploadQueueEntry& o) const {
        return FileName == o.FileName && Checked == o.Checked && FullPath == o.FullPath;
    }
    bool operator==(const UploadQueueEntry& o) const { return sameFile(o) && Status == o.Status; }
};

}  // namespace fv
