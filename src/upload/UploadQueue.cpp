#include "upload/UploadQueue.h"

#include "platform/DebugLog.h"

namespace fv {

UploadQueue::UploadQueue(FormState& form, Timers timers, TransferStarter startTransfer, Hooks hooks)
    : form_(form),
      timers_(timers),
      startTransfer_(std::move(startTransfer)),
      hooks_(std::move(hooks)) {
    timers_.sendTask->setInterval(UploadQueueMachine::kFirstSendIntervalMs);
    timers_.taskListUpdate->setInterval(3000);
    timers_.countDown->setInterval(1000);
    timers_.sendTask->setHandler([this] { onSendTick(); });
    timers_.taskListUpdate->setHandler([this] { onListTick(); });
    timers_.countDown->setHandler([this] { onCountdownTick(); });
}

void UploadQueue::applyTimer(Timer* timer, const TimerChange& change) {
    if (change.intervalMs)
        timer->setInterval(*change.intervalMs);
    if (change.enabled)
        timer->setEnabled(*change.enabled);
}

void UploadQueue::applyLine(const QString& name, const LineChange& change) {
    if (change.shown)
        form_.setVisible(name, *change.shown);
    if (change.text)
        form_.setText(name, *change.text);
}

void UploadQueue::apply(const QueueOutcome& out) {
    applyTimer(timers_.sendTask, out.sendTimer);
    applyTimer(timers_.taskListUpdate, out.listTimer);
    applyTimer(timers_.countDown, out.countdownTimer);
    applyLine(kStatusLine, out.statusLine);
    applyLine(kFailureLine, out.failureLine);
    applyLine(kCountDown, out.countdownLine);
    if (out.retryEnabled)
        form_.setEnabled(kRetryButton, *out.retryEnabled);
    if (out.queueChanged && hooks_.queueChanged)
        hooks_.queueChanged();
    if (out.resetListPosition && hooks_.resetTaskListPosition)
        hooks_.resetTaskListPosition();
    if (out.mergeOfflineRows && hooks_.mergeQueueRows)
        hooks_.mergeQueueRows();
    if (out.refreshInMs && hooks_.restartRefreshTimer)
        hooks_.restartRefreshTimer(*out.refreshInMs);
    // Last: a runner that transfers in place reports before this returns.
    if (out.startTransfer)
        startTransfer_(*out.startTransfer, [this](int code) { onTransferEnded(code); });
}

void UploadQueue::openTaskFile(const QString& path) {
    apply(machine_.open(path));
}

void UploadQueue::reloadTaskFile() {
    apply(machine_.reload());
}

void UploadQueue::saveAtExit() {
    apply(machine_.saveAtExit());
}

void UploadQueue::addFile(const QString& fileName, const QString& checked,
                          const QString& fullPath) {
    apply(machine_.add(fileName, checked, fullPath));
}

void UploadQueue::onSendTick() {
    apply(machine_.sendTick());
}

void UploadQueue::onTransferEnded(int btResult) {
    apply(machine_.transferEnded(btResult));
}

void UploadQueue::onListTick() {
    apply(machine_.listTick(hooks_.isOffline && hooks_.isOffline(), timers_.sendTask->enabled()));
}

void UploadQueue::onCountdownTick() {
    apply(machine_.countdownTick());
}

void UploadQueue::retrySending() {
    apply(machine_.retry());
}

void UploadQueue::setMarked(int index, bool marked) {
    machine_.setMarked(index, marked);
}

void UploadQueue::removeMarked() {
    apply(machine_.removeMarked());
}

void UploadQueue::removeQueueRow(int index) {
    apply(machine_.removeAt(index));
}

std::vector<QueueRow> UploadQueue::queueRows() const {
    std::vector<QueueRow> rows;
    rows.reserve(entries().size());
    for (const auto& e : entries())
        rows.push_back({e.FileName, e.Status, e.id});
    return rows;
}

void UploadQueue::removeQueuedEntry(uint64_t entryId) {
    apply(machine_.removeEntry(entryId));
}

void UploadQueue::clearDone() {
    apply(machine_.clearDone());
}

void UploadQueue::slowListTicks() {
    timers_.taskListUpdate->setInterval(30000);
}
void UploadQueue::restoreListTicks() {
    timers_.taskListUpdate->setInterval(3000);
}

}  // namespace fv
