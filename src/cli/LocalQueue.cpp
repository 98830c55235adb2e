#include "cli/LocalQueue.h"

#include <QLockFile>
#include <algorithm>

#include "platform/AppPaths.h"
#include "platform/DebugLog.h"
#include "platform/LockFiles.h"
#include "upload/TaskFile.h"

namespace fv::cli {

LocalQueue::LocalQueue(ClientCore& core) : queue_(core.queue()) {
    // A command-line process may wait for the window's short hold on the file.
    queue_.setLockWaitMs(5000);
    queue_.openTaskFile(AppPaths::taskFilePath());
}

std::vector<UploadQueueEntry> LocalQueue::entriesOnDisk(bool* damaged) {
    std::vector<UploadQueueEntry> loaded;
    const TaskFile::LoadResult result = TaskFile(AppPaths::taskFilePath()).load(&loaded);
    if (damaged)
        *damaged = result == TaskFile::LoadResult::Damaged;
    if (result != TaskFile::LoadResult::Loaded)
        loaded.clear();
    return loaded;
}

std::vector<QueueRow> LocalQueue::rowsOnDisk() {
    std::vector<QueueRow> rows;
    for (const auto& e : entriesOnDisk())
        rows.push_back({e.FileName, e.Status});
    return rows;
}

bool LocalQueue::append(const UploadQueueEntry& entry) {
    return TaskFile(AppPaths::taskFilePath())
        .update({}, [&](std::vector<UploadQueueEntry>& onDisk) {
            onDisk.push_back(entry);
            return true;
        });
}

bool LocalQueue::remove(int index) {
    queue_.reloadTaskFile();
    const std::vector<UploadQueueEntry> loaded = queue_.entries();  // a copy: removal changes it
    if (index < 0 || size_t(index) >= loaded.size())
        return false;
    const UploadQueueEntry gone = loaded[size_t(index)];
    queue_.removeQueueRow(index);
    const auto after = entries();
    return std::count_if(after.begin(), after.end(),
                         [&](const UploadQueueEntry& e) { return e.sameFile(gone); }) <
           std::count_if(
               loaded.begin(), loaded.end(),
               [&](const UploadQueueEntry& e) { return e.sameFile(gone); });
}

bool LocalQueue::sendOne(std::vector<SentEntry>& sent) {
    const uint64_t before = queue_.transfersFinished();
    // The core's runner does the transfer in place, so the step returns with its answer.
    queue_.onSendTick();
    if (queue_.transfersFinished() == before)
        return false;
    sent.push_back({queue_.uploadBtTaskInfo()});
    return true;
}

std::vector<SentEntry> LocalQueue::send(const UploadQueueEntry* until) {
    const QString lockPath = AppPaths::taskFilePath() + ".send.lock";
    QLockFile sending(lockPath);
    // Uploads may take long; only a holder that is gone (its process id) makes the lock stale.
    // A sender killed while it took the lock leaves one without a holder, which would never go
    // stale by this rule; taking the lock clears it.
    sending.setStaleLockTime(0);
    if (!LockFiles::take(sending, lockPath, -1))
        DebugLog::write("fvctl: send lock not obtained");
    // The window's lock is only tried, not waited for; a window killed as it took it must not
    // make this send report another sender.
    LockFiles::outwaitUnreadable(AppPaths::taskFilePath() + ".send");
    std::vector<SentEntry> sent;
    const size_t limit = entries().size() + 1;
    for (size_t i = 0; i < limit && !queue_.halted(); ++i) {
        if (!sendOne(sent))
            break;
        const auto& last = sent.back().info;
        if (until &&
            UploadQueueEntry{last.FileName, last.Status, last.Checked, last.FullPath}.sameFile(
                *until))
            break;
    }
    const bool anyDone = std::any_of(queue_.entries().begin(), queue_.entries().end(),
                                     [](const UploadQueueEntry& e) { return e.isDone(); });
    if (anyDone)
        queue_.clearDone();
    return sent;
}

}  // namespace fv::cli
