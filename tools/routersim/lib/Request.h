// One HTTP request as it arrived on the wire, kept verbatim for the request log.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "WireText.h"

namespace routersim {

struct Request {
    std::string listener;  // which service received it ("service", "web", "auth", ...)
    std::string method;
    std::string target;  // raw request target, doubled slashes included
    std::string version;
    std::vector<std::pair<std::string, std::string>> headers;  // in arrival order
    std::string body;

    // Case-insensitive lookup of the first header with this name.
    std::optional<std::string> header(std::string_view name) const;
    // The target's path with runs of "/" folded to one, for routing only.
    std::string routePath() const;
    std::string query() const;
    Params params() const { return splitQuery(query()); }
};

}  // namespace routersim
