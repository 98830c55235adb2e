// Everything the running client is made of, connected: the settings file and records, the
// task list model with its refresh cycle and commands, the upload queue with its transfers,
// and the main window that shows them. It also carries out the start-up steps that belong
// to these parts (queue file, settings file, files to queue).
#pragma once

#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>

#include "app/MainWindowStartup.h"
#include "app/StartupHooks.h"
#include "app/TaskListModelControl.h"
#include "platform/FormState.h"
#include "router/SettingsRecords.h"
#include "settings/SetupFieldRules.h"
#include "tasks/MainTimers.h"
#include "tasks/TaskListModel.h"

namespace fv {
class SetupDocument;
class RefreshCycle;
class TaskCommands;
class UploadQueue;
class RouterGateway;
class TaskRunner;
struct RefreshState;
}  // namespace fv

namespace fv::ui {

class TFormMain;

class ClientWiring final : public QObject, public StartupHooks {
    Q_OBJECT

  public:
    explicit ClientWiring(TFormMain& window);
    ~ClientWiring() override;

    // The timers the start-up steps switch on.
    MainWindowTimers startupTimers();
    Timer& timerAtBegin() { return timers_.TimerAtBegin(); }
    // The window's show event, before the start-up logic's own steps.
    void formShown();
    // The start-up state the selection window reads (main-shown and position hints).
    void setStartupState(MainWindowState* state) { startupState_ = state; }
    // What "Add Task" asks for files with: the file dialog unless replaced (window tests).
    void setFileChooser(std::function<QStringList()> chooser) { chooseFiles_ = std::move(chooser); }
    // The queue and the records as the window uses them, for the window tests to look at.
    UploadQueue& uploadQueue() { return *queue_; }
    const SettingsRecords& records() const { return records_; }

    // StartupHooks
    void initTaskFile(const QString& taskFilePath) override;
    void saveTaskFile() override;
    void closeTaskFile() override;
    void addFileToQueue(const QString& path) override;
    void loadSetupXml(const QString& setupFilePath) override;
    void commitConnectionAtStart() override;
    void prepareDrawing() override;
    void applyLanguage(const QString& languageName) override;
    void startSetupWizard() override;

  private:
    void wireCommands();
    void addTaskByDialog();
    void changeRefreshInterval();

    TFormMain& window_;
    // Workers read the records; at exit they are kept if a worker never finished.
    std::unique_ptr<SettingsRecords> ownedRecords_;
    SettingsRecords& records_;
    FormState mainForm_;
    FormState setupForm_;
    SetupFieldRules setupRules_;
    std::unique_ptr<SetupDocument> setupDoc_;
    MainTimers timers_;
    TaskListModel model_;
    TaskListModelControl control_;
    std::shared_ptr<RefreshState> state_;
    std::shared_ptr<RouterGateway> gateway_;
    std::unique_ptr<TaskRunner> runner_;
    std::unique_ptr<UploadQueue> queue_;
    std::unique_ptr<RefreshCycle> cycle_;
    std::unique_ptr<TaskCommands> commands_;
    MainWindowState* startupState_ = nullptr;
    std::function<QStringList()> chooseFiles_;
};

}  // namespace fv::ui
