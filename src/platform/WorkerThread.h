// The original's self-freeing worker threads: work runs on a worker thread (kept for the next
// job a while), then the done callback runs on the receiver's thread (normally the UI thread). A
// worker never touches models, widgets or timers; it hands its result to done.
#pragma once

#include <QObject>
#include <functional>
#include <memory>

namespace fv {

class WorkerThread {
  public:
    // done is dropped when receiver has been destroyed meanwhile.
    static void start(QObject* receiver, std::function<void()> work,
                      std::function<void()> done = {});

    // Typed form: work's result is moved into done.
    template <typename Result>
    static void run(QObject* receiver, std::function<Result()> work,
                    std::function<void(Result)> done) {
        auto result = std::make_shared<Result>();
        start(
            receiver, [work = std::move(work), result] { *result = work(); },
            [done = std::move(done), result] {
                if (done)
                    done(std::move(*result));
            });
    }

    // Number of workers whose work has not returned yet.
    static int running();

    // Waits until every worker has finished its work, up to timeoutMs; true when all did.
    // Used at exit so no thread outlives the objects it reads.
    static bool waitForAll(int timeoutMs);
};

}  // namespace fv
