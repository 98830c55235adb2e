// The general-settings read of every refresh tick: the service's download folder (item 6)
// and the router's device name (item 15). A redirect (307: the session expired) ends the
// session so the next request logs in again.
#pragma once

#include <string_view>

#include "router/SettingsRecords.h"
#include "tasks/GeneralSettingsValues.h"
#include "tasks/RouterGateway.h"

namespace fv {

class GeneralSettingsRead {
  public:
    static constexpr int kTimeoutMs = 2000;
    static constexpr const char* kPath =
        "//ferrovane//fv_apply.cgi?action_mode=initial&download_type=General";

    GeneralSettingsRead(RouterGateway& gateway, SettingsRecords& records,
                        GeneralSettingsValues& values)
        : gateway_(gateway), records_(records), values_(values) {}

    // True when the router answered.
    bool execute();

    // Replaces the values from a reply of at least 16 items; keeps them otherwise.
    static void parseReturnText(std::string_view text, GeneralSettingsValues& values);

  private:
    RouterGateway& gateway_;
    SettingsRecords& records_;
    GeneralSettingsValues& values_;
};

}  // namespace fv
