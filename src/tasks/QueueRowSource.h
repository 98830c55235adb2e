// What the task list needs from the local upload queue, which lives in a layer above this
// one: the files still waiting (one list row each) and the removal of a queued file when the
// user removes its row. UI thread only.
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

namespace fv {

struct QueueRow {
    QString fileName;      // as queued; a local upload row shows it in the name column
    QString statusText;    // the entry's status text ("in progress", "Done", ...)
    uint64_t entryId = 0;  // the entry this row stands for, however the queue moves
};

class QueueRowSource {
  public:
    virtual ~QueueRowSource() = default;

    // The queue's entries in queue order.
    virtual std::vector<QueueRow> queueRows() const = 0;

    // Deletes exactly the entry a list row stands for and saves the task file; nothing when
    // that entry is no longer queued (sent and cleared meanwhile). Another file of the same
    // name is never taken instead. The caller re-arms the refresh itself.
    virtual void removeQueuedEntry(uint64_t entryId) = 0;
};

}  // namespace fv
