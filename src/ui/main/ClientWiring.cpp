#include "ClientWiring.h"

#include <QApplication>
#include <QFileDialog>

#include "platform/DebugLog.h"
#include "platform/WorkerThread.h"
#include "router/RouterContext.h"
#include "settings/ConnectionCommit.h"
#include "settings/SetupDocument.h"
#include "tasks/GeneralSettingsValues.h"
#include "tasks/RefreshCycle.h"
#include "tasks/RefreshState.h"
#include "tasks/StandardRouterGateway.h"
#include "tasks/TaskCommands.h"
#include "tasks/TaskRunner.h"
#include "tasks/TaskTable.h"
#include "ui/TFormBtSelect.h"
#include "ui/TFormMain.h"
#include "upload/BtSelectModel.h"
#include "upload/TSendBtTaskThread.h"
#include "upload/UploadQueue.h"

namespace fv::ui {

namespace {
constexpr int kWorkerExitWaitMs = 15000;
}  // namespace

ClientWiring::ClientWiring(TFormMain& window)
    : window_(window),
      ownedRecords_(std::make_unique<SettingsRecords>()),
      records_(*ownedRecords_),
      setupRules_(setupForm_, SetupFormKind::SetupPages),
      timers_([](int ms) { return std::make_unique<QtTimer>(ms); }),
      model_(false),
      control_(model_),
      state_(std::make_shared<RefreshState>()),
      runner_(std::make_unique<WorkerThreadRunner>(this)) {
    setupRules_.installWithInitialValues();
    setupDoc_ = std::make_unique<SetupDocument>(setupForm_, records_);
    gateway_ = std::make_shared<StandardRouterGateway>(RouterContext(records_));

    UploadQueue::Hooks queueHooks;
    queueHooks.isOffline = [this] { return state_->offline.load(); };
    queueHooks.mergeQueueRows = [this] { cycle_->UpdateOfflineTaskList(); };
    queueHooks.resetTaskListPosition = [this] { cycle_->resetList(); };
    queueHooks.restartRefreshTimer = [this](int ms) {
        timers_.TimerGetFVPage().setInterval(ms);
        timers_.TimerGetFVPage().setEnabled(true);
    };
    queue_ = std::make_unique<UploadQueue>(
        mainForm_,
        UploadQueue::Timers{&timers_.TimerSendTask(), &timers_.TimerTaskListUpdate(),
                            &timers_.TimerCountDown()},
        [this](const _UPLOADBTTASK_INFO& info, UploadQueue::Done done) {
            TSendBtTaskThread::start(this, RouterContext(records_), info, std::move(done));
        },
        queueHooks);

    auto retry = [this] { queue_->BtnUploadBt_MainClick(); };
    RefreshCycle::Deps cycle;
    cycle.model = &model_;
    cycle.mainForm = &mainForm_;
    cycle.setupForm = &setupForm_;
    cycle.timerGetFVPage = &timers_.TimerGetFVPage();
    cycle.records = &records_;
    cycle.state = state_;
    cycle.table = std::make_shared<TaskTable>();
    cycle.general = std::make_shared<GeneralSettingsValues>();
    cycle.gateway = gateway_;
    cycle.runner = runner_.get();
    cycle.queue = queue_.get();
    cycle.retryUploads = retry;
    cycle_ = std::make_unique<RefreshCycle>(cycle);

    TaskCommands::Deps commands;
    commands.model = &model_;
    commands.form = &mainForm_;
    commands.timerGetFVPage = &timers_.TimerGetFVPage();
    commands.state = state_;
    commands.gateway = gateway_;
    commands.runner = runner_.get();
    commands.queue = queue_.get();
    commands.retryUploads = retry;
    commands.isLocalMode = [this] { return !ConnectionCommit::isRemote(setupForm_); };
    commands.restoreCursor = [] {
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
    };
    commands_ = std::make_unique<TaskCommands>(commands);

    window_.bindForms(mainForm_, &setupForm_);
    window_.setTaskList(&control_);
    window_.setRemoteMode([this] { return ConnectionCommit::isRemote(setupForm_); });
    connect(&model_, &TaskListModel::rowsChanged, &window_, &TFormMain::rowsChanged);
    wireCommands();
}

ClientWiring::~ClientWiring() {
    // No timer may call into the parts below while they go away, nor the window into the list.
    window_.timerBlackLV().setEnabled(false);
    window_.setTaskList(nullptr);
    window_.releaseForms();
    for (const auto& spec : MainTimers::kTable) {
        if (Timer* t = timers_.byName(QString::fromLatin1(spec.name))) {
            t->setEnabled(false);
            t->setHandler(nullptr);
        }
    }
    // A request still running reads the records; never pull them from under it.
    if (!WorkerThread::waitForAll(kWorkerExitWaitMs)) {
        DebugLog::write("~ClientWiring(): a worker is still running; its records stay");
        (void)ownedRecords_.release();
    }
}

MainWindowTimers ClientWiring::startupTimers() {
    return {timers_.TimerGetFVPage(), window_.timerBlackLV(), timers_.TimerTaskListUpdate()};
}

void ClientWiring::formShown() {
    cycle_->show();
}

void ClientWiring::wireCommands() {
    auto on = [this](const char* name, std::function<void()> action) {
        mainForm_.onClick(QString::fromLatin1(name), [action](const QString&) { action(); });
    };
    on("BtnAdd_Main", [this] { addTaskByDialog(); });
    on("BtnFVPageRemove_Main", [this] { commands_->BtnFVPageRemove_MainClick(); });
    on("BtnFVPagePause_Main", [this] { commands_->BtnFVPagePause_MainClick(); });
    on("BtnFVPageResume_Main", [this] { commands_->BtnFVPageResume_MainClick(); });
    on("BtnFVPagePauseAll_Main", [this] { commands_->BtnFVPagePauseAll_MainClick(); });
    on("BtnFVPageResumeAll_Main", [this] { commands_->BtnFVPageResumeAll_MainClick(); });
    on("BtnFVPageClear_Main", [this] { commands_->BtnFVPageClear_MainClick(); });
    on("BtnSetup_Main", [] { DebugLog::write("BtnSetup_MainClick(): setup pages not built"); });
    // The failure line is how a halted queue is started again.
    on("LabTaskStatus_LinkContext_Main", [this] { queue_->BtnUploadBt_MainClick(); });
    setupForm_.onClick(QStringLiteral("SpBtnAufreshSec_Setup"),
                       [this](const QString&) { changeRefreshInterval(); });
}

void ClientWiring::addTaskByDialog() {
    const QStringList paths =
        chooseFiles_
            ? chooseFiles_()
            : QFileDialog::getOpenFileNames(
                  &window_, QStringLiteral("Add Task"), QString(),
                  QStringLiteral("Torrent and NZB files (*.torrent *.nzb);;All files (*)"));
    for (const QString& path : paths)
        addFileToQueue(path);
    // Sending restarts after every dialog, also a cancelled one.
    queue_->BtnUploadBt_MainClick();
}

void ClientWiring::changeRefreshInterval() {
    const int32_t ms = setupRules_.applyRefreshChange();
    records_.editConnection([ms](_SETUPFORM_INFO& c) { c.RefreshIntervalMs = ms; });
    if (setupDoc_->IsSetupFilePresent())
        setupDoc_->SaveConnectionColumn();
}

void ClientWiring::initTaskFile(const QString& taskFilePath) {
    queue_->InitTaskFile(taskFilePath);
}

void ClientWiring::saveTaskFile() {
    queue_->SaveTaskFile();
}

void ClientWiring::closeTaskFile() {}  // the queue keeps no file open between saves

void ClientWiring::addFileToQueue(const QString& path) {
    // The reader lists the files inside; the selection window appends the entry on OK.
    TFormBtSelect::Hooks hooks;
    hooks.appendQueueEntry = [this](const QString& fileName, const QString& checked,
                                    const QString& fullPath) {
        queue_->AppendQueueEntry(fileName, checked, fullPath);
    };
    hooks.afterConfirm = [this] {
        queue_->LoadTaskXMLToListView();
        state_->queuedFileMarker = true;
        state_->offlineResetDone = false;
        timers_.TimerGetFVPage().setInterval(10);
        timers_.TimerGetFVPage().setEnabled(true);
        queue_->BtnUploadBt_MainClick();
    };
    hooks.mainShown = startupState_ ? startupState_->mainShown : true;
    hooks.positionByTimer = startupState_ ? &startupState_->positionByTimer : nullptr;
    hooks.mainWindow = &window_;
    auto* dialog = new TFormBtSelect(BtSelectModel::open(path), std::move(hooks), &window_);
    dialog->show();
}

void ClientWiring::loadSetupXml(const QString&) {
    setupDoc_->LoadSetupXML();
    setupDoc_->LoadBTSetupXML();
}

void ClientWiring::commitConnectionAtStart() {
    // The connection record as the stand-alone settings window's creation fills it.
    setupDoc_->CommitConnectionAtStart();
    const _SETUPFORM_INFO conn = records_.connection();
    if (!conn.Password.isEmpty())
        DebugLog::addSecret(conn.Password.toStdString());
}

void ClientWiring::prepareDrawing() {}  // the window draws itself from the skin

void ClientWiring::applyLanguage(const QString&) {}  // English until the language file loads

void ClientWiring::startSetupWizard() {
    DebugLog::write("StartSetupWizard(): wizard not built");
}

}  // namespace fv::ui
