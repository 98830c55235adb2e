// One command exchange with the router for the utility library (protocol in pelutil.h).
#pragma once

#include <string>

namespace fv::pelutil {

struct Endpoint {
    std::string host;
    int port = 0;
    bool https = false;
};

struct CommandReply {
    int error = 0;       // 0, or a PELUTIL_E_* value
    std::string values;  // what follows "OK " in the reply line
};

// Sends one command line and reads the one-line answer. Never throws.
CommandReply sendCommand(const Endpoint& endpoint, const std::string& user,
                         const std::string& password, const std::string& line);

}  // namespace fv::pelutil
