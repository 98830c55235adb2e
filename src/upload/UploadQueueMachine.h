// The upload queue's decisions, with no timers, controls or threads of its own: it takes the
// queue's events (a file added, a tick of one of its timers, the end of a transfer, a
// removal, Retry) and answers each with a QueueOutcome that the window's timers and status
// lines, or fvctl's direct calls, carry out. It keeps the queue in FVTask.xml and the lock
// that keeps two processes from sending at once.
//
// What the user does to the queue is kept as changes until FVTask.xml takes them (see
// QueueChange): a caller on the UI thread never waits for another process's lock, and a file
// that cannot be written keeps the queue in memory and says so on the status line.
#pragma once

#include <QLockFile>
#include <QString>
#include <memory>
#include <vector>

#include "i18n/MessageTexts.h"
#include "upload/QueueChange.h"
#include "upload/QueueOutcome.h"
#include "upload/TaskFile.h"
#include "upload/UploadQueueEntry.h"
#include "upload/UploadTransfer.h"

namespace fv {

class UploadQueueMachine {
  public:
    static constexpr int kFirstSendIntervalMs = 500;
    static constexpr int kSendAfterSuccessMs = 3000;
    // An added file waits this long for fvctl's lock (held for one read and write of the file)
    // rather than only in memory until the next tick: a window that dies meanwhile would
    // lose what the user just added.
    static constexpr int kAddLockWaitMs = 200;

    // The texts the queue shows for what only this client reports.
    static QString notSavedText(const QString& why);
    static QString tooLargeText(const QString& fileName);
    static QString unreadableText(const QString& fileName);

    void setLockWaitMs(int ms) { lockWaitMs_ = ms; }
    // The texts the status and failure lines show; English until a language is applied.
    void setTexts(const MessageTexts& texts) { texts_ = &texts; }

    // The queue file: read now (when it exists), kept for every later event.
    QueueOutcome open(const QString& path);
    // Writes what waits and rereads the file (another process may have changed it).
    QueueOutcome reload();
    // The program ends: the last chance to write, allowed to wait a little.
    QueueOutcome saveAtExit();

    QueueOutcome add(const QString& fileName, const QString& checked, const QString& fullPath);
    QueueOutcome sendTick();
    QueueOutcome transferEnded(int btResult);
    // sendTimerRunning: whether TimerSendTask is on right now (others may switch it).
    QueueOutcome listTick(bool offline, bool sendTimerRunning);
    QueueOutcome countdownTick();
    QueueOutcome retry();
    QueueOutcome removeMarked();
    QueueOutcome removeAt(int index);
    QueueOutcome removeEntry(uint64_t entryId);
    QueueOutcome clearDone();
    void setMarked(int index, bool marked);

    const std::vector<UploadQueueEntry>& entries() const { return entries_; }
    const UploadTransfer& transfer() const { return info_; }
    bool halted() const { return halted_; }
    bool transferInFlight() const { return inFlight_; }
    bool otherSenderBusy() const { return otherSenderBusy_; }
    uint64_t transfersFinished() const { return transfersFinished_; }
    QString failureText() const { return halted_ ? failureText_ : QString(); }
    int countdown() const { return countdown_; }
    size_t unsavedChanges() const { return unsaved_.size(); }
    QString saveProblem() const { return saveProblem_; }
    QString path() const { return file_.path(); }

  private:
    bool loadFile(std::vector<UploadQueueEntry>* entries, const char* caller) const;
    bool rereadFile(const char* caller);
    // lockWaitMs: how long to wait for another process's lock (-1: the machine's own wait).
    QueueOutcome commit(std::vector<QueueChange> changes, int lockWaitMs = -1);
    bool flush(int lockWaitMs, QueueOutcome& out);
    void rebuildEntries();
    void setSaveProblem(const QString& why, QueueOutcome& out);
    QueueOutcome statusLine(const QString& text) const;
    QueueOutcome fail(const QString& message);
    QueueOutcome sendTimer(bool on, std::optional<int> intervalMs = std::nullopt);

    TaskFile file_{QString()};
    std::vector<UploadQueueEntry> saved_;    // what the task file held when last read or written
    std::vector<QueueChange> unsaved_;       // done here, not in the file yet
    std::vector<UploadQueueEntry> entries_;  // saved_ with unsaved_ applied: the queue
    uint64_t nextId_ = 1;
    int lockWaitMs_ = 0;
    const MessageTexts* texts_ = &MessageTexts::english();
    QString saveProblem_;

    UploadTransfer info_;
    std::unique_ptr<QLockFile> sendLock_;  // held while our transfer runs
    bool inFlight_ = false;
    bool halted_ = false;
    QString failureText_;
    bool otherSenderBusy_ = false;
    uint64_t transfersFinished_ = 0;
    int animation_ = 0;
    int countdown_ = 0;
    int sendIntervalMs_ = kFirstSendIntervalMs;
};

}  // namespace fv
