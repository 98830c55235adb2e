// Turns a received request head into a Request; rejects what no client would send.
#pragma once

#include <optional>
#include <string_view>

#include "Request.h"

namespace routersim {

// The head runs from the request line through the blank line. Header lines without a colon
// make the head invalid; a missing version is accepted (raw line protocols on TLS ports).
std::optional<Request> parseRequestHead(std::string_view head);

// The declared body length; nullopt when the header is absent, -1 when it is not a number.
std::optional<long long> contentLength(const Request& request);

}  // namespace routersim
