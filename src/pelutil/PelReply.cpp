#include "PelReply.h"

#include <arpa/inet.h>

#include <sstream>

#include "pelutil.h"

namespace fv::pelutil {

CommandReply interpretReply(std::string_view reply) {
    CommandReply result;
    const auto headEnd = reply.find("\r\n\r\n");
    if (reply.size() < 12 || headEnd == std::string_view::npos || !reply.starts_with("HTTP/")) {
        result.error = PELUTIL_E_NETWORK;
        return result;
    }
    const std::string_view status = reply.substr(9, 3);
    std::string_view line = reply.substr(headEnd + 4);
    line = line.substr(0, line.find('\n'));
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    if (status == "401") {
        result.error = PELUTIL_E_ACCOUNT;
    } else if (line == "OK" || line.starts_with("OK ")) {
        result.values = std::string(line.size() > 3 ? line.substr(3) : std::string_view());
    } else if (line.starts_with("ERR ")) {
        result.error = PELUTIL_E_REFUSED;
    } else {
        result.error = PELUTIL_E_NETWORK;
    }
    return result;
}

bool parseWanConfig(std::string_view values, uint32_t (&addresses)[5]) {
    std::istringstream in{std::string(values)};
    for (uint32_t& address : addresses) {
        std::string text;
        in_addr parsed{};
        // A NUL would end the text early for inet_pton and let a garbled word pass.
        if (!(in >> text) || text.find('\0') != std::string::npos ||
            inet_pton(AF_INET, text.c_str(), &parsed) != 1)
            return false;
        address = ntohl(parsed.s_addr);
    }
    return true;
}

}  // namespace fv::pelutil
