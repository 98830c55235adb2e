#include "upload/UploadQueue.h"

#include <QFile>

#include "i18n/Messages.h"
#include "platform/DebugLog.h"

namespace fv {
namespace {

// Removes from entries one occurrence of each of the given entries (same file and choice).
void removeEach(std::vector<UploadQueueEntry>& entries, const std::vector<UploadQueueEntry>& gone) {
    for (const auto& g : gone) {
        for (auto it = entries.begin(); it != entries.end(); ++it) {
            if (it->sameFile(g)) {
                entries.erase(it);
                break;
            }
        }
    }
}

}  // namespace

UploadQueue::UploadQueue(FormState& form, Timers timers, TransferStarter startTransfer, Hooks hooks)
    : form_(form),
      timers_(timers),
      startTransfer_(std::move(startTransfer)),
      hooks_(std::move(hooks)) {
    timers_.sendTask->setInterval(500);
    timers_.taskListUpdate->setInterval(3000);
    timers_.countDown->setInterval(1000);
    timers_.sendTask->setHandler([this] { TimerSendTaskTimer(); });
    timers_.taskListUpdate->setHandler([this] { TimerTaskListUpdateTimer(); });
    timers_.countDown->setHandler([this] { TimerCountDownTimer(); });
}

void UploadQueue::changed() {
    if (hooks_.queueChanged)
        hooks_.queueChanged();
}

bool UploadQueue::loadTaskFile(std::vector<UploadQueueEntry>* entries, const char* caller) const {
    switch (file_.load(entries)) {
        case TaskFile::LoadResult::Missing:
            DebugLog::write(std::string(caller) + ":Load XML file failed!");
            return false;
        case TaskFile::LoadResult::Damaged:
            DebugLog::write("Load XML Document from file failed!");
            return false;
        case TaskFile::LoadResult::Loaded:
            break;
    }
    return true;
}

void UploadQueue::InitTaskFile(const QString& path) {
    file_ = TaskFile(path);
    entries_.clear();
    if (QFile::exists(path))
        LoadTaskXMLToListView();
    info_ = _UPLOADBTTASK_INFO{};
}

void UploadQueue::LoadTaskXMLToListView() {
    std::vector<UploadQueueEntry> loaded;
    if (!loadTaskFile(&loaded, "LoadTaskXMLToListView"))
        return;
    entries_ = std::move(loaded);  // marks are lost, as with any reload
    changed();
}

void UploadQueue::SaveTaskFile() {
    // Entries another process added since our last load are kept after ours.
    file_.update(
        entries_,
        [this](std::vector<UploadQueueEntry>& onDisk) {
            std::vector<UploadQueueEntry> merged = entries_;
            for (auto& e : merged)
                e.marked = false;
            std::vector<bool> matched(merged.size(), false);
            for (const auto& d : onDisk) {
                size_t i = 0;
                while (i < merged.size() && (matched[i] || !merged[i].sameFile(d)))
                    ++i;
                if (i == merged.size()) {
                    merged.push_back(d);
                    matched.push_back(true);
                    continue;
                }
                matched[i] = true;
                // Another process (fvctl) may have sent it since our last load: a file
                // once done must not go out again.
                if (d.isDone())
                    merged[i].Status = d.Status;
            }
            onDisk = std::move(merged);
            return true;
        },
        nullptr);
}

void UploadQueue::AppendQueueEntry(const QString& fileName, const QString& checked,
                                   const QString& fullPath) {
    UploadQueueEntry entry{fileName, UploadQueueEntry::kWaiting, checked, fullPath};
    std::vector<UploadQueueEntry> result;
    if (file_.update(
            entries_,
            [&](std::vector<UploadQueueEntry>& onDisk) {
                onDisk.push_back(entry);
                return true;
            },
            &result)) {
        entries_ = std::move(result);
    } else {
        // Kept in memory so the list shows it and the next save writes it.
        DebugLog::write("AppendQueueEntry: task file not written, entry kept in memory");
        entries_.push_back(entry);
    }
    changed();
}

void UploadQueue::setStatusLine(const QString& text) {
    form_.setText(kStatusLine, text);
}

void UploadQueue::TimerSendTaskTimer() {
    DebugLog::write("TimerSendTaskTimer()");
    timers_.sendTask->setEnabled(false);
    timers_.countDown->setEnabled(false);
    timers_.countDown->setInterval(100);
    form_.setVisible(kCountDown, false);
    form_.setVisible(kFailureLine, false);
    form_.setVisible(kStatusLine, true);

    std::vector<UploadQueueEntry> onDisk;
    if (!loadTaskFile(&onDisk, "TimerSendTaskTimer"))
        return;
    if (inFlight_) {
        // The one transfer record is busy; its completion restarts the loop.
        DebugLog::write("TimerSendTaskTimer:transfer in flight");
        return;
    }
    auto waiting = std::find_if(onDisk.begin(), onDisk.end(),
                                [](const UploadQueueEntry& e) { return e.isWaiting(); });
    if (waiting != onDisk.end()) {
        auto lock = std::make_unique<QLockFile>(file_.path() + ".send");
        lock->setStaleLockTime(120000);  // a dead holder is detected at once by its pid
        if (!lock->tryLock(0)) {
            DebugLog::write("TimerSendTaskTimer:another process is sending");
            return;  // the next list-update tick re-arms sending
        }
        sendLock_ = std::move(lock);
        info_.FileName = waiting->FileName;
        info_.Status = waiting->Status;
        info_.Checked = waiting->Checked;
        info_.FullPath = waiting->FullPath;
        info_.BtResult = 10;
        inFlight_ = true;
        setStatusLine(msg::FormMainMsg2 + "...");
        startTransfer_(info_, [this](int code) { SendBtTaskThreadDone(code); });
    } else if (!onDisk.empty()) {
        setStatusLine(msg::FormMainMsg1);
        if (hooks_.resetTaskListPosition)
            hooks_.resetTaskListPosition();
    } else {
        setStatusLine(QString());
    }
    DebugLog::write("TimerSendTaskTimer()-end");
}

void UploadQueue::markSentEntryDone() {
    // Only the entry that was sent: another file of the same name still has to go out.
    UploadQueueEntry sent{info_.FileName, info_.Status, info_.Checked, info_.FullPath};
    std::vector<UploadQueueEntry> result;
    if (file_.update(
            entries_,
            [&](std::vector<UploadQueueEntry>& onDisk) {
                for (auto& e : onDisk) {
                    if (e.isWaiting() && e.sameFile(sent)) {
                        e.Status = UploadQueueEntry::kDone;
                        return true;
                    }
                }
                return false;
            },
            &result)) {
        entries_ = std::move(result);
        changed();
    }
}

void UploadQueue::fail(const QString& message) {
    form_.setVisible(kFailureLine, true);
    form_.setVisible(kStatusLine, false);
    timers_.sendTask->setEnabled(false);
    halted_ = true;
    animation_ = 0;
    form_.setEnabled(kRetryButton, true);
    form_.setText(kFailureLine, message);
}

void UploadQueue::SendBtTaskThreadDone(int btResult) {
    inFlight_ = false;
    sendLock_.reset();
    info_.BtResult = btResult;
    DebugLog::write("SendBtTaskThreadDone()-uploadBtTaskInfo.BtResult:" + std::to_string(btResult));
    switch (btResult) {
        case 0:
        case 1:
        case 3:
            if (btResult == 3) {
                form_.setText(kFailureLine, msg::FormMainMsg10);
                form_.setVisible(kFailureLine, true);
            } else {
                form_.setVisible(kFailureLine, false);
            }
            markSentEntryDone();
            timers_.sendTask->setInterval(3000);
            timers_.sendTask->setEnabled(true);
            halted_ = false;
            break;
        case 4:
        case 5:
        case 6:
        case 7:
        case 8:
            fail(msg::FormMainMsg3);
            break;
        case 9:
            DebugLog::write("HTTP_TIMEOUT");
            fail(msg::FormMainMsg4);
            break;
        default:
            fail(msg::FormMainMsg4);
            break;
    }
    countdown_ = timers_.sendTask->interval() / 1000 - 1;
    timers_.countDown->setInterval(1000);
    timers_.countDown->setEnabled(true);
}

void UploadQueue::TimerTaskListUpdateTimer() {
    LoadTaskXMLToListView();
    const bool anyWaiting = std::any_of(entries_.begin(), entries_.end(),
                                        [](const UploadQueueEntry& e) { return e.isWaiting(); });
    const bool anyDone = std::any_of(entries_.begin(), entries_.end(),
                                     [](const UploadQueueEntry& e) { return e.isDone(); });
    if (anyWaiting) {
        static const char* const kDots[] = {".", "....", "........"};
        setStatusLine(msg::FormMainMsg2 + kDots[animation_ % 3]);
        ++animation_;
        if (!timers_.sendTask->enabled() && !halted_ && !inFlight_)
            timers_.sendTask->setEnabled(true);
    }
    if (anyDone)
        BtnClearUp_MainClick();
    if (hooks_.isOffline && hooks_.isOffline() && hooks_.mergeQueueRows)
        hooks_.mergeQueueRows();
}

void UploadQueue::TimerCountDownTimer() {
    DebugLog::write("TimerCountDownTimer()");
    form_.setVisible(kCountDown, true);
    if (countdown_ >= 0)
        form_.setText(kCountDown, QString::number(countdown_) + " Sec");
    --countdown_;
}

void UploadQueue::BtnUploadBt_MainClick() {
    form_.setEnabled(kRetryButton, false);
    timers_.sendTask->setEnabled(true);
    halted_ = false;
    animation_ = 0;
}

void UploadQueue::setMarked(int index, bool marked) {
    if (index >= 0 && size_t(index) < entries_.size())
        entries_[size_t(index)].marked = marked;
}

void UploadQueue::BtnDelete_MainClick() {
    if (entries_.empty())
        return;
    std::vector<UploadQueueEntry> gone;
    for (const auto& e : entries_)
        if (e.marked)
            gone.push_back(e);
    std::vector<UploadQueueEntry> remaining = entries_;
    removeEach(remaining, gone);
    std::vector<UploadQueueEntry> result;
    if (file_.update(
            remaining,
            [&](std::vector<UploadQueueEntry>& onDisk) {
                removeEach(onDisk, gone);
                return true;
            },
            &result))
        entries_ = std::move(result);
    else
        entries_ = std::move(remaining);
    changed();
    if (hooks_.restartRefreshTimer)
        hooks_.restartRefreshTimer(1000);
}

void UploadQueue::removeQueueRow(int index) {
    if (index < 0 || size_t(index) >= entries_.size())
        return;
    for (auto& e : entries_)
        e.marked = false;
    entries_[size_t(index)].marked = true;
    BtnDelete_MainClick();
}

std::vector<QueueRow> UploadQueue::queueRows() const {
    std::vector<QueueRow> rows;
    rows.reserve(entries_.size());
    for (size_t i = 0; i < entries_.size(); ++i)
        rows.push_back({entries_[i].FileName, entries_[i].Status, int(i)});
    return rows;
}

void UploadQueue::removeQueuedEntry(int queueIndex, const QString& fileName) {
    if (queueIndex >= 0 && size_t(queueIndex) < entries_.size() &&
        entries_[size_t(queueIndex)].FileName == fileName) {
        removeQueueRow(queueIndex);
        return;
    }
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].FileName == fileName) {
            for (auto& e : entries_)
                e.marked = false;
            entries_[i].marked = true;
            BtnDelete_MainClick();
            return;
        }
    }
}

void UploadQueue::BtnClearUp_MainClick() {
    auto dropDone = [](std::vector<UploadQueueEntry>& list) {
        std::erase_if(list, [](const UploadQueueEntry& e) { return e.isDone(); });
        return true;
    };
    std::vector<UploadQueueEntry> remaining = entries_;
    dropDone(remaining);
    std::vector<UploadQueueEntry> result;
    if (file_.update(remaining, dropDone, &result))
        entries_ = std::move(result);
    else
        entries_ = std::move(remaining);
    changed();
}

void UploadQueue::ListViewDLFile_MainClick() {
    timers_.taskListUpdate->setInterval(30000);
}
void UploadQueue::ListViewDLFile_MainExit() {
    timers_.taskListUpdate->setInterval(3000);
}

}  // namespace fv
