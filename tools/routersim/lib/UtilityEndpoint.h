// The router side of the utility library's protocol. The library POSTs one command line to
// "/pelutil.cgi" on the router's standard web port (or its TLS authentication port) with Basic
// authorisation of the router account; the reply body is one line, "OK" with values or
// "ERR <code> <text>". Commands:
//   AUTH                     account check
//   TRACK                    start of a tracked session
//   WANCONFIG                "OK <wan> <mask> <gateway> <dns1> <dns2>" (dotted IPv4)
//   APILEVEL                 "OK <digit>"
//   DDNSSERVICE <0|1> <host> switch the maker's DDNS name on or off
//   DDNSCONFIG <json>        one-line JSON with ddns_enable_x, ddns_server_x, ddns_hostname_x
//   RESTART                  restart the DDNS service
//   ENABLEFV <0|1>           switch the download service on or off
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "AuthGate.h"
#include "Request.h"
#include "Response.h"
#include "RouterProfile.h"

namespace routersim {

// One command as the router received it. The library's host call sends nothing by itself: the
// address and port it was given arrive as the Host line of every later command, and the https
// flag as the listener the command came in on.
struct UtilityCall {
    std::string verb;       // "AUTH", "ENABLEFV", ... (empty when the body held no command)
    std::string argument;   // "1" of "ENABLEFV 1"
    std::string host;       // the Host header
    std::string listener;   // "web" (plain) or "auth" (TLS)
    bool accepted = false;  // the account was valid (a rejected command changes nothing)
};

// Every utility command of a run in arrival order, for tests to check the order of the calls.
class UtilityCallLog {
  public:
    void add(UtilityCall call);
    std::vector<UtilityCall> all() const;
    void clear();

  private:
    mutable std::mutex mutex_;
    std::vector<UtilityCall> calls_;
};

class UtilityEndpoint {
  public:
    UtilityEndpoint(AuthGate& auth, RouterProfile& profile, UtilityCallLog* log = nullptr)
        : auth_(auth), profile_(profile), log_(log) {}

    Response handle(const Request& request);

  private:
    Response run(const std::string& verb, const std::string& argument);

    AuthGate& auth_;
    RouterProfile& profile_;
    UtilityCallLog* log_;
};

}  // namespace routersim
