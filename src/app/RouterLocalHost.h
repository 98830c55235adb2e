// The host name under which the router's file share answers in the home network. The original
// used one fixed name of the maker's; here it is configurable, because a Linux desktop only
// resolves what its own DNS or /etc/hosts knows. FV_ROUTER_LOCAL_HOST sets it ("host" or
// "host:port", e.g. "router.lan" or "127.0.0.1:4455"); without it the connection's server
// address is used, which in local mode is the router's address in the home network.
#pragma once

#include <QString>

namespace fv {

class RouterLocalHost {
  public:
    static constexpr const char* kVariable = "FV_ROUTER_LOCAL_HOST";

    // The configured value; empty when none is set.
    static QString configured();
    // configured when not empty, else serverAddress; trimmed.
    static QString effective(const QString& configured, const QString& serverAddress);
};

}  // namespace fv
