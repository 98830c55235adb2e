// The three facts the general-settings read keeps for the rest of the run: the router's
// device name and where the service downloads to. Written by the worker, read on the UI
// thread by the share access and the connection apply; guarded by one mutex.
#pragma once

#include <QString>
#include <mutex>

namespace fv {

class GeneralSettingsValues {
  public:
    struct Values {
        QString DownloadDisk;
        QString DownloadFolder;
        QString GeneralRouterName;
        bool operator==(const Values&) const = default;
    };

    Values get() const {
        std::lock_guard lock(mutex_);
        return values_;
    }
    void set(const Values& values) {
        std::lock_guard lock(mutex_);
        values_ = values;
    }

  private:
    mutable std::mutex mutex_;
    Values values_;
};

}  // namespace fv
