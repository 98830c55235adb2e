// The discovery datagrams on UDP: a 512-byte request (0C 15 1F 00 ...) and the 512-byte reply
// with the information block at offset 8 and the extension block at offset 272.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "RouterProfile.h"

namespace routersim {

constexpr std::size_t kDiscoverySize = 512;
using DiscoveryDatagram = std::array<std::uint8_t, kDiscoverySize>;

bool isDiscoveryRequest(std::string_view datagram);
DiscoveryDatagram discoveryRequest();
DiscoveryDatagram discoveryReply(const RouterFacts& facts);

}  // namespace routersim
