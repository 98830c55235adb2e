// The upload queue loop of the main window: files wait in FVTask.xml and are sent one at a
// time by the send timer; the list-update timer animates the status line, drops done entries
// and restarts sending; a failed transfer halts the queue until Retry.
//
// UI thread only. The transfer itself runs elsewhere (startTransfer); its result comes back
// through SendBtTaskThreadDone. At most one transfer is in flight: the send step refuses to
// start another while one runs, and a lock file beside the task file (".send") keeps another
// process working on the same queue (fvctl) from sending at the same time.
//
// What the user does to the queue is kept as changes until FVTask.xml takes them (see
// QueueChange): the window never waits for another process's lock, and a file that cannot
// be written keeps the queue in memory, says so on the status line, and is tried again on
// every tick.
#pragma once

#include <QLockFile>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "platform/FormState.h"
#include "platform/Timer.h"
#include "tasks/QueueRowSource.h"
#include "upload/QueueChange.h"
#include "upload/TaskFile.h"
#include "upload/UploadBtTaskInfo.h"
#include "upload/UploadQueueEntry.h"

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
    using TransferStarter = std::function<void(const _UPLOADBTTASK_INFO& info, Done done)>;

    // Control names of the main window that the queue writes.
    static inline const QString kStatusLine = QStringLiteral("LabTaskStatus_Context_Main");
    static inline const QString kFailureLine = QStringLiteral("LabTaskStatus_LinkContext_Main");
    static inline const QString kCountDown = QStringLiteral("LabelCountDown_Main");
    static inline const QString kRetryButton = QStringLiteral("BtnUploadBt_Main");

    UploadQueue(FormState& form, Timers timers, TransferStarter startTransfer, Hooks hooks = {});

    // How long a write may wait for another process's lock on the task file. The window
    // keeps 0 (its thread never blocks); a command-line process may wait.
    void setLockWaitMs(int ms) { lockWaitMs_ = ms; }

    void InitTaskFile(const QString& path);
    void LoadTaskXMLToListView();
    void SaveTaskFile();
    void AppendQueueEntry(const QString& fileName, const QString& checked, const QString& fullPath);

    void TimerSendTaskTimer();
    void SendBtTaskThreadDone(int btResult);
    void TimerTaskListUpdateTimer();
    void TimerCountDownTimer();

    void BtnUploadBt_MainClick();  // Retry
    void BtnDelete_MainClick();    // delete marked entries
    void BtnClearUp_MainClick();   // Clear Done

    // Marks (or unmarks) the entry at a queue-list position for BtnDelete_MainClick.
    void setMarked(int index, bool marked);
    // Remove on a "zzz999" row: deletes exactly the entry the row stands for (its position
    // among the queue rows), then refreshes the task list after 1000 ms.
    void removeQueueRow(int index);

    // QueueRowSource: the task list's view of the queue; each row names its entry by id.
    std::vector<QueueRow> queueRows() const override;
    void removeQueuedEntry(uint64_t entryId) override;

    // A click into the hidden queue list slows the list-update tick; leaving it restores it.
    void ListViewDLFile_MainClick();
    void ListViewDLFile_MainExit();

    const std::vector<UploadQueueEntry>& entries() const { return entries_; }
    const _UPLOADBTTASK_INFO& uploadBtTaskInfo() const { return info_; }
    // How many transfers have reported so far; uploadBtTaskInfo() holds the last one.
    uint64_t transfersFinished() const { return transfersFinished_; }
    // The failure line's text while the queue is halted, empty otherwise.
    QString failureText() const { return halted_ ? failureText_ : QString(); }
    bool halted() const { return halted_; }
    bool transferInFlight() const { return inFlight_; }
    // The last send step found another process (the window, another fvctl) sending.
    bool otherSenderBusy() const { return otherSenderBusy_; }
    int countdown() const { return countdown_; }
    QString taskFilePath() const { return file_.path(); }
    // Changes the task file does not hold yet, and why the last write failed (empty when
    // it did not, or when only another process's lock was in the way).
    size_t unsavedChanges() const { return unsaved_.size(); }
    QString saveProblem() const { return saveProblem_; }

    // The status line's text while the task file cannot be written.
    static QString notSavedText(const QString& why);
    // The failure line's text for a file the transfer refused to read or send.
    static QString tooLargeText(const QString& fileName);
    static QString unreadableText(const QString& fileName);

  private:
    // Reads the task file; on failure writes caller's log line and returns false.
    bool loadTaskFile(std::vector<UploadQueueEntry>* entries, const char* caller) const;
    // Rereads the file into the queue (the unsaved changes on top); false when unreadable.
    bool reload(const char* caller);
    // Records changes, tries to write them and shows the result.
    void commit(std::vector<QueueChange> changes);
    // Writes the unsaved changes; true when the file holds everything.
    bool flush(int lockWaitMs);
    void rebuildEntries();
    void setSaveProblem(const QString& why);
    void fail(const QString& message);
    void setStatusLine(const QString& text);
    void markSentEntryDone();
    void changed();

    FormState& form_;
    Timers timers_;
    TransferStarter startTransfer_;
    Hooks hooks_;
    TaskFile file_{QString()};
    std::vector<UploadQueueEntry> saved_;    // what the task file held when last read or written
    std::vector<QueueChange> unsaved_;       // done here, not in the file yet
    std::vector<UploadQueueEntry> entries_;  // saved_ with unsaved_ applied: the queue
    uint64_t nextId_ = 1;
    int lockWaitMs_ = 0;
    QString saveProblem_;
    _UPLOADBTTASK_INFO info_;
    bool halted_ = false;
    QString failureText_;
    uint64_t transfersFinished_ = 0;
    bool inFlight_ = false;
    bool otherSenderBusy_ = false;
    int animation_ = 0;
    int countdown_ = 0;
    std::unique_ptr<QLockFile> sendLock_;  // held while our transfer runs
};

}  // namespace fv
