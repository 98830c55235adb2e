// The probe worker started when the setup pages are entered: probes the record's
// ServerAddress and, back on the UI thread, sets the connection page's service choice.
#pragma once

#include <QObject>
#include <string>

#include "platform/FormState.h"
#include "platform/TaskRunner.h"
#include "router/RouterContext.h"

namespace fv {

struct AppListProbeOutcome {
    bool serviceLineRead = false;  // this probe read a complete service line
    std::string enabled;           // the enabled flag after the probe
};

class AppListFetch {
  public:
    // ctx.probe is required. The probe runs through the client's runner; the callback runs
    // on setup's thread and is dropped when setup is gone by then.
    static void start(TaskRunner& runner, const RouterContext& ctx, FormState& setup);

    // The probe itself (the worker's body).
    static AppListProbeOutcome run(const RouterContext& ctx);
};

// The callback: selects "enable" when the flag is exactly "yes", otherwise "disable". A probe
// that read no service line leaves the choice alone, so a router that did not answer is
// never switched off. Selecting an option that was not selected runs its click handler.
void onAppListProbed(FormState& setup, const AppListProbeOutcome& outcome);

// Shows the router's service state on the two options. Selecting the option that was not
// selected runs its click handler, which switches the service to the same value; an option
// already selected is left alone and switches nothing.
void showServiceState(FormState& setup, bool enabled);

}  // namespace fv
