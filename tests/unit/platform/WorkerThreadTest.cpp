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

}  // namespace
}  // namespace fv
