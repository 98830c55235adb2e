// Thread-safe holder of one listener's faults.
#include "FaultSwitches.h"

namespace routersim {

void FaultSwitches::set(const Faults& faults) {
    std::lock_guard lock(mutex_);
    faults_ = faults;
}

void FaultSwitches::clear() {
    std::lock_guard lock(mutex_);
    faults_.reset();
    refuse_ = false;
}

Faults FaultSwitches::current() const {
    std::lock_guard lock(mutex_);
    return faults_.value_or(Faults{});
}

Faults FaultSwitches::take(const std::string& target) {
    std::lock_guard lock(mutex_);
    if (!faults_ || faults_->remaining == 0)
        return {};
    if (!faults_->onlyTarget.empty() && target.find(faults_->onlyTarget) == std::string::npos)
        return {};
    Faults active = *faults_;
    if (faults_->remaining > 0)
        --faults_->remaining;
    return active;
}

}  // namespace routersim
