// The running client's widgets bound to its core: the main window shows the core's forms
// and task list and forwards its buttons to the core's commands and queue. It also carries
// out the start-up steps that need windows (the file selection, the wizard, the language).
#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>

#include "app/ClientCore.h"
#include "app/MainWindowStartup.h"
#include "app/ServerDetection.h"
#include "app/SetupAreaFlow.h"
#include "app/StartupHooks.h"
#include "app/TaskListModelControl.h"
#include "app/WizardFlow.h"
#include "ui/BusyOverlay.h"
#include "ui/UpdateWindow.h"

namespace fv::ui {

class MainWindow;

class ClientWiring final : public QObject, public StartupHooks {
    Q_OBJECT

  public:
    ClientWiring(MainWindow& window, ClientCore& core);
    ~ClientWiring() override;

    // The timers the start-up steps switch on.
    MainWindowTimers startupTimers();
    Timer& timerAtBegin() { return core_.timers().atBeginTimer(); }
    // The window's show event, before the start-up logic's own steps.
    void formShown();
    // The start-up state the selection window reads (main-shown and position hints).
    void setStartupState(MainWindowState* state) { startupState_ = state; }
    SetupAreaFlow& setupFlow() { return setupFlow_; }
    WizardFlow& wizard() { return wizard_; }
    ServerDetection& detection() { return detection_; }
    // The busy overlay while it shows (null otherwise).
    BusyOverlay* busyOverlay() const { return busy_; }
    // What a link opens with: the desktop's browser unless replaced (window tests).
    void setUrlOpener(std::function<void(const QString&)> open) { openUrl_ = std::move(open); }
    // "Check version": the update window, shown modally (one at a time).
    void openUpdateWindow();
    UpdateWindow* updateWindow() const { return update_; }
    // What a downloaded package is opened with: the desktop's handler unless replaced.
    void setPackageOpener(std::function<bool(const QString&)> open) {
        openPackage_ = std::move(open);
    }
    // What "Add Task" asks for files with: the file dialog unless replaced (window tests).
    void setFileChooser(std::function<QStringList()> chooser) { chooseFiles_ = std::move(chooser); }

    // The window's layout into FVLayout.json beside the settings file (at exit).
    void saveLayout();

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
    void wireSetupArea();
    void showBusyOverlay();
    void okPanelClicked();
    void applyPanelClicked();
    void wireTaskView();
    void addTaskByDialog();
    void restoreLayout();

    MainWindow& window_;
    ClientCore& core_;
    TaskListModelControl control_;
    SetupAreaFlow setupFlow_;
    ServerDetection detection_;
    WizardFlow wizard_;
    QPointer<BusyOverlay> busy_;
    QPointer<UpdateWindow> update_;
    std::function<bool(const QString&)> openPackage_;
    std::function<void(const QString&)> openUrl_;
    MainWindowState* startupState_ = nullptr;
    std::function<QStringList()> chooseFiles_;
    // The name start-up read; every window's show applies it again.
    QString languageName_;
};

}  // namespace fv::ui
