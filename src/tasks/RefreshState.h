// The main window's state that the refresh cycle and the task commands share. Everything
// but the offline flag is UI-thread only; the flag is also written by fetch and command
// workers, hence atomic.
#pragma once

#include <atomic>
#include <cstdint>

namespace fv {

struct RefreshState {
    std::atomic<bool> offline{true};
    int32_t failureCounter = 0;
    // 0 at start and after a task removal; the next successful fetch resets the list and
    // sets it to 6. 5 also means a reset is pending.
    int32_t resetPending = 0;
    bool queuedFileMarker = false;  // a file was just queued by the selection window
    bool offlineResetDone = false;  // the offline refresh already reset the list once
};

}  // namespace fv
