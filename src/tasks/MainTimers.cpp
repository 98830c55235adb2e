#include "tasks/MainTimers.h"

namespace fv {

MainTimers::MainTimers(const Factory& make) {
    for (size_t i = 0; i < kTable.size(); ++i) {
        timers_[i] = make(kTable[i].initialIntervalMs);
        timers_[i]->setInterval(kTable[i].initialIntervalMs);
        timers_[i]->setEnabled(kTable[i].enabledFromStart);
    }
}

Timer* MainTimers::byName(const QString& name) const {
    for (size_t i = 0; i < kTable.size(); ++i) {
        if (name == QLatin1String(kTable[i].name))
            return timers_[i].get();
    }
    return nullptr;
}

}  // namespace fv
