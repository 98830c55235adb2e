// One command exchange with the router for the utility library (protocol in pelutil.h).
#pragma once

#include <string>

#include "PelReply.h"

namespace fv::pelutil {

struct Endpoint {
    std::string host;
    int port = 0;
    bool https = false;
};

// Sends one command line and reads the one-line answer. Never throws.
CommandReply sendCommand(const Endpoint& endpoint, const std::string& user,
                         const std::string& password, const std::string& line);

}  // namespace fv::pelutil
