// The read of the router-side BitTorrent and NZB settings from the service's settings
// script: two GETs, each parsed into its record. Logs in first when no session is held.
//
// Built on the caller's thread, where it copies the connection and both records; execute()
// blocks (run it on a worker) and stores each record that was read back into the records.
#pragma once

#include <string>

#include "router/FailureKind.h"
#include "router/RouterContext.h"
#include "router/SettingsRecords.h"

namespace fv {

class RouterSettingsRead {
  public:
    static constexpr const char* kBtPath =
        "//ferrovane//fv_apply.cgi?action_mode=initial&download_type=BT";
    static constexpr const char* kNzbPath =
        "//ferrovane//fv_apply.cgi?action_mode=initial&download_type=NZB";

    struct Result {
        bool btRead = false;
        bool nzbRead = false;
        // The first failed exchange's outcome (None when both answered).
        FailureKind failure = FailureKind::None;
        std::string failureText;
        bool complete() const { return btRead && nzbRead; }
    };

    explicit RouterSettingsRead(const RouterContext& ctx);

    Result execute();

    // The values after execute(): what was read, or the copies taken at construction.
    const RouterBtSettings& bt() const { return bt_; }
    const RouterNzbSettings& nzb() const { return nzb_; }

  private:
    // One GET; true with the reply's lines joined in text.
    bool fetch(const char* path, std::string& text, Result& result);

    RouterContext ctx_;
    ConnectionProfile conn_;
    RouterBtSettings bt_;
    RouterNzbSettings nzb_;
};

}  // namespace fv
