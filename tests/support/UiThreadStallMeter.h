// The longest time the UI thread spent between two ticks of a 10 ms timer, not counting the
// time it waited for a CPU (from the kernel's schedstat): what the client itself held the
// thread for, computing or blocked, whatever else the machine is running. A hold longer than
// the bound also leaves the thread's stack and kernel wait channel, sampled while it lasted,
// so that a failure says where the thread was.
#pragma once

#include <QElapsedTimer>
#include <QTimer>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

namespace fv::test {

class UiThreadStallMeter {
  public:
    explicit UiThreadStallMeter(qint64 boundMs);
    ~UiThreadStallMeter();
    UiThreadStallMeter(const UiThreadStallMeter&) = delete;
    UiThreadStallMeter& operator=(const UiThreadStallMeter&) = delete;

    qint64 longestMs() const { return longest_; }
    // Where the thread was during the longest hold above the bound; empty when none was.
    const std::string& longestHoldSample() const { return longestSample_; }

  private:
    void tick();
    void watch();

    const qint64 boundMs_;
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 waited_ = 0;
    qint64 longest_ = 0;
    std::string longestSample_;
    std::atomic<qint64> lastTickMs_{0};
    std::atomic<bool> stop_{false};
    std::mutex sampleMutex_;
    std::string watchSample_;  // what the watchdog read about the thread while it was held
    std::thread watchdog_;
};

}  // namespace fv::test
