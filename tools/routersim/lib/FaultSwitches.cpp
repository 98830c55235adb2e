// Thread-safe holder of one listener's faults.
#include "FaultSwitches.h"

namespace routersim {

void FaultSwitches::set(const Faults& faults) {
    std::lock_guard lock(mutex_);
    faults_ = faults;
}

void FaultSwitches::clear() {
    {
        std::lock_guard lock(mutex_);
        faults_.reset();
    }
    setRefuse(false);
}

void FaultSwitches::setRefuse(bool on) {
    std::function<void(bool)> follower;
    {
        std::lock_guard lock(mutex_);
        refuse_ = on;
        follower = follower_;
    }
    if (follower)
        follower(on);
}

void FaultSwitches::follow(std::function<void(bool)> follower) {
    std::lock_guard lock(mutex_);
    follower_ = std::move(follower);
}

Faults FaultSwitches::current() const {
    std::lock_guard lock(mutex_);
    return faults_.value_or(Faults{});
}

Faults FaultSwitches::take(const std::string& target, const std::string& method) {
    std::lock_guard lock(mutex_);
    if (!faults_ || faults_->remaining == 0)
        return {};
    if (!faults_->onlyTarget.empty() && target.find(faults_->onlyTarget) == std::string::npos)
        return {};
    if (!faults_->exceptTarget.empty() && target.find(faults_->exceptTarget) != std::string::npos)
        return {};
    if (!faults_->onlyMethod.empty() && method != faults_->onlyMethod)
        return {};
    Faults active = *faults_;
    if (faults_->remaining > 0)
        --faults_->remaining;
    return active;
}

}  // namespace routersim
