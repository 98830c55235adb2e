#include "app/ClientCore.h"

#include "app/CertificatePins.h"
#include "app/FileTypeAssociation.h"
#include "app/RouterLocalHost.h"
#include "app/TaskView.h"
#include "platform/DebugLog.h"
#include "platform/WorkerThread.h"
#include "router/AppListFetch.h"
#include "router/SetupControlNames.h"
#include "settings/ConnectionCommit.h"
#include "settings/RouterSettingsPages.h"
#include "settings/SetupDocument.h"
#include "tasks/GeneralSettingsValues.h"
#include "tasks/RefreshCycle.h"
#include "tasks/StandardRouterGateway.h"
#include "tasks/TaskCommands.h"
#include "tasks/TaskTable.h"
#include "upload/BtAnswer.h"
#include "upload/FileUpload.h"

namespace fv {
namespace {

constexpr int kWorkerExitWaitMs = 15000;

int realTransfer(const RouterContext& ctx, const UploadTransfer& info) {
    FileUpload worker(ctx, ctx.records->connection(), FileUpload::defaultOptions());
    return worker.execute(info);
}

}  // namespace

ClientCore::ClientCore() : ClientCore(Options{}) {}

ClientCore::ClientCore(Options options)
    : ownedRecords_(std::make_unique<SettingsRecords>()),
      records_(*ownedRecords_),
      ctx_(records_, options.transport ? *options.transport : defaultHttpTransport()),
      setupRules_(setupForm_, SetupFormKind::SetupPages),
      loginForms_(setupForm_, nullptr, texts_),
      timers_(options.makeTimer ? options.makeTimer
                                : [](int ms) { return std::make_unique<QtTimer>(ms); }),
      model_(false),
      state_(std::make_shared<RefreshState>()),
      gateway_(std::make_shared<StandardRouterGateway>(ctx_)),
      runner_(options.runner ? std::move(options.runner)
                             : std::make_unique<WorkerThreadRunner>(this)) {
    setupRules_.installWithInitialValues();
    setupDoc_ = options.setupFilePath.isEmpty()
                    ? std::make_unique<SetupDocument>(setupForm_, records_)
                    : std::make_unique<SetupDocument>(
                          setupForm_, records_, SetupFormKind::SetupPages, options.setupFilePath);
    makeQueue(options);
    makeRefreshCycle();
    makeCommands();
    makeServiceSwitch(options);
    routerSearch_ = std::make_unique<RouterSearch>(
        *runner_,
        options.makeTimer ? options.makeTimer
                          : [](int ms) { return std::make_unique<QtTimer>(ms); },
        std::move(options.discovery));
    makeShareAccess(options);
}

ClientCore::~ClientCore() {
    // No timer may call into the parts below while they go away.
    for (const auto& entry : MainTimers::kTable) {
        if (Timer* t = timers_.byName(QString::fromLatin1(entry.name))) {
            t->setEnabled(false);
            t->setHandler(nullptr);
        }
    }
    // A request still running reads the records; never pull them from under it.
    if (!WorkerThread::waitForAll(kWorkerExitWaitMs)) {
        DebugLog::write("~ClientCore(): a worker is still running; its records stay");
        (void)ownedRecords_.release();
    }
}

void ClientCore::makeQueue(Options& options) {
    auto transfer = options.transfer ? std::move(options.transfer) : realTransfer;
    UploadQueue::Hooks hooks;
    hooks.isOffline = [this] { return state_->offline.load(); };
    hooks.mergeQueueRows = [this] { cycle_->refreshOfflineRows(); };
    hooks.resetTaskListPosition = [this] { cycle_->resetList(); };
    hooks.restartRefreshTimer = [this](int ms) {
        timers_.refreshTimer().setInterval(ms);
        timers_.refreshTimer().setEnabled(true);
    };
    queue_ = std::make_unique<UploadQueue>(
        mainForm_,
        UploadQueue::Timers{&timers_.sendTimer(), &timers_.listUpdateTimer(),
                            &timers_.countdownTimer()},
        [this, transfer](const UploadTransfer& info, UploadQueue::Done done) {
            // The worker copies the record and the context it needs before it runs.
            auto result = std::make_shared<int>(kNoAnswer);
            const RouterContext ctx = ctx_;
            runner_->run([ctx, info, result, transfer] { *result = transfer(ctx, info); },
                         [result, done = std::move(done)] { done(*result); });
        },
        hooks);
    queue_->setTexts(texts_);
}

void ClientCore::makeRefreshCycle() {
    RefreshCycle::Deps cycle;
    cycle.model = &model_;
    cycle.mainForm = &mainForm_;
    cycle.texts = &texts_;
    cycle.setupForm = &setupForm_;
    cycle.timerGetFVPage = &timers_.refreshTimer();
    cycle.records = &records_;
    cycle.state = state_;
    cycle.table = std::make_shared<TaskTable>();
    cycle.general = general_;
    cycle.gateway = gateway_;
    cycle.runner = runner_.get();
    cycle.queue = queue_.get();
    cycle.retryUploads = [this] { retrySending(); };
    cycle_ = std::make_unique<RefreshCycle>(cycle);
}

void ClientCore::makeCommands() {
    TaskCommands::Deps commands;
    commands.model = &model_;
    commands.form = &mainForm_;
    commands.texts = &texts_;
    commands.timerGetFVPage = &timers_.refreshTimer();
    commands.state = state_;
    commands.gateway = gateway_;
    commands.runner = runner_.get();
    commands.queue = queue_.get();
    commands.retryUploads = [this] { retrySending(); };
    commands.isLocalMode = [this] { return !ConnectionCommit::isRemote(setupForm_); };
    commands_ = std::make_unique<TaskCommands>(commands);
}

void ClientCore::makeServiceSwitch(Options& options) {
    serviceSwitch_ =
        std::make_unique<ServiceSwitch>(*runner_, records_, std::move(options.serviceSwitch));
    // A window showing the two options gets the switch by binding them under these names.
    const auto bind = [this](const char* option, bool enable) {
        setupForm_.onClick(option, [this, enable](const QString&) {
            switchService(enable, [enable](int result) {
                DebugLog::write(QString("switchService(%1): %2").arg(enable).arg(result));
            });
        });
    };
    bind(setup_names::ServiceEnable, true);
    bind(setup_names::ServiceDisable, false);
}

void ClientCore::makeShareAccess(Options& options) {
    localHost_ =
        options.routerLocalHost.isEmpty() ? RouterLocalHost::configured() : options.routerLocalHost;
    auto localHost = [this] { return routerLocalHost(); };
    shareCheck_ = std::make_unique<ShareEntryCheck>(ShareEntryCheck::Deps{
        &records_, general_, runner_.get(), localHost, std::move(options.smbStat)});
    TaskView::Deps view;
    view.model = &model_;
    view.state = state_;
    view.records = &records_;
    view.general = general_;
    view.runner = runner_.get();
    view.share = shareCheck_.get();
    view.localHost = localHost;
    view.texts = &texts_;
    view.pinFile = CertificatePins::besideSettings(setupDoc_->path());
    view.exchange = std::move(options.shareLinkExchange);
    taskView_ = std::make_unique<TaskView>(std::move(view));
}

QString ClientCore::routerLocalHost() const {
    return RouterLocalHost::effective(localHost_, records_.connection().ServerAddress);
}

bool ClientCore::loadSettingsFile() {
    const bool read = setupDoc_->loadConnectionColumn();
    setupDoc_->loadBitTorrentColumn();
    if (read)
        followFileTypes();
    return read;
}

void ClientCore::followFileTypes() {
    FileTypeDefaults defaults(FileTypeDefaults::user());
    FileTypeAssociation::followFile(setupDoc_->path(), defaults);
}

void ClientCore::commitConnectionAtStart() {
    // The connection record as the stand-alone settings window's creation fills it.
    setupDoc_->commitConnectionAtStartup();
    const ConnectionProfile conn = records_.connection();
    if (!conn.Password.isEmpty())
        DebugLog::addSecret(conn.Password.toStdString());
}

StartupSettings ClientCore::loadConnectionFromFile() {
    StartupSettings stored = StartupSettings::load(setupDoc_->path());
    if (stored.status != SettingsFile::Status::Read)
        return stored;
    const ConnectionProfile& from = stored.record;
    const ConnectionSettings& column = stored.connection;
    records_.editConnection([&](ConnectionProfile& c) {
        c.IsRemote = from.IsRemote;
        c.ServerAddress = from.ServerAddress;
        c.ServerPort = from.ServerPort;
        c.UserName = from.UserName;
        c.Password = from.Password;
        c.RefreshIntervalMs = from.RefreshIntervalMs;
        // Like reading the column into the fields: only stored ports replace the record's.
        if (column.webDavHttpPort)
            c.WebDavHttpPort = *column.webDavHttpPort;
        if (column.webDavHttpsPort)
            c.WebDavHttpsPort = *column.webDavHttpsPort;
    });
    return stored;
}

void ClientCore::queueFile(const QString& fileName, const QString& checked,
                           const QString& fullPath) {
    queue_->addFile(fileName, checked, fullPath);
}

void ClientCore::confirmQueued() {
    queue_->reloadTaskFile();
    state_->queuedFileMarker = true;
    state_->offlineResetDone = false;
    timers_.refreshTimer().setInterval(10);
    timers_.refreshTimer().setEnabled(true);
    retrySending();
}

void ClientCore::changeRefreshInterval() {
    const int32_t ms = setupRules_.applyRefreshChange();
    records_.editConnection([ms](ConnectionProfile& c) { c.RefreshIntervalMs = ms; });
    if (setupDoc_->fileExists())
        setupDoc_->saveConnectionColumn();
}

void ClientCore::retrySending() {
    queue_->retrySending();
}

void ClientCore::readRouterSettings(std::function<void(const RouterSettingsRead::Result&)> done) {
    // Built here so the worker reads the records as they are now, not when it gets to run.
    auto worker = std::make_shared<RouterSettingsRead>(ctx_);
    auto result = std::make_shared<RouterSettingsRead::Result>();
    runner_->run([worker, result] { *result = worker->execute(); },
                 [result, done = std::move(done)] {
                     if (done)
                         done(*result);
                 });
}

void ClientCore::probeService() {
    if (records_.connection().ServerAddress.trimmed().isEmpty())
        return;
    AppListFetch::start(*runner_, RouterContext(records_, *ctx_.transport, &probe_, nullptr),
                        setupForm_);
}

void ClientCore::readRouterSettingsIntoPages(std::function<void()> done) {
    auto show = [this, done = std::move(done)](const RouterSettingsRead::Result& read) {
        showRouterSettingsInPages(read);
        if (done)
            done();
    };
    // No router set up yet (first start): the pages take what the file holds, nobody is asked.
    if (records_.connection().ServerAddress.trimmed().isEmpty()) {
        RouterSettingsRead::Result none;
        none.failure = FailureKind::NoAddress;
        show(none);
        return;
    }
    readRouterSettings(std::move(show));
}

void ClientCore::showRouterSettingsInPages(const RouterSettingsRead::Result& read) {
    DebugLog::write("FVPageGetBTSettingThreadDone()");
    if (read.btRead)
        RouterSettingsPages::showBitTorrent(records_.bt(), setupForm_);
    else if (setupDoc_->fileExists())
        setupDoc_->loadBitTorrentColumn();
    DebugLog::write("FVPageGetBTSettingThreadDone()-end");
    DebugLog::write("FVPageGetNZBSettingThreadDone()");
    if (read.nzbRead)
        RouterSettingsPages::showNzb(records_.nzb(), setupForm_);
    DebugLog::write("FVPageGetBTSettingThreadDone()-end");
}

void ClientCore::writeRouterSettings(int kind,
                                     std::function<void(const RouterSettingsWrite::Result&)> done) {
    auto worker = std::make_shared<RouterSettingsWrite>(ctx_, kind);
    auto result = std::make_shared<RouterSettingsWrite::Result>();
    runner_->run([worker, result] { *result = worker->execute(); },
                 [result, done = std::move(done)] {
                     if (done)
                         done(*result);
                 });
}

void ClientCore::switchService(bool enable, ServiceSwitch::Done done) {
    ServiceSwitchRequest request;
    request.enable = enable;
    request.authMethod = setupForm_.text(setup_names::WizardAuthMethod);
    request.authPortText = setupForm_.text(setup_names::WizardAuthPort);
    serviceSwitch_->request(request, std::move(done));
}

}  // namespace fv
