#include "tasks/RefreshCycle.h"

#include "i18n/MessageTexts.h"
#include "platform/DebugLog.h"
#include "tasks/GeneralSettingsRead.h"
#include "tasks/MainControlNames.h"
#include "tasks/TaskListBuilder.h"
#include "tasks/TaskReportFetch.h"

namespace fv {

RefreshCycle::RefreshCycle(Deps deps) : d_(std::move(deps)) {
    d_.timerGetFVPage->setHandler([this] { onRefreshTick(); });
}

void RefreshCycle::show() {
    d_.mainForm->setText(main_names::ConnectStatus, (*d_.texts)[Msg::FormMainMsg5]);
    showConnected(false);
    d_.timerGetFVPage->setInterval(kFirstTickMs);
    d_.timerGetFVPage->setEnabled(true);
}

void RefreshCycle::showConnected(bool online) {
    d_.mainForm->setVisible(main_names::OnlinePicture, online);
    d_.mainForm->setVisible(main_names::OfflinePicture, !online);
}

void RefreshCycle::setServiceChoiceEnabled(bool on) {
    if (!d_.setupForm)
        return;
    d_.setupForm->setEnabled("RadioBtnFVEnable_Setup", on);
    d_.setupForm->setEnabled("RadioBtnFVDisable_Setup", on);
}

void RefreshCycle::resetList() {
    d_.model->resetView();
}

void RefreshCycle::onRefreshTick() {
    const int32_t interval = d_.records->connection().RefreshIntervalMs;
    if (interval != 0)
        d_.timerGetFVPage->setInterval(interval);
    d_.state->offline = true;
    d_.timerGetFVPage->setEnabled(false);
    d_.mainForm->setVisible(main_names::CommandSent, false);
    d_.mainForm->setVisible(main_names::UploadFailure, false);

    if (d_.records->connection().ServerAddress.trimmed().isEmpty()) {
        // No router set up yet (first start): the tick fails without asking anybody, and
        // the timer keeps its interval until an address arrives.
        onReportFetched();
        onGeneralSettingsRead();
        return;
    }
    startFetch();
    startGeneralRead();
}

void RefreshCycle::startFetch() {
    if (fetchRunning_) {
        // A router that drips its reply must not pile up fetches behind each other: this
        // tick counts as a failed one and the running fetch reports when it ends.
        DebugLog::write("TimerGetFVPageTimer(): the previous fetch is still running");
        onReportFetched();
        return;
    }
    fetchRunning_ = true;
    auto state = d_.state;
    auto table = d_.table;
    auto gateway = d_.gateway;
    d_.runner->run(
        [state, table, gateway] {
            TaskReportFetch fetch(*gateway, *table);
            state->offline = !fetch.execute();
        },
        [this] {
            fetchRunning_ = false;
            onReportFetched();
        });
}

void RefreshCycle::startGeneralRead() {
    // The read still running re-arms the timer when it ends.
    if (generalRunning_)
        return;
    generalRunning_ = true;
    auto gateway = d_.gateway;
    auto general = d_.general;
    SettingsRecords* records = d_.records;
    d_.runner->run(
        [gateway, records, general] {
            GeneralSettingsRead read(*gateway, *records, *general);
            read.execute();
        },
        [this] {
            generalRunning_ = false;
            onGeneralSettingsRead();
        });
}

void RefreshCycle::onReportFetched() {
    RefreshState& s = *d_.state;
    if (s.offline) {
        d_.mainForm->setVisible(main_names::UploadStatus, false);
        setServiceChoiceEnabled(false);
        ++s.failureCounter;
        if (s.failureCounter <= kGraceFailures)
            return;
        d_.mainForm->setText(main_names::ConnectStatus, (*d_.texts)[Msg::FormMainMsg5]);
        showConnected(false);
        s.failureCounter = kGraceFailures + 1;
        return;
    }
    d_.mainForm->setVisible(main_names::FetchFailure, false);
    setServiceChoiceEnabled(true);
    d_.mainForm->setText(main_names::ConnectStatus, (*d_.texts)[Msg::FormMainMsg6]);
    showConnected(true);
    if (s.failureCounter != 0) {
        if (d_.retryUploads)
            d_.retryUploads();
        resetList();
    }
    s.failureCounter = 0;
    if (s.resetPending == 0 || s.resetPending == 5) {
        resetList();
        s.resetPending = 6;
    }
    startListBuild();
}

void RefreshCycle::startListBuild() {
    // The queue lives on the UI thread: its rows are taken here and handed to the build.
    auto queue = std::make_shared<std::vector<QueueRow>>();
    if (d_.queue)
        *queue = d_.queue->queueRows();
    auto result = std::make_shared<ListBuildResult>();
    auto table = d_.table;
    const uint64_t generation = ++buildsStarted_;
    d_.runner->run([table, queue, result] { *result = TaskListBuilder::buildRows(*table, *queue); },
                   [this, result, generation] {
                       // A slower older build never overwrites the rows of a newer one.
                       if (generation <= buildApplied_)
                           return;
                       buildApplied_ = generation;
                       d_.model->replaceRows(std::move(result->rows));
                   });
}

void RefreshCycle::onGeneralSettingsRead() {
    d_.timerGetFVPage->setEnabled(true);
}

void RefreshCycle::refreshOfflineRows() {
    if (!d_.queue)
        return;
    RefreshState& s = *d_.state;
    TaskListModel& model = *d_.model;
    model.beginUpdate();
    if (!s.queuedFileMarker && model.rowCount() > 0) {
        for (int i = model.rowCount() - 1; i >= 0; --i) {
            if (!model.row(i).texts[TaskListRow::Status].contains(QLatin1String("in progress")))
                continue;
            model.removeRow(i);
            if (!s.offlineResetDone) {
                resetList();
                s.offlineResetDone = true;
            }
        }
    }
    for (const QueueRow& entry : d_.queue->queueRows())
        model.appendRow(TaskListBuilder::offlineUploadRow(entry));
    s.queuedFileMarker = false;
    model.endUpdate();
}

}  // namespace fv
