// The upload queue as the main window runs it: UploadQueueMachine makes every decision, and
// this adapter feeds it the window's events (its three timers, the selection window's OK,
// Remove, Retry) and carries out what it answers on the window's controls and timers.
// Files wait in FVTask.xml and are sent one at a time; a failed transfer halts the queue
// until Retry.
//
// UI thread only. The transfer itself runs elsewhere (startTransfer); its result comes back
// through onTransferEnded.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "platform/FormState.h"
#include "platform/Timer.h"
#include "tasks/MainControlNames.h"
#include "tasks/QueueRowSource.h"
#include "upload/UploadQueueEntry.h"
#include "upload/UploadQueueMachine.h"
#include "upload/UploadTransfer.h"

namespace fv {

class UploadQueue : public QueueRowSource {
  public:
    struct Timers {
        Timer* sendTask;        // TimerSendTask
        Timer* taskListUpdate;  // TimerTaskListUpdate
        Timer* countDown;       // TimerCountDown
    };
    // Links to the rest of the main window; any may be left empty.
    struct Hooks {
        std::function<bool()> isOffline;
        std::function<void()> mergeQueueRows;
        std::function<void()> resetTaskListPosition;
        std::function<void(int ms)> restartRefreshTimer;
        std::function<void()> queueChanged;  // the queue list was reloaded or changed
    };
    using Done = std::function<void(int btResult)>;
    using TransferStarter = std::function<void(const UploadTransfer& info, Done done)>;

    // Control names of the main window that the queue writes.
    static inline const QString kStatusLine = QString::fromLatin1(main_names::UploadStatus);
    static inline const QString kFailureLine = QString::fromLatin1(main_names::UploadFailure);
    static inline const QString kCountDown = QString::fromLatin1(main_names::UploadCountdown);
    static inline const QString kRetryButton = QString::fromLatin1(main_names::RetryButton);

    UploadQueue(FormState& form, Timers timers, TransferStarter startTransfer, Hooks hooks = {});

    // How long a write may wait for another process's lock on the task file. The window
    // keeps 0 (its thread never blocks); a command-line process may wait.
    void setLockWaitMs(int ms) { machine_.setLockWaitMs(ms); }
    void setTexts(const MessageTexts& texts) { machine_.setTexts(texts); }

    void openTaskFile(const QString& path);
    void reloadTaskFile();
    void saveAtExit();
    void addFile(const QString& fileName, const QString& checked, const QString& fullPath);

    void onSendTick();
    void onTransferEnded(int btResult);
    void onListTick();
    void onCountdownTick();

    void retrySending();  // Retry
    void removeMarked();  // delete marked entries
    void clearDone();     // Clear Done

    // Marks (or unmarks) the entry at a queue-list position for removeMarked.
    void setMarked(int index, bool marked);
    // Remove on a "zzz999" row: deletes exactly the entry the row stands for (its position
    // among the queue rows), then refreshes the task list after 1000 ms.
    void removeQueueRow(int index);

    // QueueRowSource: the task list's view of the queue; each row names its entry by id.
    std::vector<QueueRow> queueRows() const override;
    void removeQueuedEntry(uint64_t entryId) override;

    // A click into the hidden queue list slows the list-update tick; leaving it restores it.
    void slowListTicks();
    void restoreListTicks();

    const std::vector<UploadQueueEntry>& entries() const { return machine_.entries(); }
    const UploadTransfer& uploadBtTaskInfo() const { return machine_.transfer(); }
    // How many transfers have reported so far; uploadBtTaskInfo() holds the last one.
    uint64_t transfersFinished() const { return machine_.transfersFinished(); }
    // The failure line's text while the queue is halted, empty otherwise.
    QString failureText() const { return machine_.failureText(); }
    bool halted() const { return machine_.halted(); }
    bool transferInFlight() const { return machine_.transferInFlight(); }
    // The last send step found another process (the window, another fvctl) sending.
    bool otherSenderBusy() const { return machine_.otherSenderBusy(); }
    int countdown() const { return machine_.countdown(); }
    QString taskFilePath() const { return machine_.path(); }
    // Changes the task file does not hold yet, and why the last write failed (empty when
    // it did not, or when only another process's lock was in the way).
    size_t unsavedChanges() const { return machine_.unsavedChanges(); }
    QString saveProblem() const { return machine_.saveProblem(); }

    // The status line's text while the task file cannot be written.
    static QString notSavedText(const QString& why) {
        return UploadQueueMachine::notSavedText(why);
    }
    // The failure line's text for a file the transfer refused to read or send.
    static QString tooLargeText(const QString& fileName) {
        return UploadQueueMachine::tooLargeText(fileName);
    }
    static QString unreadableText(const QString& fileName) {
        return UploadQueueMachine::unreadableText(fileName);
    }

  private:
    // Carries out what the queue decided; a transfer it asks for starts last.
    void apply(const QueueOutcome& outcome);
    static void applyTimer(Timer* timer, const TimerChange& change);
    void applyLine(const QString& name, const LineChange& change);

    FormState& form_;
    Timers timers_;
    TransferStarter startTransfer_;
    Hooks hooks_;
    UploadQueueMachine machine_;
};

}  // namespace fv
