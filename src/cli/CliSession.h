// What every command of fvctl works on: the client's one assembly (ClientCore) with
// hand-driven timers and requests run in place, and the connection record filled from the
// settings file by the start-up rule without going through the setup fields. One per run;
// main thread only.
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
    // The setup fields showing the stored connection and BitTorrent columns (the connection
    // test reads its account and address there and reports on their labels). They are
    // filled on first use; the commands that do not need them never build them.
    FormState& fields();
    SettingsRecords& records() { return core_.records(); }
    const RouterContext& context() const { return core_.routerContext(); }
    StandardRouterGateway& gateway() { return core_.gateway(); }

  private:
    ClientCore core_;
    StartupSettings stored_;
    bool fieldsShown_ = false;
};

}  // namespace fv::cli
