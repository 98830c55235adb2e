// The router's application list page: one line per installed application (the service's line
// carries "ferrovane", its version and its installed and enabled flags) and the line that
// names the service's web port.
#pragma once

#include <cstdint>
#include <string>

#include "RouterProfile.h"

namespace routersim {

std::string appListPage(const RouterFacts& facts, std::uint16_t servicePort);

}  // namespace routersim
