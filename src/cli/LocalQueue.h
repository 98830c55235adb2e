// The local upload queue as fvctl uses it: the client core's queue (the window's own queue
// logic over FVTask.xml) stepped by hand instead of by timers, its transfers run in place.
//
// Sending is serialised between fvctl processes by a lock beside the queue file, so two of
// them never upload the same waiting entry at once; each send step rereads the file, so it
// sees entries other processes added meanwhile. Main thread only.
#pragma once

#include <QString>
#include <vector>

#include "app/ClientCore.h"
#include "tasks/QueueRowSource.h"
#include "upload/UploadQueueEntry.h"
#include "upload/UploadTransfer.h"

namespace fv::cli {

struct SentEntry {
    UploadTransfer info;  // what was sent, BtResult holding the router's answer code
};

class LocalQueue {
  public:
    // Works on the core's queue over the data folder's FVTask.xml.
    explicit LocalQueue(ClientCore& core);

    // The entries on disk; empty when the file is missing or damaged (damaged set then).
    static std::vector<UploadQueueEntry> entriesOnDisk(bool* damaged = nullptr);
    std::vector<UploadQueueEntry> entries(bool* damaged = nullptr) const {
        return entriesOnDisk(damaged);
    }
    static std::vector<QueueRow> rowsOnDisk();

    // Appends a waiting entry under the queue file's lock; false when it could not be saved.
    bool append(const UploadQueueEntry& entry);

    // Sends waiting entries in queue order until `until` was sent (any entry when it is
    // null), the queue halts on a failure, or nothing waits any more. Returns what was sent.
    // The entries the router took leave the file afterwards, as the window's tick drops them.
    std::vector<SentEntry> send(const UploadQueueEntry* until);

    // Deletes the entry at this position of entries() as the window's Delete does; false
    // when there is no such entry.
    bool remove(int index);

    bool halted() const { return queue_.halted(); }
    // The last send() stopped because another process (the window) was sending.
    bool otherSenderBusy() const { return queue_.otherSenderBusy(); }
    QString failureText() const { return queue_.failureText(); }

  private:
    bool sendOne(std::vector<SentEntry>& sent);

    UploadQueue& queue_;
};

}  // namespace fv::cli
