// A port free right now on a loopback address, for simulated routers that share one port on
// several loopback addresses (each address stands in for a router of the local network).
#pragma once

#include <cstdint>

namespace fv::test {

// type: SOCK_STREAM or SOCK_DGRAM.
std::uint16_t freeLoopbackPort(int type, const char* address = "127.0.0.2");

}  // namespace fv::test
