// Starts work off the UI thread and runs done on it afterwards. The app uses worker threads;
// tests use a runner they step by hand, so the cycle's order of events is deterministic.
#pragma once

#include <QObject>
#include <functional>

namespace fv {

class TaskRunner {
  public:
    virtual ~TaskRunner() = default;
    virtual void run(std::function<void()> work, std::function<void()> done) = 0;
};

// Runs the work at once on the caller's thread, then done: for a command-line process that
// has nothing else to do while a request runs.
class InlineTaskRunner final : public TaskRunner {
  public:
    void run(std::function<void()> work, std::function<void()> done) override {
        if (work)
            work();
        if (done)
            done();
    }
};

// A self-freeing worker thread per job; done is queued to receiver's thread.
class WorkerThreadRunner final : public TaskRunner {
  public:
    explicit WorkerThreadRunner(QObject* receiver) : receiver_(receiver) {}
    void run(std::function<void()> work, std::function<void()> done) override;

  private:
    QObject* receiver_;
};

}  // namespace fv
