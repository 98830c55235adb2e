// Every request any listener received, in arrival order.
#include "RequestLog.h"

namespace routersim {

namespace {
// Long demo runs must not grow without bound; tests stay far below this.
constexpr std::size_t kMaxEntries = 10000;
// Bodies beyond this are kept only in part; no test looks further into an upload.
constexpr std::size_t kMaxBodyKept = 4 * 1024 * 1024;
}  // namespace

void RequestLog::add(const Request& request) {
    std::lock_guard lock(mutex_);
    if (requests_.size() >= kMaxEntries)
        requests_.erase(requests_.begin());
    requests_.push_back(request);
    if (requests_.back().body.size() > kMaxBodyKept)
        requests_.back().body.resize(kMaxBodyKept);
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
