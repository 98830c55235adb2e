// The main window's timers under their original names and initial intervals. The app makes
// them Qt timers; tests make them manual ones. Only TimerAtBegin runs from the start; the
// others are enabled by the show event and the layers that own them.
#pragma once

#include <QString>
#include <array>
#include <functional>
#include <memory>

#include "platform/Timer.h"

namespace fv {

class MainTimers {
  public:
    struct Entry {
        const char* name;
        int initialIntervalMs;
        bool enabledFromStart;
    };
    static constexpr std::array<Entry, 7> kTable{{
        {"TimerGetFVPage", 500, false},
        {"TimerTaskListUpdate", 3000, false},
        {"TimerSendTask", 500, false},
        {"TimerCountDown", 100, false},
        {"TimerBlackLV", 1000, false},
        {"TimerFVDetect_Main_Setup", 4000, false},
        {"TimerAtBegin", 1000, true},
    }};

    using Factory = std::function<std::unique_ptr<Timer>(int intervalMs)>;
    explicit MainTimers(const Factory& make);

    // nullptr for an unknown name.
    Timer* byName(const QString& name) const;

    Timer& refreshTimer() const { return *timers_[0]; }
    Timer& listUpdateTimer() const { return *timers_[1]; }
    Timer& sendTimer() const { return *timers_[2]; }
    Timer& countdownTimer() const { return *timers_[3]; }
    Timer& listDrawTimer() const { return *timers_[4]; }
    Timer& detectionTimer() const { return *timers_[5]; }
    Timer& atBeginTimer() const { return *timers_[6]; }

  private:
    std::array<std::unique_ptr<Timer>, kTable.size()> timers_;
};

}  // namespace fv
