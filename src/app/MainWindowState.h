// Start-up state of the main window. Read by the selection window (mainShown,
// positionByTimer) and by the refresh cycle (offline, failureCount, rowCount).
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
    // No fetch has succeeded yet.
    bool offline = true;
    int failureCount = 0;
    int rowCount = 0;
};

}  // namespace fv
