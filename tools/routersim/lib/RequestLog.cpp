// Every request any listener received, in arrival order.
#include "RequestLog.h"

namespace routersim {

namespace {
// Long demo runs must not grow without bound; tests stay far below this.
constexpr std::size_t kMaxEntries = 10000;
}  // namespace

void RequestLog::add(const Request& request) {
    std::lock_guard lock(mutex_);
    if (requests_.size() >= kMaxEntries)
        requests_.erase(requests_.begin());
    requests_.push_back(request);
}

std::vector<Request> RequestLog::all() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

void RequestLog::clear() {
    std::lock_guard lock(mutex_);
    requests_.clear();
}

}  // namespace routersim
