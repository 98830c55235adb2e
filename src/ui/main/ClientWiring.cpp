#include "ClientWiring.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

#include "i18n/LanguageFile.h"
#include "platform/DebugLog.h"
#include "router/SetupControlNames.h"
#include "settings/ConnectionCommit.h"
#include "tasks/MainControlNames.h"
#include "tasks/RefreshCycle.h"
#include "tasks/TaskCommands.h"
#include "ui/FileSelectionWindow.h"
#include "ui/MainWindow.h"
#include "ui/SetupArea.h"
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
                                      [this](bool on) { window_.showSetupArea(on); }}) {
    core_.commands().setRestoreCursor([] {
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
    });
    window_.bindForms(core_.mainForm(), &core_.setupForm());
    window_.setTaskList(&control_);
    window_.setRemoteMode([this] { return ConnectionCommit::isRemote(core_.setupForm()); });
    connect(&core_.model(), &TaskListModel::rowsChanged, &window_, &MainWindow::rowsChanged);
    wireCommands();
    wireSetupArea();
}

void ClientWiring::wireSetupArea() {
    SetupArea* area = window_.setupArea();
    connect(area, &SetupArea::tabClicked, this,
            [this](int page) { setupFlow_.selectPage(static_cast<SetupAreaFlow::Page>(page)); });
    connect(area, &SetupArea::okClicked, this, [this] { setupFlow_.ok(); });
    connect(area, &SetupArea::applyClicked, this, [this] { setupFlow_.apply(); });
    core_.setupForm().onClick(QString::fromLatin1(setup_names::TestButton),
                              [this](const QString&) { setupFlow_.connectionTest(); });
}

ClientWiring::~ClientWiring() {
    // The window stops drawing from the list and writing into the forms before they go.
    window_.timerBlackLV().setEnabled(false);
    window_.setTaskList(nullptr);
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

void ClientWiring::startSetupWizard() {
    DebugLog::write("StartSetupWizard(): wizard not built");
}

}  // namespace fv::ui
