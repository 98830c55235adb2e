// The version check at start, as the update capability offers it to start-up.
#pragma once

namespace fv {

class VersionCheckStarter {
  public:
    virtual ~VersionCheckStarter() = default;
    // The About page's box ChkBox_ChkVerAtStart_About.
    virtual bool checkAtStartTicked() const = 0;
    virtual void startVersionCheck() = 0;
};

}  // namespace fv
