// Answers discovery requests on UDP. It only ever replies to the sender's own address and never
// enables broadcasts, so it cannot put anything on a network it was not asked from.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include <netinet/in.h>

#include "RouterProfile.h"

namespace routersim {

class DiscoveryResponder {
  public:
    explicit DiscoveryResponder(RouterProfile& profile) : profile_(profile) {}
    ~DiscoveryResponder();
    DiscoveryResponder(const DiscoveryResponder&) = delete;
    DiscoveryResponder& operator=(const DiscoveryResponder&) = delete;

    // address is an IPv4 literal; port 0 picks a free one.
    bool start(const std::string& address, std::uint16_t port, std::string* error);
    void stop();
    void requestStop() { stopping_ = true; }
    std::uint16_t port() const { return port_; }
    // While on, requests are read and dropped (a router that does not answer).
    void setSilent(bool on) { silent_ = on; }
    int answered() const { return answered_; }
    // Answers as `count` routers, each from its own address counted up from `firstAddress`
    // (which the test network must give this host), with MACs and names counted up likewise.
    // Call before start(); count 0 answers as the one router of the profile.
    void setFleet(int count, const std::string& firstAddress) {
        fleetCount_ = count;
        fleetFrom_ = firstAddress;
    }

  private:
    void loop();
    bool openFleet(std::string* error);
    void answer(const sockaddr_in& sender);

    RouterProfile& profile_;
    int fd_ = -1;
    int fleetCount_ = 0;
    std::string fleetFrom_;
    std::vector<int> fleetFds_;
    std::uint16_t port_ = 0;
    std::thread thread_;
    std::atomic<bool> stopping_{false};
    std::atomic<bool> silent_{false};
    std::atomic<int> answered_{0};
};

}  // namespace routersim
