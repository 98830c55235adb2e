#include "upload/UploadQueue.h"

#include <QFile>

#include "i18n/Messages.h"
#include "platform/DebugLog.h"
#include "upload/BtAnswer.h"

namespace fv {
namespace {

constexpr int kExitLockWaitMs = 5000;

// Carries each entry's id (and so the rows that name it) over to the newly read list: the
// same file in the same state first, then the same file; anything new gets a fresh id.
void carryIds(const std::vector<UploadQueueEntry>& before, std::vector<UploadQueueEntry>& after,
              uint64_t& nextId) {
    std::vector<bool> taken(before.size(), false);
    auto match = [&](const UploadQueueEntry& e, bool sameStatus) -> uint64_t {
        for (size_t i = 0; i < before.size(); ++i) {
            if (taken[i] || !before[i].sameFile(e) || (sameStatus && before[i].Status != e.Status))
                continue;
            taken[i] = true;
            return before[i].id;
        }
        return 0;
    };
    for (auto& e : after)
        e.id = match(e, true);
    for (auto& e : after) {
        if (e.id == 0)
            e.id = match(e, false);
        if (e.id == 0)
            e.id = nextId++;
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

QString UploadQueue::notSavedText(const QString& why) {
    return QStringLiteral("Queue not saved (%1); kept until you quit.").arg(why);
}

QString UploadQueue::tooLargeText(const QString& fileName) {
    return QStringLiteral(
               "FAIL:%1 is too large to send (more than 64 MB). Remove it from the "
               "list.")
        .arg(fileName);
}

QString UploadQueue::unreadableText(const QString& fileName) {
    return QStringLiteral(
               "FAIL:%1 cannot be read. Remove it from the list, or put it back and "
               "click here.")
        .arg(fileName);
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

void UploadQueue::rebuildEntries() {
    std::vector<UploadQueueEntry> view = saved_;
    for (const QueueChange& c : unsaved_)
        c.applyTo(view);
    for (auto& e : view)
        e.marked = false;  // marks are lost, as with any reload
    carryIds(entries_, view, nextId_);
    entries_ = std::move(view);
}

bool UploadQueue::reload(const char* caller) {
    std::vector<UploadQueueEntry> loaded;
    if (!loadTaskFile(&loaded, caller))
        return false;
    saved_ = std::move(loaded);
    rebuildEntries();
    return true;
}

void UploadQueue::setSaveProblem(const QString& why) {
    if (saveProblem_ == why)
        return;
    const QString shown = notSavedText(saveProblem_);
    saveProblem_ = why;
    if (why.isEmpty()) {
        if (form_.text(kStatusLine) == shown)
            form_.setText(kStatusLine, QString());
        return;
    }
    DebugLog::write("UploadQueue: task file not written; E.Message = " + why);
    form_.setText(kStatusLine, notSavedText(why));
    form_.setVisible(kStatusLine, true);
}

bool UploadQueue::flush(int lockWaitMs) {
    if (unsaved_.empty())
        return true;
    std::vector<UploadQueueEntry> written;
    QString why;
    const auto result = file_.write(
        saved_,
        [this](std::vector<UploadQueueEntry>& onDisk) {
            for (const QueueChange& c : unsaved_)
                c.applyTo(onDisk);
            return true;
        },
        &written, lockWaitMs, &why);
    switch (result) {
        case TaskFile::UpdateResult::Written:
        case TaskFile::UpdateResult::Unchanged:
            saved_ = std::move(written);
            unsaved_.clear();
            setSaveProblem(QString());
            return true;
        case TaskFile::UpdateResult::LockBusy:
            // fvctl holds the file for a moment; the next tick writes.
            return false;
        case TaskFile::UpdateResult::WriteFailed:
            setSaveProblem(why);
            return false;
    }
    return false;
}

void UploadQueue::commit(std::vector<QueueChange> changes) {
    for (QueueChange& c : changes)
        unsaved_.push_back(std::move(c));
    flush(lockWaitMs_);
    rebuildEntries();
    changed();
}

void UploadQueue::InitTaskFile(const QString& path) {
    file_ = TaskFile(path);
    saved_.clear();
    unsaved_.clear();
    entries_.clear();
    if (QFile::exists(path))
        LoadTaskXMLToListView();
    info_ = _UPLOADBTTASK_INFO{};
}

void UploadQueue::LoadTaskXMLToListView() {
    flush(lockWaitMs_);
    if (reload("LoadTaskXMLToListView"))
        changed();
}

void UploadQueue::SaveTaskFile() {
    // At exit the window may wait a little for fvctl: this is the last chance to write.
    if (!flush(std::max(lockWaitMs_, kExitLockWaitMs)))
        DebugLog::write("SaveTaskFile: changes not written");
    else if (!QFile::exists(file_.path()))
        file_.save(saved_);
}

void UploadQueue::AppendQueueEntry(const QString& fileName, const QString& checked,
                                   const QString& fullPath) {
    commit({QueueChange::append({fileName, UploadQueueEntry::kWaiting, checked, fullPath})});
    if (!unsaved_.empty())
        DebugLog::write("AppendQueueEntry: task file not written, entry kept in memory");
}

void UploadQueue::setStatusLine(const QString& text) {
    // Progress can wait; that the queue is not on disk must stay in view.
    form_.setText(kStatusLine, saveProblem_.isEmpty() ? text : notSavedText(saveProblem_));
}

void UploadQueue::TimerSendTaskTimer() {
    DebugLog::write("TimerSendTaskTimer()");
    timers_.sendTask->setEnabled(false);
    timers_.countDown->setEnabled(false);
    timers_.countDown->setInterval(100);
    form_.setVisible(kCountDown, false);
    form_.setVisible(kFailureLine, false);
    form_.setVisible(kStatusLine, true);

    otherSenderBusy_ = false;
    flush(lockWaitMs_);
    // Entries not yet on disk are sent from memory like the others.
    if (!reload("TimerSendTaskTimer") && entries_.empty())
        return;
    if (inFlight_) {
        // The one transfer record is busy; its completion restarts the loop.
        DebugLog::write("TimerSendTaskTimer:transfer in flight");
        return;
    }
    auto waiting = std::find_if(entries_.begin(), entries_.end(),
                                [](const UploadQueueEntry& e) { return e.isWaiting(); });
    if (waiting != entries_.end()) {
        auto lock = std::make_unique<QLockFile>(file_.path() + ".send");
        lock->setStaleLockTime(120000);  // a dead holder is detected at once by its pid
        if (!lock->tryLock(0)) {
            otherSenderBusy_ = true;
            DebugLog::write("TimerSendTaskTimer:another process is sending");
            return;  // the next list-update tick re-arms sending
        }
        sendLock_ = std::move(lock);
        info_.FileName = waiting->FileName;
        info_.Status = waiting->Status;
        info_.Checked = waiting->Checked;
        info_.FullPath = waiting->FullPath;
        info_.BtResult = kNoAnswer;
        inFlight_ = true;
        setStatusLine(msg::FormMainMsg2 + "...");
        startTransfer_(info_, [this](int code) { SendBtTaskThreadDone(code); });
    } else if (!entries_.empty()) {
        setStatusLine(msg::FormMainMsg1);
        if (hooks_.resetTaskListPosition)
            hooks_.resetTaskListPosition();
    } else {
        setStatusLine(QString());
    }
    DebugLog::write("TimerSendTaskTimer()-end");
}

void UploadQueue::markSentEntryDone() {
    commit({QueueChange::markDone({info_.FileName, info_.Status, info_.Checked, info_.FullPath})});
}

void UploadQueue::fail(const QString& message) {
    form_.setVisible(kFailureLine, true);
    form_.setVisible(kStatusLine, false);
    timers_.sendTask->setEnabled(false);
    halted_ = true;
    failureText_ = message;
    animation_ = 0;
    form_.setEnabled(kRetryButton, true);
    form_.setText(kFailureLine, message);
}

void UploadQueue::SendBtTaskThreadDone(int btResult) {
    inFlight_ = false;
    ++transfersFinished_;
    sendLock_.reset();
    info_.BtResult = btResult;
    DebugLog::write("SendBtTaskThreadDone()-uploadBtTaskInfo.BtResult:" + std::to_string(btResult));
    switch (btResult) {
        case kBtAckSuccess:
        case kAckSuccess:
        case kBtExist:
            if (btResult == kBtExist) {
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
        case kLightFull:
        case kHeavyFull:
        case kNntpFull:
        case kTotalFull:
        case kDiskFull:
            fail(msg::FormMainMsg3);
            break;
        case kTimeout:
            DebugLog::write("HTTP_TIMEOUT");
            fail(msg::FormMainMsg4);
            break;
        case kTooLarge:
            // Nothing went to the router; the entry stays for the user to remove.
            fail(tooLargeText(info_.FileName));
            break;
        case kUnreadable:
            fail(unreadableText(info_.FileName));
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
    if (!saveProblem_.isEmpty())
        form_.setVisible(kStatusLine, true);
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
    std::vector<QueueChange> removals;
    for (const auto& e : entries_)
        if (e.marked)
            removals.push_back(QueueChange::remove(e));
    commit(std::move(removals));
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
    for (const auto& e : entries_)
        rows.push_back({e.FileName, e.Status, e.id});
    return rows;
}

void UploadQueue::removeQueuedEntry(uint64_t entryId) {
    const auto it = std::find_if(entries_.begin(), entries_.end(),
                                 [&](const UploadQueueEntry& e) { return e.id == entryId; });
    if (it == entries_.end()) {
        DebugLog::write("removeQueuedEntry: the entry is no longer queued");
        return;
    }
    removeQueueRow(int(it - entries_.begin()));
}

void UploadQueue::BtnClearUp_MainClick() {
    commit({QueueChange::clearDone()});
}

void UploadQueue::ListViewDLFile_MainClick() {
    timers_.taskListUpdate->setInterval(30000);
}
void UploadQueue::ListViewDLFile_MainExit() {
    timers_.taskListUpdate->setInterval(3000);
}

}  // namespace fv
