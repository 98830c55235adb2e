// The client's one assembly (ClientCore) as the end-to-end tests drive it: every timer is a
// manual one fired by the test and every worker runs when the test steps the runner, so each
// tick is deterministic while the requests are real exchanges with the simulated router.
#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "../unit/tasks/TaskTestDoubles.h"
#include "app/ClientCore.h"

namespace fv::test {

class ManualClientCore {
  public:
    // settingsFolder: where the core looks for FVSetup.xml and keeps FVTask.xml. adjust may
    // change the remaining options (the service switch's library calls, say).
    explicit ManualClientCore(const QString& settingsFolder,
                              const std::function<void(ClientCore::Options&)>& adjust = {})
        : core_(options(settingsFolder, runner_, adjust)) {
        core_.queue().openTaskFile(settingsFolder + "/FVTask.xml");
    }

    ClientCore& core() { return core_; }
    ManualRunner& runner() { return *runner_; }
    ManualTimer& timer(Timer& t) { return static_cast<ManualTimer&>(t); }
    ManualTimer& refreshTimer() { return timer(core_.timers().refreshTimer()); }
    ManualTimer& sendTimer() { return timer(core_.timers().sendTimer()); }

  private:
    static ClientCore::Options options(const QString& folder, ManualRunner*& runner,
                                       const std::function<void(ClientCore::Options&)>& adjust) {
        ClientCore::Options o;
        o.makeTimer = [](int ms) { return std::make_unique<ManualTimer>(ms); };
        auto owned = std::make_unique<ManualRunner>();
        runner = owned.get();
        o.runner = std::move(owned);
        o.setupFilePath = folder + "/FVSetup.xml";
        if (adjust)
            adjust(o);
        return o;
    }

    ManualRunner* runner_ = nullptr;
    ClientCore core_;
};

}  // namespace fv::test
