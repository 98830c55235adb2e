// A port free right now on a loopback address, for simulated routers that share one port on
// several loopback addresses (each address stands in for a router of the local network).
#pragma once

#include <cstdint>

namespace fv::test {

// type: SOCK_STREAM or SOCK_DGRAM.
std::uint16_t freeLoopbackPort(int type, const char* address = "127.0.0.2");

// A UDP port on 127.0.0.1 that this process holds (without reuse-address) while it lives.
class HeldUdpPort {
  public:
    HeldUdpPort();
    ~HeldUdpPort();
    HeldUdpPort(const HeldUdpPort&) = delete;
    HeldUdpPort& operator=(const HeldUdpPort&) = delete;

    bool held() const { return port_ != 0; }
    std::uint16_t port() const { return port_; }
    void release();

  private:
    int fd_ = -1;
    std::uint16_t port_ = 0;
};

}  // namespace fv::test
