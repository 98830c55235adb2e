// Reading the router's share-link reply: bytes in, link out. Both never throw and never read
// outside their input; the reply's size is capped by the TLS exchange that received it.
#pragma once

#include <string>
#include <string_view>

namespace fv {

// The reply reader ("TimerWebDavTimer"): the lines (LF-separated, CR LF ends dropped) that
// contain "<sharelink>", joined without separators.
std::string collectShareLinkLines(std::string_view received);

// ParserWebDavShareLink: the text after the first "<sharelink>" up to the first
// "</sharelink>" after it; empty when either is missing.
std::string parseWebDavShareLink(std::string_view text);

}  // namespace fv
