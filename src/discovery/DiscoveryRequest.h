// The search request that every router of the maker answers on UDP port 9999: one fixed
// 512-byte datagram (service 0x0C, packet type 0x15, operation 31, the rest zero).
#pragma once

#include <QByteArray>
#include <cstdint>

namespace fv {

constexpr std::uint16_t kDiscoveryPort = 9999;
constexpr int kDiscoveryDatagramSize = 512;

QByteArray discoveryRequest();

}  // namespace fv
