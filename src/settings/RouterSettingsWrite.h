// The write of the router-side BitTorrent (kind 1) or NZB (kind 2) settings through the
// service's settings script: one GET whose query carries every value of the record. Never
// logs in (the session line is sent as it is); the set-up pages read first, which does.
//
// Built on the caller's thread, where it copies the connection and the record of its kind;
// execute() blocks (run it on a worker).
#pragma once

#include <QString>
#include <string>

#include "router/FailureKind.h"
#include "router/RouterContext.h"
#include "router/SettingsRecords.h"

namespace fv {

class RouterSettingsWrite {
  public:
    enum Kind : int { BitTorrent = 1, Nzb = 2 };

    struct Result {
        bool written = false;
        FailureKind failure = FailureKind::None;
        std::string failureText;
    };

    RouterSettingsWrite(const RouterContext& ctx, int kind);

    Result execute();

    // The path and query of the apply request for kind 1 or 2 (empty for any other kind),
    // each value percent-encoded. With maskPassword the NZB password reads "****" (for the
    // log line).
    static std::string applyPath(int kind, const RouterBtSettings& bt, const RouterNzbSettings& nzb,
                                 const std::string& cacheBreaker, bool maskPassword = false);

  private:
    RouterContext ctx_;
    int kind_;
    ConnectionProfile conn_;
    RouterBtSettings bt_;
    RouterNzbSettings nzb_;
};

// The value's UTF-8 bytes with everything but the unreserved characters of RFC 3986
// (A-Z a-z 0-9 - . _ ~) written as %XX, so no value can end its parameter, start another or
// cut the query short.
std::string encodeQueryValue(const QString& value);

}  // namespace fv
