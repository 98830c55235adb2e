#include "upload/UploadQueueMachine.h"

#include <QFile>
#include <algorithm>

#include "i18n/MessageTexts.h"
#include "platform/DebugLog.h"
#include "platform/LockFiles.h"
#include "upload/BtAnswer.h"

namespace fv {
namespace {

constexpr int kExitLockWaitMs = 5000;
constexpr int kCountdownStepMs = 1000;
constexpr int kCountdownFirstMs = 100;

bool anyWaiting(const std::vector<UploadQueueEntry>& entries) {
    return std::any_of(entries.begin(), entries.end(),
                       [](const UploadQueueEntry& e) { return e.isWaiting(); });
}

bool anyDone(const std::vector<UploadQueueEntry>& entries) {
    return std::any_of(entries.begin(), entries.end(),
                       [](const UploadQueueEntry& e) { return e.isDone(); });
}

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

QString UploadQueueMachine::notSavedText(const QString& why) {
    return QStringLiteral("Queue not saved (%1); kept until you quit.").arg(why);
}

QString UploadQueueMachine::tooLargeText(const QString& fileName) {
    return QStringLiteral(
               "FAIL:%1 is too large to send (more than 64 MB). Remove it from the "
               "list.")
        .arg(fileName);
}

QString UploadQueueMachine::unreadableText(const QString& fileName) {
    return QStringLiteral(
               "FAIL:%1 cannot be read. Remove it from the list, or put it back and "
               "click here.")
        .arg(fileName);
}

bool UploadQueueMachine::loadFile(std::vector<UploadQueueEntry>* entries,
                                  const char* caller) const {
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

void UploadQueueMachine::rebuildEntries() {
    std::vector<UploadQueueEntry> view = saved_;
    for (const QueueChange& c : unsaved_)
        c.applyTo(view);
    for (auto& e : view)
        e.marked = false;  // marks are lost, as with any reload
    carryIds(entries_, view, nextId_);
    entries_ = std::move(view);
}

bool UploadQueueMachine::rereadFile(const char* caller) {
    std::vector<UploadQueueEntry> loaded;
    if (!loadFile(&loaded, caller))
        return false;
    saved_ = std::move(loaded);
    rebuildEntries();
    return true;
}

void UploadQueueMachine::setSaveProblem(const QString& why, QueueOutcome& out) {
    if (saveProblem_ == why)
        return;
    saveProblem_ = why;
    if (why.isEmpty()) {
        out.statusLine.text = QString();
        return;
    }
    DebugLog::write("UploadQueue: task file not written; E.Message = " + why);
    out.statusLine.text = notSavedText(why);
    out.statusLine.shown = true;
}

bool UploadQueueMachine::flush(int lockWaitMs, QueueOutcome& out) {
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
            setSaveProblem(QString(), out);
            return true;
        case TaskFile::UpdateResult::LockBusy:
            // fvctl holds the file for a moment; the next tick writes.
            return false;
        case TaskFile::UpdateResult::WriteFailed:
            setSaveProblem(why, out);
            return false;
    }
    return false;
}

QueueOutcome UploadQueueMachine::commit(std::vector<QueueChange> changes, int lockWaitMs) {
    QueueOutcome out;
    for (QueueChange& c : changes)
        unsaved_.push_back(std::move(c));
    flush(lockWaitMs < 0 ? lockWaitMs_ : lockWaitMs, out);
    rebuildEntries();
    out.queueChanged = true;
    return out;
}

QueueOutcome UploadQueueMachine::statusLine(const QString& text) const {
    // Progress can wait; that the queue is not on disk must stay in view.
    QueueOutcome out;
    out.statusLine.text = saveProblem_.isEmpty() ? text : notSavedText(saveProblem_);
    return out;
}

QueueOutcome UploadQueueMachine::sendTimer(bool on, std::optional<int> intervalMs) {
    QueueOutcome out;
    if (intervalMs)
        sendIntervalMs_ = *intervalMs;
    out.sendTimer.intervalMs = intervalMs;
    out.sendTimer.enabled = on;
    return out;
}

QueueOutcome UploadQueueMachine::open(const QString& path) {
    file_ = TaskFile(path);
    saved_.clear();
    unsaved_.clear();
    entries_.clear();
    info_ = UploadTransfer{};
    if (!QFile::exists(path))
        return {};
    return reload();
}

QueueOutcome UploadQueueMachine::reload() {
    QueueOutcome out;
    flush(lockWaitMs_, out);
    if (rereadFile("LoadTaskXMLToListView"))
        out.queueChanged = true;
    return out;
}

QueueOutcome UploadQueueMachine::saveAtExit() {
    QueueOutcome out;
    if (!flush(std::max(lockWaitMs_, kExitLockWaitMs), out))
        DebugLog::write("SaveTaskFile: changes not written");
    else if (!QFile::exists(file_.path()))
        file_.save(saved_);
    return out;
}

QueueOutcome UploadQueueMachine::add(const QString& fileName, const QString& checked,
                                     const QString& fullPath) {
    QueueOutcome out =
        commit({QueueChange::append({fileName, UploadQueueEntry::kWaiting, checked, fullPath})},
               std::max(lockWaitMs_, kAddLockWaitMs));
    if (!unsaved_.empty())
        DebugLog::write("AppendQueueEntry: task file not written, entry kept in memory");
    return out;
}

QueueOutcome UploadQueueMachine::sendTick() {
    DebugLog::write("TimerSendTaskTimer()");
    QueueOutcome out = sendTimer(false);
    out.countdownTimer = {kCountdownFirstMs, false};
    out.countdownLine.shown = false;
    out.failureLine.shown = false;
    out.statusLine.shown = true;

    otherSenderBusy_ = false;
    flush(lockWaitMs_, out);
    // Entries not yet on disk are sent from memory like the others.
    if (!rereadFile("TimerSendTaskTimer") && entries_.empty())
        return out;
    if (inFlight_) {
        // The one transfer record is busy; its end restarts the loop.
        DebugLog::write("TimerSendTaskTimer:transfer in flight");
        return out;
    }
    const auto waiting = std::find_if(entries_.begin(), entries_.end(),
                                      [](const UploadQueueEntry& e) { return e.isWaiting(); });
    if (waiting != entries_.end()) {
        auto lock = std::make_unique<QLockFile>(file_.path() + ".send");
        lock->setStaleLockTime(120000);  // a dead holder is detected at once by its pid
        if (!LockFiles::take(*lock, file_.path() + ".send", 0)) {
            otherSenderBusy_ = true;
            DebugLog::write("TimerSendTaskTimer:another process is sending");
            return out;  // the next list-update tick re-arms sending
        }
        sendLock_ = std::move(lock);
        info_ = {waiting->FileName, waiting->Status, waiting->Checked, waiting->FullPath,
                 kNoAnswer};
        inFlight_ = true;
        out.merge(statusLine((*texts_)[Msg::FormMainMsg2] + "..."));
        out.startTransfer = info_;
    } else if (!entries_.empty()) {
        out.merge(statusLine((*texts_)[Msg::FormMainMsg1]));
        out.resetListPosition = true;
    } else {
        out.merge(statusLine(QString()));
    }
    DebugLog::write("TimerSendTaskTimer()-end");
    return out;
}

QueueOutcome UploadQueueMachine::fail(const QString& message) {
    QueueOutcome out = sendTimer(false);
    out.failureLine = {message, true};
    out.statusLine.shown = false;
    out.retryEnabled = true;
    halted_ = true;
    failureText_ = message;
    animation_ = 0;
    return out;
}

QueueOutcome UploadQueueMachine::transferEnded(int btResult) {
    inFlight_ = false;
    ++transfersFinished_;
    sendLock_.reset();
    info_.BtResult = btResult;
    DebugLog::write("SendBtTaskThreadDone()-uploadBtTaskInfo.BtResult:" + std::to_string(btResult));
    QueueOutcome out;
    switch (btResult) {
        case kBtAckSuccess:
        case kAckSuccess:
        case kBtExist:
            if (btResult == kBtExist)
                out.failureLine = {(*texts_)[Msg::FormMainMsg10], true};
            else
                out.failureLine.shown = false;
            out.merge(commit({QueueChange::markDone(
                {info_.FileName, info_.Status, info_.Checked, info_.FullPath})}));
            out.merge(sendTimer(true, kSendAfterSuccessMs));
            halted_ = false;
            break;
        case kLightFull:
        case kHeavyFull:
        case kNntpFull:
        case kTotalFull:
        case kDiskFull:
            out.merge(fail((*texts_)[Msg::FormMainMsg3]));
            break;
        case kTimeout:
            DebugLog::write("HTTP_TIMEOUT");
            out.merge(fail((*texts_)[Msg::FormMainMsg4]));
            break;
        case kTooLarge:
            // Nothing went to the router; the entry stays for the user to remove.
            out.merge(fail(tooLargeText(info_.FileName)));
            break;
        case kUnreadable:
            out.merge(fail(unreadableText(info_.FileName)));
            break;
        default:
            out.merge(fail((*texts_)[Msg::FormMainMsg4]));
            break;
    }
    countdown_ = sendIntervalMs_ / 1000 - 1;
    out.countdownTimer = {kCountdownStepMs, true};
    return out;
}

QueueOutcome UploadQueueMachine::listTick(bool offline, bool sendTimerRunning) {
    QueueOutcome out = reload();
    if (anyWaiting(entries_)) {
        static const char* const kDots[] = {".", "....", "........"};
        out.merge(statusLine((*texts_)[Msg::FormMainMsg2] + kDots[animation_ % 3]));
        ++animation_;
        if (!sendTimerRunning && !halted_ && !inFlight_)
            out.merge(sendTimer(true));
    }
    if (!saveProblem_.isEmpty())
        out.statusLine.shown = true;
    if (anyDone(entries_))
        out.merge(clearDone());
    out.mergeOfflineRows = offline;
    return out;
}

QueueOutcome UploadQueueMachine::countdownTick() {
    DebugLog::write("TimerCountDownTimer()");
    QueueOutcome out;
    out.countdownLine.shown = true;
    if (countdown_ >= 0)
        out.countdownLine.text = QString::number(countdown_) + " Sec";
    --countdown_;
    return out;
}

QueueOutcome UploadQueueMachine::retry() {
    QueueOutcome out = sendTimer(true);
    out.retryEnabled = false;
    halted_ = false;
    animation_ = 0;
    return out;
}

void UploadQueueMachine::setMarked(int index, bool marked) {
    if (index >= 0 && size_t(index) < entries_.size())
        entries_[size_t(index)].marked = marked;
}

QueueOutcome UploadQueueMachine::removeMarked() {
    if (entries_.empty())
        return {};
    std::vector<QueueChange> removals;
    for (const auto& e : entries_)
        if (e.marked)
            removals.push_back(QueueChange::remove(e));
    QueueOutcome out = commit(std::move(removals));
    out.refreshInMs = 1000;
    return out;
}

QueueOutcome UploadQueueMachine::removeAt(int index) {
    if (index < 0 || size_t(index) >= entries_.size())
        return {};
    for (auto& e : entries_)
        e.marked = false;
    entries_[size_t(index)].marked = true;
    return removeMarked();
}

QueueOutcome UploadQueueMachine::removeEntry(uint64_t entryId) {
    const auto it = std::find_if(entries_.begin(), entries_.end(),
                                 [&](const UploadQueueEntry& e) { return e.id == entryId; });
    if (it == entries_.end()) {
        DebugLog::write("removeQueuedEntry: the entry is no longer queued");
        return {};
    }
    return removeAt(int(it - entries_.begin()));
}

QueueOutcome UploadQueueMachine::clearDone() {
    return commit({QueueChange::clearDone()});
}

}  // namespace fv
