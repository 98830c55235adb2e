// SetupFileMissing: without a settings file the first-run wizard takes over, unless a window
// titled "Information" is open (a message box the user still has to answer).
#pragma once

#include <functional>

namespace fv {

class MainWindowView;
class StartupHooks;

class SetupFileCheck {
  public:
    // settingsFilePresent: the settings file exists (fileExists).
    SetupFileCheck(std::function<bool()> settingsFilePresent, const MainWindowView& view,
                   StartupHooks& hooks);

    // True when the file is missing, whether or not the wizard was started.
    bool setupFileMissing() const;

  private:
    std::function<bool()> settingsFilePresent_;
    const MainWindowView& view_;
    StartupHooks& hooks_;
};

}  // namespace fv
