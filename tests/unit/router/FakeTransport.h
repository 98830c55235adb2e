// A transport that answers from a script and keeps the requests, for outcomes a loopback
// server cannot produce quickly (a time-out at the login's fixed four seconds).
#pragma once

#include <mutex>
#include <vector>

#include "platform/HttpTransport.h"

namespace fv::test {

class FakeTransport final : public HttpTransport {
  public:
    explicit FakeTransport(std::vector<HttpResponse> script) : script_(std::move(script)) {}

    HttpResponse perform(const HttpRequest& request) override {
        std::lock_guard lock(mutex_);
        requests_.push_back(request);
        if (script_.empty())
            return {};
        const size_t i = std::min(requests_.size() - 1, script_.size() - 1);
        return script_[i];
    }
    std::vector<HttpRequest> requests() const {
        std::lock_guard lock(mutex_);
        return requests_;
    }

    static HttpResponse timedOut() {
        HttpResponse r;
        r.timedOut = true;
        r.failureText = "Read timed out.";
        return r;
    }

  private:
    mutable std::mutex mutex_;
    std::vector<HttpResponse> script_;
    std::vector<HttpRequest> requests_;
};

}  // namespace fv::test
