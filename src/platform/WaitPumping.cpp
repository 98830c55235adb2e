#include "platform/WaitPumping.h"

#include <QCoreApplication>
#include <QThread>

#include "platform/Clock.h"

namespace fv {

void waitPumpingEvents(int milliseconds, bool pump, const Clock& clock,
                       const std::function<void(bool)>& pass) {
    const int64_t start = clock.nowMs();
    while (clock.nowMs() - start <= milliseconds)
        pass(pump);
}

void waitPumpingEvents(int milliseconds, bool pump) {
    static const SteadyClock clock;
    waitPumpingEvents(milliseconds, pump, clock, [](bool pumping) {
        if (pumping) {
            QThread::msleep(10);
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        } else {
            // The original spun without sleeping; a 1 ms nap keeps the result and frees the core.
            QThread::msleep(1);
        }
    });
}

}  // namespace fv
