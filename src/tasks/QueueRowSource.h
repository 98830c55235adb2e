// What the task list needs from the local upload queue, which lives in a layer above this
// one: the files still waiting (one list row each) and the removal of a queued file when the
// user removes its row. UI thread only.
#pragma once

#include <QString>
#include <vector>

namespace fv {

struct QueueRow {
    QString fileName;     // as queued; a local upload row shows it in the name column
    QString statusText;   // the entry's status text ("in progress", "Done", ...)
    int queueIndex = -1;  // the entry's position in the queue when the rows were taken
};

class QueueRowSource {
  public:
    virtual ~QueueRowSource() = default;

    // The queue's entries in queue order.
    virtual std::vector<QueueRow> queueRows() const = 0;

    // Deletes the one entry a list row stands for and saves the task file: the entry at
    // queueIndex when it still carries fileName, else (the queue moved meanwhile) the first
    // entry of that name. Two different files named alike are two entries, and removing one
    // row never takes the other. The caller re-arms the refresh itself.
    virtual void removeQueuedEntry(int queueIndex, const QString& fileName) = 0;
};

}  // namespace fv
