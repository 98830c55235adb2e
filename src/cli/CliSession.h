// What every command of fvctl works on, set up the way the window sets itself up: the
// client's one assembly (ClientCore) with hand-driven timers and requests run in place, the
// setup fields read from the settings file and the connection record filled by the start-up
// rule. One per run; main thread only.
#pragma once

#include <QString>

#include "app/ClientCore.h"
#include "tasks/StandardRouterGateway.h"

namespace fv::cli {

class CliSession {
  public:
    CliSession();
    CliSession(const CliSession&) = delete;
    CliSession& operator=(const CliSession&) = delete;

    // Reads the settings file; false (with the reason) when there is none to read.
    bool load(QString* error);

    ClientCore& core() { return core_; }
    FormState& fields() { return core_.setupForm(); }
    SettingsRecords& records() { return core_.records(); }
    const RouterContext& context() const { return core_.routerContext(); }
    StandardRouterGateway& gateway() { return core_.gateway(); }

  private:
    ClientCore core_;
};

}  // namespace fv::cli
