// Facts about the simulated router itself.
#include "RouterProfile.h"

namespace routersim {

RouterFacts RouterProfile::get() const {
    std::lock_guard lock(mutex_);
    return facts_;
}

void RouterProfile::update(const std::function<void(RouterFacts&)>& change) {
    std::lock_guard lock(mutex_);
    change(facts_);
}

}  // namespace routersim
