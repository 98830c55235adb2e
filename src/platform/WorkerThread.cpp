#include "platform/WorkerThread.h"

#include <QThreadPool>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "platform/DebugLog.h"
#include "platform/WorkRelay.h"

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

// A refresh starts a few jobs every few seconds; keeping their threads spares a thread start
// and end (and its event dispatcher) per request. Jobs may block for minutes on a slow
// router, so the pool is wide enough never to queue one behind another in practice.
constexpr int kMaxWorkers = 64;
constexpr int kIdleThreadMs = 60000;

QThreadPool& workerPool() {
    // Never destroyed: a job may still be finishing while statics are torn down at exit.
    static QThreadPool* pool = [] {
        auto* made = new QThreadPool;
        made->setMaxThreadCount(kMaxWorkers);
        made->setExpiryTimeout(kIdleThreadMs);
        return made;
    }();
    return *pool;
}

}  // namespace

void WorkerThread::start(QObject* receiver, std::function<void()> work,
                         std::function<void()> done) {
    {
        std::lock_guard lock(gMutex);
        ++gRunning;
    }
    // Made on the caller's thread so the connection to receiver is too; Qt drops the queued
    // call when the receiver is destroyed before it runs. Without a receiver there is nothing
    // to carry (and the caller may be a thread whose events nobody processes).
    WorkRelay* relay = receiver && done ? new WorkRelay : nullptr;
    if (relay)
        QObject::connect(relay, &WorkRelay::finished, receiver, std::move(done));
    workerPool().start([work = std::move(work), relay] {
        // Failures are values: nothing may leave a worker.
        try {
            work();
        } catch (const std::exception& e) {
            DebugLog::write(std::string("WorkerThread - E.Message = ") + e.what());
        } catch (...) {
            DebugLog::write("WorkerThread - E.Message = unknown");
        }
        finishedOne();
        if (relay) {
            emit relay->finished();
            relay->deleteLater();
        }
    });
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
