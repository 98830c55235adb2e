// The client's working parts, assembled once: the connection and settings records, the
// settings file with the setup fields it fills, the named timers, the task list model, the
// router gateway, the worker runner, the upload queue with its transfers, the refresh cycle,
// the task commands and View with its share access. The window binds its widgets to it,
// fvctl drives it by hand and the end-to-end tests run it against the simulated router; all
// three build this one assembly.
//
// UI thread only. Its destruction waits for the workers it started (they read the records).
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "app/ShareEntryCheck.h"
#include "app/ShareLinkFetch.h"
#include "discovery/RouterSearch.h"
#include "i18n/MessageTexts.h"
#include "platform/FormState.h"
#include "platform/TaskRunner.h"
#include "router/LoginForms.h"
#include "router/ProbeResults.h"
#include "router/RouterContext.h"
#include "router/ServiceSwitch.h"
#include "router/SettingsRecords.h"
#include "settings/RouterSettingsRead.h"
#include "settings/RouterSettingsWrite.h"
#include "settings/SetupFieldRules.h"
#include "settings/StartupSettings.h"
#include "tasks/GeneralSettingsValues.h"
#include "tasks/MainTimers.h"
#include "tasks/RefreshState.h"
#include "tasks/TaskListModel.h"
#include "upload/UploadQueue.h"

namespace fv {

class RefreshCycle;
class SetupDocument;
class StandardRouterGateway;
class TaskCommands;
class TaskView;

class ClientCore final : public QObject {
  public:
    struct Options {
        // Qt timers unless replaced (tests and fvctl use manual ones).
        MainTimers::Factory makeTimer;
        // Worker threads reporting to the core unless replaced. Every worker of the
        // client, transfers included, starts through it.
        std::unique_ptr<TaskRunner> runner;
        // One upload's transfer on the runner's worker; the default is the real one.
        std::function<int(const RouterContext&, const UploadTransfer&)> transfer;
        // The settings file; empty: the data folder's FVSetup.xml.
        QString setupFilePath;
        // Requests go through it; the default transport unless replaced.
        HttpTransport* transport = nullptr;
        // The utility library's calls and pause for the service switch; the real ones unless
        // replaced.
        ServiceSwitch::Options serviceSwitch;
        // Where router searches send and listen; the real network unless replaced.
        SearchEndpoints discovery = SearchEndpoints::fromEnvironment();
        // The router's local host name for the share; empty: RouterLocalHost::configured().
        QString routerLocalHost;
        // The share's SMB look-up and the share link's TLS exchange; the real ones unless
        // replaced.
        ShareEntryCheck::Stat smbStat;
        ShareLinkFetch::Exchange shareLinkExchange;
    };

    ClientCore();
    explicit ClientCore(Options options);
    ~ClientCore() override;
    ClientCore(const ClientCore&) = delete;
    ClientCore& operator=(const ClientCore&) = delete;

    // The message texts every part of the core shows; English until a language is applied.
    const MessageTexts& texts() const { return texts_; }
    // The language's texts replace the shown ones (UI thread; see MessageTexts::update).
    void setTexts(const MessageTexts& texts) { texts_.update(texts); }
    SettingsRecords& records() { return records_; }
    // The context of the setup area's connection test: its login reads the page's fields
    // and reports on the page's labels.
    RouterContext connectionTestContext() {
        return RouterContext(records_, *ctx_.transport, nullptr, &loginForms_);
    }
    const RouterContext& routerContext() const { return ctx_; }
    FormState& mainForm() { return mainForm_; }
    FormState& setupForm() { return setupForm_; }
    SetupFieldRules& setupRules() { return setupRules_; }
    SetupDocument& setupDocument() { return *setupDoc_; }
    MainTimers& timers() { return timers_; }
    TaskListModel& model() { return model_; }
    RefreshState& refreshState() { return *state_; }
    // What the general read found last (router name, download disk and folder).
    const GeneralSettingsValues& generalSettings() const { return *general_; }
    // The same values for a caller that reads them itself (fvctl has no refresh cycle).
    GeneralSettingsValues& generalSettings() { return *general_; }
    StandardRouterGateway& gateway() { return *gateway_; }
    TaskRunner& runner() { return *runner_; }
    UploadQueue& queue() { return *queue_; }
    RefreshCycle& refresh() { return *cycle_; }
    TaskCommands& commands() { return *commands_; }
    ServiceSwitch& serviceSwitch() { return *serviceSwitch_; }
    // The router search and its discovered-router table, read by the setup pages and detection.
    RouterSearch& routerSearch() { return *routerSearch_; }
    // What the application-list probes learnt (the service's port, version, installed and
    // enabled marks), and a context whose probes record there.
    ProbeResults& probeResults() { return probe_; }
    RouterContext probeContext() { return RouterContext(records_, *ctx_.transport, &probe_); }
    // The wizard's address test: probes record their findings, the host comes from the
    // wizard's address page.
    RouterContext wizardTestContext() {
        return RouterContext(records_, *ctx_.transport, &probe_, &loginForms_);
    }
    // View and the task menu's share check (finished files and shares).
    TaskView& taskView() { return *taskView_; }
    ShareEntryCheck& shareCheck() { return *shareCheck_; }
    // The host the share is reached under: the configured one, else the server address.
    QString routerLocalHost() const;

    // The settings file into the setup fields; false when it is missing or unreadable. A
    // file that was read also puts its file-type options into effect.
    bool loadSettingsFile();
    // The stored "AssBt"/"AssNZB" options put into effect for this user (FileTypeAssociation).
    void followFileTypes();
    // The connection record by the start-up rule: the stored connection, or the start
    // values when there is no file.
    void commitConnectionAtStart();
    // The settings file without the setup fields (for a caller that has no window): the
    // connection record by the start-up rule plus the stored WebDAV ports. The record is only
    // touched when the file was read; the setup fields are never touched.
    StartupSettings loadConnectionFromFile();

    // The selection window's OK: the file joins the queue, the list refreshes at once and
    // sending starts.
    void queueFile(const QString& fileName, const QString& checked, const QString& fullPath);
    void confirmQueued();

    // The refresh field's "Change": the record and the settings file take the new interval.
    void changeRefreshInterval();

    // The queue's Retry.
    void retrySending();

    // The router-side BitTorrent and NZB settings into the records, on the runner's worker;
    // done runs on the caller's thread with what was read.
    void readRouterSettings(std::function<void(const RouterSettingsRead::Result&)> done);
    // The read the setup area starts (and the program, once, at start): what was read goes
    // into the BitTorrent and NZB pages; a BitTorrent page the router could not fill takes
    // the settings file's values, an NZB page keeps what it shows. done (may be empty) runs
    // after the pages were filled.
    void readRouterSettingsIntoPages(std::function<void()> done = {});
    // The application-list probe of the setup area's entry: it reads whether the router's
    // download service is on and shows it in the service options (a changed option switches
    // the service to the same value, as a click would).
    void probeService();
    // The records' settings of one kind (RouterSettingsWrite::BitTorrent or Nzb) to the
    // router, as they are when this is called.
    void writeRouterSettings(int kind,
                             std::function<void(const RouterSettingsWrite::Result&)> done);

    // The connection page's service options (their click handlers call it): switches the
    // router's download service through the utility library, with the wizard's authentication
    // method and port as the setup form shows them when called. Returns at once; done gets the
    // enable call's result on the UI thread. Switches run one after the other, in call order.
    void switchService(bool enable, ServiceSwitch::Done done);

  private:
    void showRouterSettingsInPages(const RouterSettingsRead::Result& read);
    void makeQueue(Options& options);
    void makeRefreshCycle();
    void makeCommands();
    void makeServiceSwitch(Options& options);
    void makeShareAccess(Options& options);

    MessageTexts texts_;
    // Workers read the records; at exit they are kept if a worker never finished.
    std::unique_ptr<SettingsRecords> ownedRecords_;
    SettingsRecords& records_;
    RouterContext ctx_;
    FormState mainForm_;
    FormState setupForm_;
    SetupFieldRules setupRules_;
    LoginForms loginForms_;
    ProbeResults probe_;
    std::unique_ptr<SetupDocument> setupDoc_;
    MainTimers timers_;
    TaskListModel model_;
    std::shared_ptr<RefreshState> state_;
    std::shared_ptr<GeneralSettingsValues> general_ = std::make_shared<GeneralSettingsValues>();
    std::shared_ptr<StandardRouterGateway> gateway_;
    std::unique_ptr<TaskRunner> runner_;
    std::unique_ptr<UploadQueue> queue_;
    std::unique_ptr<RefreshCycle> cycle_;
    std::unique_ptr<TaskCommands> commands_;
    std::unique_ptr<ServiceSwitch> serviceSwitch_;
    std::unique_ptr<RouterSearch> routerSearch_;
    QString localHost_;
    std::unique_ptr<ShareEntryCheck> shareCheck_;
    std::unique_ptr<TaskView> taskView_;
};

}  // namespace fv
