// What every router command of fvctl needs, set up the way the window sets itself up: the
// setup fields read from the settings file, the connection record filled by the start-up
// rule, and the router context and gateway over them. One per run; main thread only.
#pragma once

#include <QString>
#include <memory>

#include "platform/FormState.h"
#include "router/RouterContext.h"
#include "router/SettingsRecords.h"
#include "settings/SetupDocument.h"
#include "settings/SetupFieldRules.h"
#include "tasks/StandardRouterGateway.h"

namespace fv::cli {

class CliSession {
  public:
    CliSession();
    CliSession(const CliSession&) = delete;
    CliSession& operator=(const CliSession&) = delete;

    // Reads the settings file; false (with the reason) when there is none to read.
    bool load(QString* error);

    FormState& fields() { return fields_; }
    SettingsRecords& records() { return records_; }
    const RouterContext& context() const { return ctx_; }
    StandardRouterGateway& gateway() { return gateway_; }

  private:
    FormState fields_;
    SetupFieldRules rules_;
    SettingsRecords records_;
    SetupDocument document_;
    RouterContext ctx_;
    StandardRouterGateway gateway_;
};

}  // namespace fv::cli
