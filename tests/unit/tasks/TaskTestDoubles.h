// Fakes for the task layer's seams: a scripted router, a runner stepped by hand and a queue.
#pragma once

#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "ClassifiedReply.h"
#include "tasks/QueueRowSource.h"
#include "tasks/RouterGateway.h"
#include "platform/TaskRunner.h"

namespace fv::test {

// Answers each request with the reply chosen by a rule on its path, its outcome classified
// from the reply's texts; records every request.
class FakeGateway final : public RouterGateway {
  public:
    using Rule = std::function<RouterReply(const RouterRequest&)>;

    explicit FakeGateway(Rule rule = {}) : rule_(std::move(rule)) {}

    RouterReply get(const RouterRequest& request) override {
        Rule rule;
        {
            std::lock_guard lock(mutex_);
            requests_.push_back(request);
            rule = rule_;
        }
        return classified(rule ? rule(request) : RouterReply{}, request.expectsReport);
    }
    std::string cacheBreaker() override { return "&t=7"; }

    void setRule(Rule rule) {
        std::lock_guard lock(mutex_);
        rule_ = std::move(rule);
    }
    std::vector<RouterRequest> requests() const {
        std::lock_guard lock(mutex_);
        return requests_;
    }
    std::vector<std::string> paths() const {
        std::vector<std::string> out;
        for (const RouterRequest& r : requests())
            out.push_back(r.pathAndQuery);
        return out;
    }
    void clearRequests() {
        std::lock_guard lock(mutex_);
        requests_.clear();
    }

    static RouterReply ok(std::string body) {
        RouterReply r;
        r.ok = true;
        r.body = std::move(body);
        r.statusText = "HTTP/1.1 200 OK";
        return r;
    }
    static RouterReply failure(std::string text) {
        RouterReply r;
        r.failureText = std::move(text);
        return r;
    }

  private:
    mutable std::mutex mutex_;
    Rule rule_;
    std::vector<RouterRequest> requests_;
};

// Jobs wait until the test runs them; work and done then run on the test's thread.
class ManualRunner final : public TaskRunner {
  public:
    void run(std::function<void()> work, std::function<void()> done) override {
        jobs_.push_back({std::move(work), std::move(done)});
    }
    size_t pending() const { return jobs_.size(); }
    // Runs the oldest job (work, then done); false when none waits.
    bool runNext() { return runAt(0); }
    bool runAt(size_t index) {
        if (index >= jobs_.size())
            return false;
        Job job = std::move(jobs_[index]);
        jobs_.erase(jobs_.begin() + static_cast<std::ptrdiff_t>(index));
        if (job.work)
            job.work();
        if (job.done)
            job.done();
        return true;
    }
    // Runs jobs, also those started by done callbacks, until none is left.
    void runAll() {
        while (runNext()) {
        }
    }

  private:
    struct Job {
        std::function<void()> work;
        std::function<void()> done;
    };
    std::deque<Job> jobs_;
};

class FakeQueue final : public QueueRowSource {
  public:
    // Rows without an id are named by their position + 1.
    std::vector<QueueRow> rows;
    std::vector<uint64_t> removedIds;

    std::vector<QueueRow> queueRows() const override {
        std::vector<QueueRow> out = rows;
        for (size_t i = 0; i < out.size(); ++i)
            if (out[i].entryId == 0)
                out[i].entryId = i + 1;
        return out;
    }
    void removeQueuedEntry(uint64_t entryId) override {
        removedIds.push_back(entryId);
        const auto all = queueRows();
        for (size_t i = 0; i < all.size(); ++i) {
            if (all[i].entryId == entryId) {
                rows.erase(rows.begin() + std::ptrdiff_t(i));
                return;
            }
        }
    }
};

// One task line of the report as the router writes it.
inline std::string taskLine(const std::string& id, const std::string& name,
                            const std::string& progress = "0.5", const std::string& size = "1.2 GB",
                            const std::string& status = "Downloading",
                            const std::string& type = "BT") {
    std::vector<std::string> items = {id,        name,     progress, size,  status, type, "f6",
                                      "10 KBps", "2 KBps", "f9",     "f10", "f11",  "f12"};
    std::string line = "[";
    for (size_t i = 0; i < items.size(); ++i) {
        if (i)
            line += ",";
        line += "\"" + items[i] + "\"";
    }
    return line + "]";
}

}  // namespace fv::test
