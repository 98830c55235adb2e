// The router's answer to one utility command, read from the raw HTTP reply, and the values
// of the answers that carry addresses. Plain functions over bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace fv::pelutil {

struct CommandReply {
    int error = 0;       // 0, or a PELUTIL_E_* value
    std::string values;  // what follows "OK " in the reply line
};

// The status line decides 401; otherwise the body's first line: "OK [values]", "ERR ..." or
// anything else (a garbled reply).
CommandReply interpretReply(std::string_view reply);

// WANCONFIG's values: five dotted IPv4 addresses (address, mask, gateway, two name servers),
// in host order. False when any is missing or not an address.
bool parseWanConfig(std::string_view values, uint32_t (&addresses)[5]);

}  // namespace fv::pelutil
