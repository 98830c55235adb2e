#include "app/SetupFileCheck.h"

#include "app/MainWindowView.h"
#include "app/StartupHooks.h"

namespace fv {

SetupFileCheck::SetupFileCheck(std::function<bool()> settingsFilePresent,
                               const MainWindowView& view, StartupHooks& hooks)
    : settingsFilePresent_(std::move(settingsFilePresent)), view_(view), hooks_(hooks) {}

bool SetupFileCheck::setupFileMissing() const {
    if (settingsFilePresent_())
        return false;
    if (!view_.hasTopLevelWindowTitled(QStringLiteral("Information")))
        hooks_.startSetupWizard();
    return true;
}

}  // namespace fv
