// The heartbeat of the main window: each tick of TimerGetFVPage marks the client offline,
// stops the timer and starts the task-list fetch and the general-settings read. The fetch's
// end decides online/offline (offline only after six failed ticks in a row), retries the
// uploads when the router comes back and rebuilds the list off the UI thread; the general
// read's end re-arms the timer with the configured interval. UI thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "i18n/MessageTexts.h"
#include "platform/FormState.h"
#include "platform/Timer.h"
#include "router/SettingsRecords.h"
#include "tasks/GeneralSettingsValues.h"
#include "tasks/QueueRowSource.h"
#include "tasks/RefreshState.h"
#include "tasks/RouterGateway.h"
#include "tasks/TaskListModel.h"
#include "platform/TaskRunner.h"
#include "tasks/TaskTable.h"

namespace fv {

class RefreshCycle {
  public:
    struct Deps {
        TaskListModel* model = nullptr;
        FormState* mainForm = nullptr;
        const MessageTexts* texts = &MessageTexts::english();
        FormState* setupForm = nullptr;  // holds the service enable/disable choice; may be null
        Timer* timerGetFVPage = nullptr;
        // Must outlive every worker (the app waits for all workers before it ends).
        SettingsRecords* records = nullptr;
        std::shared_ptr<RefreshState> state;
        std::shared_ptr<TaskTable> table;
        std::shared_ptr<GeneralSettingsValues> general;
        std::shared_ptr<RouterGateway> gateway;
        // Its done callbacks must not run after this cycle is gone (a runner whose receiver
        // is the cycle's owner drops them).
        TaskRunner* runner = nullptr;
        QueueRowSource* queue = nullptr;
        std::function<void()> retryUploads;  // the queue's Retry action
    };

    static constexpr int kFirstTickMs = 500;
    static constexpr int kGraceFailures = 5;

    // Installs onRefreshTick as the refresh timer's handler.
    explicit RefreshCycle(Deps deps);

    // The main window's show event: offline state shown, first tick 500 ms later.
    void show();

    void onRefreshTick();
    void onReportFetched();
    void onGeneralSettingsRead();
    // Called by TimerTaskListUpdate while the offline flag is set.
    void refreshOfflineRows();

    // The list reset: no selection, first row on top.
    void resetList();

    const Deps& deps() const { return d_; }

  private:
    void showConnected(bool online);
    void setServiceChoiceEnabled(bool on);
    void startListBuild();
    void startFetch();
    void startGeneralRead();

    Deps d_;
    uint64_t buildsStarted_ = 0;
    uint64_t buildApplied_ = 0;
    bool fetchRunning_ = false;
    bool generalRunning_ = false;
};

}  // namespace fv
