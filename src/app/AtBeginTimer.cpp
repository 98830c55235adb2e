#include "app/AtBeginTimer.h"

#include "app/VersionCheckStarter.h"
#include "platform/DebugLog.h"
#include "platform/Timer.h"

namespace fv {

AtBeginTimer::AtBeginTimer(Timer& timer, VersionCheckStarter* checker)
    : timer_(timer), checker_(checker) {}

void AtBeginTimer::start() {
    timer_.setInterval(1000);
    timer_.setHandler([this] { onTick(); });
    timer_.setEnabled(true);
}

void AtBeginTimer::onTick() {
    DebugLog::write("TimerAtBeginTimer()");
    timer_.setEnabled(false);
    if (checker_ && checker_->checkAtStartTicked())
        checker_->startVersionCheck();
}

}  // namespace fv
