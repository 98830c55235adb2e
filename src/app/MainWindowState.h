// Start-up state of the main window, read by the selection window (mainShown,
// positionByTimer). The offline flag and the failure count belong to the refresh cycle
// (tasks/RefreshState.h), the row count to the task list model.
#pragma once

namespace fv {

struct MainWindowState {
    // True from construction until the one-time steps of the first show have run.
    bool firstShow = true;
    // Set by the first show, cleared by a hand-off; while false the selection window forces
    // itself to the foreground.
    bool mainShown = false;
    // While true the selection window places itself over the main window once.
    bool positionByTimer = true;
    // Set by the exit command and by a close request with parameter 100.
    bool closeRequested = false;
};

}  // namespace fv
