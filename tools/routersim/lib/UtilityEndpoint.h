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

#include "AuthGate.h"
#include "Request.h"
#include "Response.h"
#include "RouterProfile.h"

namespace routersim {

class UtilityEndpoint {
  public:
    UtilityEndpoint(AuthGate& auth, RouterProfile& profile) : auth_(auth), profile_(profile) {}

    Response handle(const Request& request);

  private:
    Response run(const std::string& verb, const std::string& argument);

    AuthGate& auth_;
    RouterProfile& profile_;
};

}  // namespace routersim
