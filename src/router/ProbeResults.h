// What the application-list probe learnt, shared by the probe (writer, any thread), the login
// (service level) and the service test (port). Process-wide in the running program.
#pragma once

#include <functional>
#include <mutex>
#include <string>

namespace fv {

struct ProbeState {
    std::string servicePort;         // emptied before each probe
    std::string installed;           // "yes"/"no"; kept when a probe finds no service line
    std::string enabled;             // likewise
    std::string version;             // likewise; only the direct probe reads it
    bool connectionRefused = false;  // set by a refused direct probe, never cleared here
};

class ProbeResults {
  public:
    ProbeState get() const;
    void set(const ProbeState& state);
    // Runs edit under the lock; edit must not block or call back.
    void edit(const std::function<void(ProbeState&)>& edit);

    // The value of the version's leading decimal digits, 0 without any.
    int serviceLevel() const;

  private:
    mutable std::mutex mutex_;
    ProbeState state_;
};

// Leading decimal digits of text as a number (0 when none; saturates instead of overflowing).
int serviceLevelOf(const std::string& version);

}  // namespace fv
