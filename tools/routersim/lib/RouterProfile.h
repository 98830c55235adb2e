// Facts about the simulated router itself: identity for discovery, the application list, the
// service switch, and what the utility library reads and sets.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

namespace routersim {

struct RouterFacts {
    std::string deviceName = "KR-AX3000";
    std::string ssid = "KOVA_HOME";
    std::string subnetMask = "255.255.255.0";
    std::string printer = "";
    std::uint8_t mac[6] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
    std::uint8_t mode = 0;
    bool discoveryExtension = true;  // false: a reply without the extension block
    std::string ddnsName = "";
    std::string wanAddress = "203.0.113.45";
    std::uint16_t webDavHttpPort = 8082;
    std::uint16_t webDavHttpsPort = 443;  // replaced by the share-link listener's port
    bool serviceInstalled = true;
    bool serviceEnabled = true;
    std::string serviceVersion = "2.110";  // item 1 of the application list's service line
    std::string apiLevel = "2";            // one character
    std::string ddnsHost;                  // set through the utility library
    std::string ddnsConfig;                // last accepted DDNS configuration text
    int serviceRestarts = 0;
};

class RouterProfile {
  public:
    RouterFacts get() const;
    void update(const std::function<void(RouterFacts&)>& change);

  private:
    mutable std::mutex mutex_;
    RouterFacts facts_;
};

}  // namespace routersim
