// Thread-safe holder of one listener's faults; tests flip them while the listener runs.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

#include "Faults.h"

namespace routersim {

class FaultSwitches {
  public:
    void set(const Faults& faults);
    void clear();
    // The faults as set (default values when none are).
    Faults current() const;
    // The faults for a request with this target and method, counting it against `remaining`.
    Faults take(const std::string& target, const std::string& method = {});

    // Refused connections: the listening socket is closed while this is on. The switch takes
    // effect before setRefuse returns, so tests need not wait for it.
    void setRefuse(bool on);
    bool refusing() const { return refuse_; }
    // The listener that carries out the refuse switch (null to stop following).
    void follow(std::function<void(bool)> follower);

  private:
    mutable std::mutex mutex_;
    std::optional<Faults> faults_;
    std::atomic<bool> refuse_{false};
    std::function<void(bool)> follower_;
};

}  // namespace routersim
