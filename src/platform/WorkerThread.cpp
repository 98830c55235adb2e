#include "platform/WorkerThread.h"

#include <QThread>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "platform/DebugLog.h"

namespace fv {
namespace {

std::mutex gMutex;
std::condition_variable gIdle;
int gRunning = 0;

void finishedOne() {
    std::lock_guard lock(gMutex);
    --gRunning;
    if (gRunning == 0)
        gIdle.notify_all();
}

}  // namespace

void WorkerThread::start(QObject* receiver, std::function<void()> work,
                         std::function<void()> done) {
    {
        std::lock_guard lock(gMutex);
        ++gRunning;
    }
    QThread* thread = QThread::create([work = std::move(work)] {
        // Failures are values: nothing may leave a worker.
        try {
            work();
        } catch (const std::exception& e) {
            DebugLog::write(std::string("WorkerThread - E.Message = ") + e.what());
        } catch (...) {
            DebugLog::write("WorkerThread - E.Message = unknown");
        }
        finishedOne();
    });
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    // Queued to the receiver's thread; Qt drops the call when the receiver is destroyed first.
    if (receiver && done)
        QObject::connect(thread, &QThread::finished, receiver, std::move(done));
    thread->start();
}

int WorkerThread::running() {
    std::lock_guard lock(gMutex);
    return gRunning;
}

bool WorkerThread::waitForAll(int timeoutMs) {
    std::unique_lock lock(gMutex);
    return gIdle.wait_for(lock, std::chrono::milliseconds(timeoutMs), [] { return gRunning == 0; });
}

}  // namespace fv
