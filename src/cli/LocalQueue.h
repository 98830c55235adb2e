// The local upload queue as fvctl uses it: the window's queue logic (UploadQueue over
// FVTask.xml) driven by hand instead of by timers, with transfers run in place.
//
// Sending is serialised between fvctl processes by a lock beside the queue file, so two of
// them never upload the same waiting entry at once; each send step reloads the file, so it
// sees entries other processes added meanwhile. Main thread only.
#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "platform/FormState.h"
#include "platform/Timer.h"
#include "tasks/QueueRowSource.h"
#include "upload/UploadBtTaskInfo.h"
#include "upload/UploadQueue.h"
#include "upload/UploadQueueEntry.h"

namespace fv::cli {

struct SentEntry {
    _UPLOADBTTASK_INFO info;  // what was sent, BtResult holding the router's answer code
};

class LocalQueue {
  public:
    // Runs one transfer and returns its answer code (TSendBtTaskThread::Execute in use).
    using Transfer = std::function<int(const _UPLOADBTTASK_INFO&)>;

    explicit LocalQueue(QString taskFilePath, Transfer transfer = {});

    // The entries on disk; empty when the file is missing or damaged (damaged set then).
    std::vector<UploadQueueEntry> entries(bool* damaged = nullptr) const;
    std::vector<QueueRow> rows() const;

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
    QString failureText() const { return form_.text(UploadQueue::kFailureLine); }

  private:
    bool sendOne(std::vector<SentEntry>& sent);

    QString path_;
    Transfer transfer_;
    std::vector<SentEntry>* sink_ = nullptr;  // where the send step in progress reports
    FormState form_;
    ManualTimer sendTask_;
    ManualTimer listUpdate_;
    ManualTimer countDown_;
    UploadQueue queue_;
};

}  // namespace fv::cli
