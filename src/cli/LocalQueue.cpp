#include "cli/LocalQueue.h"

#include <QLockFile>
#include <algorithm>

#include "platform/DebugLog.h"
#include "upload/BtAnswer.h"
#include "upload/TaskFile.h"

namespace fv::cli {

LocalQueue::LocalQueue(QString taskFilePath, Transfer transfer)
    : path_(std::move(taskFilePath)),
      transfer_(std::move(transfer)),
      queue_(form_, {&sendTask_, &listUpdate_, &countDown_},
             [this](const _UPLOADBTTASK_INFO& info, UploadQueue::Done done) {
                 // The queue hands over the entry it picked; keep it with its answer.
                 SentEntry s{info};
                 s.info.BtResult = transfer_ ? transfer_(info) : kNoAnswer;
                 if (sink_)
                     sink_->push_back(s);
                 done(s.info.BtResult);
             }) {
    // A command-line process may wait for the window's short hold on the file.
    queue_.setLockWaitMs(5000);
    queue_.InitTaskFile(path_);
}

std::vector<UploadQueueEntry> LocalQueue::entries(bool* damaged) const {
    std::vector<UploadQueueEntry> loaded;
    const TaskFile::LoadResult result = TaskFile(path_).load(&loaded);
    if (damaged)
        *damaged = result == TaskFile::LoadResult::Damaged;
    if (result != TaskFile::LoadResult::Loaded)
        loaded.clear();
    return loaded;
}

std::vector<QueueRow> LocalQueue::rows() const {
    std::vector<QueueRow> rows;
    for (const auto& e : entries())
        rows.push_back({e.FileName, e.Status});
    return rows;
}

bool LocalQueue::append(const UploadQueueEntry& entry) {
    return TaskFile(path_).update({}, [&](std::vector<UploadQueueEntry>& onDisk) {
        onDisk.push_back(entry);
        return true;
    });
}

bool LocalQueue::remove(int index) {
    queue_.LoadTaskXMLToListView();
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
    const size_t before = sent.size();
    sink_ = &sent;
    queue_.TimerSendTaskTimer();
    sink_ = nullptr;
    return sent.size() > before;
}

std::vector<SentEntry> LocalQueue::send(const UploadQueueEntry* until) {
    QLockFile sending(path_ + ".send.lock");
    // Uploads may take long; only a holder that is gone (its process id) makes the lock stale.
    sending.setStaleLockTime(0);
    if (!sending.lock())
        DebugLog::write("fvctl: send lock not obtained");
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
        queue_.BtnClearUp_MainClick();
    return sent;
}

}  // namespace fv::cli
