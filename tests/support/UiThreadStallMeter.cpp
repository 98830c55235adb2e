#include "UiThreadStallMeter.h"

#include <execinfo.h>
#include <pthread.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <QFile>

#include <csignal>
#include <cstdlib>

namespace fv::test {
namespace {

// One meter at a time: the signal handler writes where the UI thread stands into these.
constexpr int kMaxFrames = 48;
void* g_frames[kMaxFrames];
std::atomic<int> g_frameCount{0};

void sampleStack(int) {
    g_frameCount = backtrace(g_frames, kMaxFrames);
}

qint64 steadyMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

qint64 runQueueWaitMs() {
    QFile stat(QStringLiteral("/proc/thread-self/schedstat"));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = stat.readAll().simplified().split(' ');
    return fields.size() >= 2 ? fields[1].toLongLong() / 1000000 : 0;
}

std::string readText(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll().trimmed().toStdString() : std::string();
}

std::string symbolizedStack() {
    const int count = g_frameCount.exchange(0);
    if (count <= 0)
        return {};
    std::string text;
    char** names = backtrace_symbols(g_frames, count);
    for (int i = 0; names && i < count; ++i)
        text += std::string("  ") + names[i] + "\n";
    std::free(names);
    return text;
}

}  // namespace

UiThreadStallMeter::UiThreadStallMeter(qint64 boundMs) : boundMs_(boundMs) {
    std::signal(SIGUSR2, sampleStack);
    g_frameCount = 0;
    clock_.start();
    waited_ = runQueueWaitMs();
    lastTickMs_ = steadyMs();
    const pthread_t ui = pthread_self();
    const long uiTid = ::syscall(SYS_gettid);
    watchdog_ = std::thread([this, ui, uiTid] {
        const QString wchan = QStringLiteral("/proc/self/task/%1/wchan").arg(uiTid);
        const QString kernelStack = QStringLiteral("/proc/self/task/%1/stack").arg(uiTid);
        qint64 sampledFor = -1;
        while (!stop_) {
            ::usleep(5000);
            const qint64 last = lastTickMs_;
            if (steadyMs() - last > boundMs_ && sampledFor != last) {
                sampledFor = last;
                pthread_kill(ui, SIGUSR2);
                // The kernel's side says whether the thread sleeps, and on what (the stack
                // only for root).
                std::string kernel =
                    "kernel wait channel: " + readText(wchan) + "\n" + readText(kernelStack);
                const std::lock_guard lock(sampleMutex_);
                watchSample_ = std::move(kernel);
            }
        }
    });
    QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
    timer_.start(10);
}

UiThreadStallMeter::~UiThreadStallMeter() {
    stop_ = true;
    watchdog_.join();
    std::signal(SIGUSR2, SIG_DFL);
}

void UiThreadStallMeter::tick() {
    const qint64 waited = runQueueWaitMs();
    const qint64 held = clock_.restart() - (waited - waited_);
    waited_ = waited;
    lastTickMs_ = steadyMs();
    std::string stack = symbolizedStack();
    if (held > longest_) {
        longest_ = held;
        if (held > boundMs_) {
            const std::lock_guard lock(sampleMutex_);
            longestSample_ = "held " + std::to_string(held) + " ms; " + watchSample_ +
                             "\nUI thread stack during the hold:\n" + stack;
        }
    }
}

}  // namespace fv::test
