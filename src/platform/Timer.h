// A named timer behind an interface: logic arms and disarms timers by the original's names
// (TimerGetFVPage, TimerBlackLV, ...); the app gives it Qt timers, tests give it ManualTimer.
#pragma once

#include <QTimer>
#include <functional>
#include <memory>

namespace fv {

class Timer {
  public:
    virtual ~Timer() = default;
    virtual void setInterval(int ms) = 0;
    virtual int interval() const = 0;
    virtual void setEnabled(bool on) = 0;
    virtual bool enabled() const = 0;
    // The handler runs on the owner's thread each time the interval elapses while enabled.
    virtual void setHandler(std::function<void()> handler) = 0;
};

// Qt's timer; default interval 1000 ms like the original framework's.
class QtTimer final : public Timer {
  public:
    explicit QtTimer(int intervalMs = 1000);
    void setInterval(int ms) override;
    int interval() const override;
    void setEnabled(bool on) override;
    bool enabled() const override;
    void setHandler(std::function<void()> handler) override;

  private:
    QTimer timer_;
    std::function<void()> handler_;
};

// Driven by the test: fire() runs the handler when enabled.
class ManualTimer final : public Timer {
  public:
    explicit ManualTimer(int intervalMs = 1000) : interval_(intervalMs) {}
    void setInterval(int ms) override { interval_ = ms; }
    int interval() const override { return interval_; }
    void setEnabled(bool on) override { enabled_ = on; }
    bool enabled() const override { return enabled_; }
    void setHandler(std::function<void()> handler) override { handler_ = std::move(handler); }

    // Returns false (and does nothing) while disabled.
    bool fire() {
        if (!enabled_ || !handler_)
            return false;
        handler_();
        return true;
    }

  private:
    int interval_;
    bool enabled_ = false;
    std::function<void()> handler_;
};

}  // namespace fv
