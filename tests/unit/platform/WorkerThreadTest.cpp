#include "platform/WorkerThread.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <atomic>

#include <gtest/gtest.h>

namespace fv {
namespace {

void pumpUntil(const std::function<bool()>& condition, int timeoutMs = 5000) {
    QElapsedTimer t;
    t.start();
    while (!condition() && t.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
}

TEST(WorkerThread, DoneRunsOnReceiverThreadWithResult) {
    QObject receiver;
    Qt::HANDLE workThread = nullptr;
    Qt::HANDLE doneThread = nullptr;
    int value = 0;
    WorkerThread::run<int>(
        &receiver,
        [&] {
            workThread = QThread::currentThreadId();
            return 42;
        },
        [&](int v) {
            doneThread = QThread::currentThreadId();
            value = v;
        });
    pumpUntil([&] { return value != 0; });
    EXPECT_EQ(value, 42);
    EXPECT_EQ(doneThread, QThread::currentThreadId());
    EXPECT_NE(workThread, doneThread);
}

TEST(WorkerThread, DoneDroppedWhenReceiverIsGone) {
    std::atomic<bool> release{false};
    bool doneRan = false;
    {
        QObject receiver;
        WorkerThread::start(
            &receiver,
            [&] {
                while (!release)
                    QThread::msleep(1);
            },
            [&] { doneRan = true; });
    }
    release = true;
    EXPECT_TRUE(WorkerThread::waitForAll(5000));
    pumpUntil([] { return false; }, 200);
    EXPECT_FALSE(doneRan);
}

TEST(WorkerThread, ExceptionInWorkIsContained) {
    QObject receiver;
    bool doneRan = false;
    WorkerThread::start(
        &receiver, [] { throw std::runtime_error("boom"); }, [&] { doneRan = true; });
    pumpUntil([&] { return doneRan; });
    EXPECT_TRUE(doneRan);
    EXPECT_EQ(WorkerThread::running(), 0);
}

// A slow router holds a job for minutes; others (the next refresh, a settings read) must not
// queue behind it, however few cores the machine has.
TEST(WorkerThread, BlockedJobsDoNotHoldBackOthers) {
    constexpr int kJobs = 12;
    QObject receiver;
    std::atomic<int> started{0};
    std::atomic<bool> release{false};
    for (int i = 0; i < kJobs; ++i)
        WorkerThread::start(&receiver, [&] {
            ++started;
            while (!release)
                QThread::msleep(1);
        });
    pumpUntil([&] { return started == kJobs; });
    EXPECT_EQ(started, kJobs);
    release = true;
    EXPECT_TRUE(WorkerThread::waitForAll(5000));
}

// Jobs one after another run on kept threads rather than a new thread each. A thread's own
// storage tells a fresh thread from a kept one (thread ids are reused). The first round
// makes sure every thread kept from earlier jobs has run this one once.
TEST(WorkerThread, SequentialJobsReuseThreads) {
    QObject receiver;
    std::atomic<int> freshThreads{0};
    auto runOne = [&] {
        bool done = false;
        WorkerThread::start(
            &receiver,
            [&freshThreads] {
                thread_local bool seen = false;
                if (!seen)
                    ++freshThreads;
                seen = true;
            },
            [&] { done = true; });
        pumpUntil([&] { return done; });
        return done;
    };
    for (int i = 0; i < 70; ++i)
        ASSERT_TRUE(runOne());
    freshThreads = 0;
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(runOne());
    EXPECT_LE(freshThreads, 3);
}

}  // namespace
}  // namespace fv
