#include "router/AppListFetch.h"

#include <QPointer>

#include <memory>

#include "router/AppListProbe.h"
#include "router/SetupControlNames.h"

namespace fv {

AppListProbeOutcome AppListFetch::run(const RouterContext& ctx) {
    const QString host = ctx.records->connection().ServerAddress;
    const AspPageParse parse = probeAppList(ctx, host);
    AppListProbeOutcome outcome;
    outcome.serviceLineRead = parse.serviceLineFound && parse.complete;
    outcome.enabled = ctx.probe->get().enabled;
    return outcome;
}

void AppListFetch::start(TaskRunner& runner, const RouterContext& ctx, FormState& setup) {
    QPointer<FormState> form(&setup);
    auto outcome = std::make_shared<AppListProbeOutcome>();
    runner.run([ctx, outcome] { *outcome = run(ctx); },
               [form, outcome] {
                   if (form)
                       onAppListProbed(*form, *outcome);
               });
}

void onAppListProbed(FormState& setup, const AppListProbeOutcome& outcome) {
    if (!outcome.serviceLineRead)
        return;
    showServiceState(setup, outcome.enabled == "yes");
}

void showServiceState(FormState& setup, bool enable) {
    const char* chosen = enable ? setup_names::ServiceEnable : setup_names::ServiceDisable;
    const char* other = enable ? setup_names::ServiceDisable : setup_names::ServiceEnable;
    if (setup.checked(chosen))
        return;
    setup.setChecked(chosen, true);
    setup.setChecked(other, false);
    setup.click(chosen);
}

}  // namespace fv
