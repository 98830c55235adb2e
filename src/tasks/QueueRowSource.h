// What the task list needs from the local upload queue, which lives in a layer above this
// one: the files still waiting (one list row each) and the removal of a queued file when the
// user removes its row. UI thread only.
#pragma once

#include <QString>
#include <vector>

namespace fv {

struct QueueRow {
    QString fileName;    // as queued; a local upload row shows it in the name column
    QString statusText;  // the entry's status text ("in progress", "Done", ...)
};

class QueueRowSource {
  public:
    virtual ~QueueRowSource() = default;

    // The queue's entries in queue order.
    virtual std::vector<QueueRow> queueRows() const = 0;

    // Marks every entry whose file name equals fileName exactly (case-sensitive), deletes
    // the marked entries and saves the task file. The caller re-arms the refresh itself.
    virtual void removeQueuedFile(const QString& fileName) = 0;
};

}  // namespace fv
