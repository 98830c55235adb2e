// The running desktop client, assembled exactly as `ferrovane` runs it: the main window, its
// start-up logic, the client wiring (settings, refresh, commands, upload queue) and the
// at-start timer. The program's entry and the window tests both build this one assembly.
#pragma once

#include <QStringList>

#include "app/AtBeginTimer.h"
#include "app/ClientCore.h"
#include "app/MainWindowStartup.h"
#include "app/StartupVersionCheck.h"
#include "ui/MainWindow.h"
#include "ui/main/ClientWiring.h"
#include "ui/main/MainWindowShell.h"

namespace fv {
class SingleInstance;
}

namespace fv::ui {

class RunningClient {
  public:
    // arguments: the process's arguments, program name first.
    RunningClient(StartupEnvironment environment, QStringList arguments);
    // With the core's parts replaced (window tests aim the router search at loopback).
    RunningClient(StartupEnvironment environment, QStringList arguments,
                  ClientCore::Options coreOptions);

    // The window's creation steps; false when the program must end with exit code 1.
    bool start();
    // Files and restore requests of later starts reach this client.
    void acceptHandOffs(SingleInstance& instance);
    // The window's destruction steps (the queue is saved); after the event loop ends.
    void finish();

    MainWindow& window() { return window_; }
    ClientCore& core() { return core_; }
    ClientWiring& wiring() { return wiring_; }
    MainWindowStartup& startup() { return startup_; }
    StartupVersionCheck& versionCheck() { return versionCheck_; }

  private:
    // The window outlives the core it shows; the core goes first, with its workers.
    MainWindow window_;
    ClientCore core_;
    MainWindowShell shell_;
    ClientWiring wiring_;
    MainWindowStartup startup_;
    StartupVersionCheck versionCheck_;
    AtBeginTimer atBegin_;
};

}  // namespace fv::ui
