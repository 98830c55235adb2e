// The upload queue loop of the main window: files wait in FVTask.xml and are sent one at a
// time by the send timer; the list-update timer animates the status line, drops done entries
// and restarts sending; a failed transfer halts the queue until Retry.
//
// UI thread only. The transfer itself runs elsewhere (startTransfer); its result comes back
// through SendBtTaskThreadDone. At most one transfer is in flight: the send step refuses to
// start another while one runs, and a lock file beside the task file (".send") keeps another
// process working on the same queue (fvctl) from sending at the same time.
#pragma once

#include <QLockFile>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "platform/FormState.h"
#include "platform/Timer.h"
#include "tasks/QueueRowSource.h"
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

    // QueueRowSource: the task list's view of the queue. Rows with the same name cannot be
    // told apart through this interface, so a removal by name deletes one entry (the first of
    // that name) per call rather than every namesake; removeQueueRow is exact.
    std::vector<QueueRow> queueRows() const override;
    void removeQueuedEntry(int queueIndex, const QString& fileName) override;

    // A click into the hidden queue list slows the list-update tick; leaving it restores it.
    void ListViewDLFile_MainClick();
    void ListViewDLFile_MainExit();

    const std::vector<UploadQueueEntry>& entries() const { return entries_; }
    const _UPLOADBTTASK_INFO& uploadBtTaskInfo() const { return info_; }
    bool halted() const { return halted_; }
    bool transferInFlight() const { return inFlight_; }
    int countdown() const { return countdown_; }
    QString taskFilePath() const { return file_.path(); }

  private:
    // Reads the task file; on failure writes caller's log line and returns false.
    bool loadTaskFile(std::vector<UploadQueueEntry>* entries, const char* caller) const;
    void fail(const QString& message);
    void setStatusLine(const QString& text);
    void markSentEntryDone();
    void changed();

    FormState& form_;
    Timers timers_;
    TransferStarter startTransfer_;
    Hooks hooks_;
    TaskFile file_{QString()};
    std::vector<UploadQueueEntry> entries_;
    _UPLOADBTTASK_INFO info_;
    bool halted_ = false;
    bool inFlight_ = false;
    int animation_ = 0;
    int countdown_ = 0;
    std::unique_ptr<QLockFile> sendLock_;  // held while our transfer runs
};

}  // namespace fv
