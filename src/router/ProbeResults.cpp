#include "router/ProbeResults.h"

#include <climits>

namespace fv {

ProbeState ProbeResults::get() const {
    std::lock_guard lock(mutex_);
    return state_;
}

void ProbeResults::set(const ProbeState& state) {
    std::lock_guard lock(mutex_);
    state_ = state;
}

void ProbeResults::edit(const std::function<void(ProbeState&)>& edit) {
    std::lock_guard lock(mutex_);
    edit(state_);
}

int ProbeResults::serviceLevel() const {
    return serviceLevelOf(get().version);
}

int serviceLevelOf(const std::string& version) {
    long long value = 0;
    for (char c : version) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
        if (value > INT_MAX)
            return INT_MAX;
    }
    return static_cast<int>(value);
}

}  // namespace fv
