// What one event of the upload queue asks of the window (or of fvctl): texts and visibility
// of the status, failure and count-down lines, the Retry button, the queue's three timers,
// a transfer to start and the neighbours to tell. Unset fields leave things as they are.
#pragma once

#include <QString>
#include <optional>

#include "upload/UploadTransfer.h"

namespace fv {

struct TimerChange {
    std::optional<int> intervalMs;  // applied before the switch
    std::optional<bool> enabled;
};

struct LineChange {
    std::optional<QString> text;
    std::optional<bool> shown;
};

struct QueueOutcome {
    LineChange statusLine;     // LabTaskStatus_Context_Main
    LineChange failureLine;    // LabTaskStatus_LinkContext_Main
    LineChange countdownLine;  // LabelCountDown_Main
    std::optional<bool> retryEnabled;

    TimerChange sendTimer;       // TimerSendTask
    TimerChange listTimer;       // TimerTaskListUpdate
    TimerChange countdownTimer;  // TimerCountDown

    // Start this transfer last, after everything above; its end comes back as an event.
    std::optional<UploadTransfer> startTransfer;

    bool queueChanged = false;       // the queue's entries changed or were reread
    bool resetListPosition = false;  // the task list goes back to its first row
    bool mergeOfflineRows = false;   // the offline list refresh runs
    std::optional<int> refreshInMs;  // the task list refreshes this much later

    // Later changes win; a transfer or a notice of either stays.
    void merge(const QueueOutcome& later);
};

}  // namespace fv
