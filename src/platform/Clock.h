// Millisecond clock behind an interface, so timing rules can be tested without sleeping.
#pragma once

#include <cstdint>

namespace fv {

class Clock {
  public:
    virtual ~Clock() = default;
    virtual int64_t nowMs() const = 0;
};

// The steady clock of this system (the original read the system tick count).
class SteadyClock final : public Clock {
  public:
    int64_t nowMs() const override;
};

// A clock tests move by hand.
class ManualClock final : public Clock {
  public:
    int64_t nowMs() const override { return now_; }
    void advance(int64_t ms) { now_ += ms; }

  private:
    int64_t now_ = 0;
};

}  // namespace fv
