#include "ClientWiring.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

#include "app/LayoutState.h"
#include "app/TaskView.h"
#include "i18n/LanguageFile.h"
#include "platform/DebugLog.h"
#include "platform/DesktopOpener.h"
#include "platform/VersionInfo.h"
#include "router/SetupControlNames.h"
#include "settings/ConnectionCommit.h"
#include "settings/SetupDocument.h"
#include "tasks/MainControlNames.h"
#include "tasks/RefreshCycle.h"
#include "tasks/TaskCommands.h"
#include "ui/BusyOverlay.h"
#include "ui/FileSelectionWindow.h"
#include "ui/MainWindow.h"
#include "ui/SetupArea.h"
#include "ui/UpdateWindow.h"
#include "update/VersionText.h"
#include "upload/FileSelectionModel.h"

namespace fv::ui {
namespace {

QString fileFilter(const ClientTexts& texts) {
    return texts[Ct::FilterTorrentNzb] + QStringLiteral(" (*.torrent *.nzb);;") +
           texts[Ct::FilterAll] + QStringLiteral(" (*)");
}

}  // namespace

ClientWiring::ClientWiring(MainWindow& window, ClientCore& core)
    : window_(window),
      core_(core),
      control_(core.model()),
      setupFlow_(core,
                 SetupAreaFlow::Hooks{[this](bool on) { window_.timerBlackLV().setEnabled(on); },
                                      [this](const QString& caption, const QString& text) {
                                          QMessageBox::warning(&window_, caption, text);
                                      },
                                      [this](bool on) { window_.showSetupArea(on); }}),
      detection_(core, ServerDetection::Hooks{[this] { setupFlow_.connectionTest(); },
                                              [this] {
                                                  if (busy_)
                                                      busy_->setRunning(false);
                                              }}),
      wizard_(core, setupFlow_, detection_,
              WizardFlow::Hooks{[this] { showBusyOverlay(); },
                                [this](const QString& url) {
                                    if (openUrl_)
                                        openUrl_(url);
                                    else
                                        QDesktopServices::openUrl(QUrl(url));
                                }}) {
    core_.commands().setRestoreCursor([] {
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
    });
    window_.bindForms(core_.mainForm(), &core_.setupForm());
    window_.setTaskList(&control_);
    window_.setRemoteMode([this] { return ConnectionCommit::isRemote(core_.setupForm()); });
    wireTaskView();
    connect(&core_.model(), &TaskListModel::rowsChanged, &window_, &MainWindow::rowsChanged);
    connect(&core_.model(), &TaskListModel::rebuilt, &window_, [this] {
        control_.dropHiddenSelection();
        window_.recordSpeeds();
    });
    connect(&window_, &MainWindow::filterChanged, this,
            [this](const TaskFilter& filter) { control_.setFilter(filter); });
    wireCommands();
    wireSetupArea();
    restoreLayout();
}

void ClientWiring::restoreLayout() {
    const LayoutState state =
        LayoutState::load(LayoutState::besideSettings(core_.setupDocument().path()));
    window_.restoreLayout(state);
    control_.setFilter(state.filter);
    if (state.sort)
        core_.model().restoreSort(state.sort->first, state.sort->second);
}

void ClientWiring::saveLayout() {
    LayoutState state = window_.layoutState();
    state.sort = std::pair(core_.model().sortColumn(), core_.model().sortState());
    QString error;
    const QString path = LayoutState::besideSettings(core_.setupDocument().path());
    if (!LayoutState::save(path, state, &error))
        DebugLog::write(QStringLiteral("SaveLayout - ") + path + QStringLiteral(": ") + error);
}

void ClientWiring::wireTaskView() {
    TaskView& view = core_.taskView();
    view.setInform([this](const QString& caption, const QString& text) {
        QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, &window_);
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
        box.exec();
    });
    window_.setViewAction(&view);
    window_.setShareLookup(&core_.shareCheck());
    connect(&window_, &MainWindow::sambaRequested, this, [&view] { view.openSambaFolder(); });
    connect(&window_, &MainWindow::veyraRequested, this, [&view] { view.openVeyra(); });
}

void ClientWiring::wireSetupArea() {
    SetupArea* area = window_.setupArea();
    connect(area, &SetupArea::tabClicked, this,
            [this](int page) { setupFlow_.selectPage(static_cast<SetupAreaFlow::Page>(page)); });
    connect(area, &SetupArea::okClicked, this, &ClientWiring::okPanelClicked);
    connect(area, &SetupArea::applyClicked, this, &ClientWiring::applyPanelClicked);
    connect(area, &SetupArea::skipClicked, this, [this] { wizard_.skip(); });
    FormState& f = core_.setupForm();
    f.onClick(QStringLiteral("Lab_CheckVersion_About"),
              [this](const QString&) { openUpdateWindow(); });
    f.onClick(QString::fromLatin1(setup_names::TestButton),
              [this](const QString&) { setupFlow_.connectionTest(); });
    for (const char* detect : {setup_names::DetectButton, setup_names::WizardAutoDetect})
        f.onClick(QString::fromLatin1(detect), [this](const QString&) { detection_.start(); });
    f.onClick(QStringLiteral("Btn_SetupWizard_Setup"),
              [this](const QString&) { wizard_.startFromButton(); });
}

// One panel, three meanings: the caption that shows says which.
void ClientWiring::okPanelClicked() {
    if (wizard_.nextShowing())
        wizard_.next();
    else if (wizard_.finishShowing())
        wizard_.finish();
    else
        setupFlow_.ok();
}

void ClientWiring::applyPanelClicked() {
    if (wizard_.previousShowing())
        wizard_.previous();
    else if (wizard_.showing() &&
             core_.setupForm().visible(QStringLiteral("lab_Setup_AutoSearch_Text")))
        detection_.start();
    else
        setupFlow_.apply();
}

void ClientWiring::showBusyOverlay() {
    if (busy_)
        return;
    busy_ = new BusyOverlay(&window_);
    connect(busy_, &BusyOverlay::gaveUp, this, [this] { wizard_.detectionGaveUp(); });
    busy_->show();
}

ClientWiring::~ClientWiring() {
    // The window stops drawing from the list and writing into the forms before they go.
    window_.timerBlackLV().setEnabled(false);
    window_.setTaskList(nullptr);
    window_.setViewAction(nullptr);
    window_.setShareLookup(nullptr);
    window_.releaseForms();
}

MainWindowTimers ClientWiring::startupTimers() {
    return {core_.timers().refreshTimer(), window_.timerBlackLV(),
            core_.timers().listUpdateTimer()};
}

void ClientWiring::formShown() {
    core_.refresh().show();
}

void ClientWiring::wireCommands() {
    FormState& form = core_.mainForm();
    TaskCommands& commands = core_.commands();
    auto on = [&form](const char* name, std::function<void()> action) {
        form.onClick(QString::fromLatin1(name), [action](const QString&) { action(); });
    };
    on(main_names::AddButton, [this] { addTaskByDialog(); });
    on(main_names::RemoveButton, [&commands] { commands.removeSelectedTask(); });
    on(main_names::PauseButton, [&commands] { commands.pauseSelectedTask(); });
    on(main_names::ResumeButton, [&commands] { commands.resumeSelectedTask(); });
    on(main_names::PauseAllButton, [&commands] { commands.pauseAllTasks(); });
    on(main_names::ResumeAllButton, [&commands] { commands.resumeAllTasks(); });
    on(main_names::ClearButton, [&commands] { commands.clearCompletedTasks(); });
    on(main_names::SetupButton, [this] { setupFlow_.enter(); });
    // The failure line is how a halted queue is started again.
    on(main_names::UploadFailure, [this] { core_.retrySending(); });
    core_.setupForm().onClick(QStringLiteral("SpBtnAufreshSec_Setup"),
                              [this](const QString&) { core_.changeRefreshInterval(); });
}

void ClientWiring::addTaskByDialog() {
    const QStringList paths =
        chooseFiles_
            ? chooseFiles_()
            : QFileDialog::getOpenFileNames(
                  &window_, core_.mainForm().text(QString::fromLatin1(main_names::AddButton)),
                  QString(), fileFilter(window_.clientTexts()));
    for (const QString& path : paths)
        addFileToQueue(path);
    // Sending restarts after every dialog, also a cancelled one.
    core_.retrySending();
}

void ClientWiring::initTaskFile(const QString& taskFilePath) {
    core_.queue().openTaskFile(taskFilePath);
}

void ClientWiring::saveTaskFile() {
    core_.queue().saveAtExit();
}

void ClientWiring::closeTaskFile() {}  // the queue keeps no file open between saves

void ClientWiring::addFileToQueue(const QString& path) {
    // The reader lists the files inside; the selection window appends the entry on OK.
    FileSelectionWindow::Hooks hooks;
    hooks.appendQueueEntry = [this](const QString& fileName, const QString& checked,
                                    const QString& fullPath) {
        core_.queueFile(fileName, checked, fullPath);
    };
    hooks.afterConfirm = [this] { core_.confirmQueued(); };
    hooks.mainShown = startupState_ ? startupState_->mainShown : true;
    hooks.positionByTimer = startupState_ ? &startupState_->positionByTimer : nullptr;
    hooks.mainWindow = &window_;
    hooks.applyLanguage = [this](FileSelectionWindow& w) {
        w.applyTexts(LanguageFile::textsFor(languageName_));
    };
    auto* dialog =
        new FileSelectionWindow(FileSelectionModel::open(path, QLocale(), false, core_.texts()),
                                std::move(hooks), &window_);
    dialog->show();
}

void ClientWiring::loadSetupXml(const QString&) {
    core_.loadSettingsFile();
}

void ClientWiring::commitConnectionAtStart() {
    core_.commitConnectionAtStart();
    // The stand-alone settings window's creation also starts the first read of the router's
    // BitTorrent and NZB settings, so the setup pages show them when first opened.
    core_.readRouterSettingsIntoPages();
}

void ClientWiring::prepareDrawing() {}  // the window draws itself from the skin

void ClientWiring::applyLanguage(const QString& languageName) {
    // The file is read anew on every show, as the original did.
    languageName_ = languageName;
    const TextSet texts = LanguageFile::textsFor(languageName);
    core_.setTexts(texts.messages);
    window_.applyTexts(texts);
}

void ClientWiring::openUpdateWindow() {
    if (update_) {  // one update window at a time; a second click brings it forward
        update_->raise();
        update_->activateWindow();
        return;
    }
    UpdateFlow::Context context;
    context.currentVersion = VersionInfo::programVersion();
    context.site = UpdateSite::configured();
    context.simplifiedChinese = isSimplifiedChinese(QLocale::system());
    context.architecture = debianArchitecture();
    context.downloadFolder = UpdateSite::downloadFolder();
    context.openPackage = [this](const QString& path) {
        if (openPackage_)
            return openPackage_(path);
        return DesktopOpener::openWithDesktop(path);
    };
    update_ = new UpdateWindow(
        std::move(context),
        [this](UpdateWindow& w) { w.applyTexts(LanguageFile::textsFor(languageName_)); }, &window_);
    update_->open();
}

void ClientWiring::startSetupWizard() {
    wizard_.start();
}

}  // namespace fv::ui
