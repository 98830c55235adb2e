#include "platform/TaskRunner.h"

#include "platform/WorkerThread.h"

namespace fv {

void WorkerThreadRunner::run(std::function<void()> work, std::function<void()> done) {
    WorkerThread::start(receiver_, std::move(work), std::move(done));
}

}  // namespace fv
