// The original's responsive wait: spin on the millisecond clock until more than the given
// time has passed; when pumping, sleep 10 ms and handle pending events on each pass, so
// timers and socket events of this thread keep running inside the wait (callers must
// expect re-entrancy).
#pragma once

#include <functional>

namespace fv {

class Clock;

// Steady clock, Qt events of the calling thread.
void waitPumpingEvents(int milliseconds, bool pump);

// Injectable form for tests: pass runs once per loop turn (sleep + event processing).
void waitPumpingEvents(int milliseconds, bool pump, const Clock& clock,
                       const std::function<void(bool pump)>& pass);

}  // namespace fv
