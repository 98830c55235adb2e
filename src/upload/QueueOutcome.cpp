#include "upload/QueueOutcome.h"

namespace fv {
namespace {

template <typename T>
void takeLater(std::optional<T>& into, const std::optional<T>& later) {
    if (later)
        into = later;
}

void mergeLine(LineChange& into, const LineChange& later) {
    takeLater(into.text, later.text);
    takeLater(into.shown, later.shown);
}

void mergeTimer(TimerChange& into, const TimerChange& later) {
    takeLater(into.intervalMs, later.intervalMs);
    takeLater(into.enabled, later.enabled);
}

}  // namespace

void QueueOutcome::merge(const QueueOutcome& later) {
    mergeLine(statusLine, later.statusLine);
    mergeLine(failureLine, later.failureLine);
    mergeLine(countdownLine, later.countdownLine);
    takeLater(retryEnabled, later.retryEnabled);
    mergeTimer(sendTimer, later.sendTimer);
    mergeTimer(listTimer, later.listTimer);
    mergeTimer(countdownTimer, later.countdownTimer);
    takeLater(startTransfer, later.startTransfer);
    queueChanged = queueChanged || later.queueChanged;
    resetListPosition = resetListPosition || later.resetListPosition;
    mergeOfflineRows = mergeOfflineRows || later.mergeOfflineRows;
    takeLater(refreshInMs, later.refreshInMs);
}

}  // namespace fv
