// Answers discovery requests on UDP, to the sender only.
#include "DiscoveryResponder.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "DiscoveryPacket.h"

namespace routersim {

DiscoveryResponder::~DiscoveryResponder() {
    stop();
}

bool DiscoveryResponder::start(const std::string& address, std::uint16_t port, std::string* error) {
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(port);
    if (inet_pton(AF_INET, address.c_str(), &local.sin_addr) != 1) {
        if (error)
            *error = "discovery needs an IPv4 address: " + address;
        return false;
    }
    fd_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) {
        if (error)
            *error =
                "discovery " + address + ":" + std::to_string(port) + ": " + std::strerror(errno);
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
        return false;
    }
    socklen_t len = sizeof local;
    ::getsockname(fd_, reinterpret_cast<sockaddr*>(&local), &len);
    port_ = ntohs(local.sin_port);
    if (!openFleet(error)) {
        stop();
        return false;
    }
    stopping_ = false;
    thread_ = std::thread([this] { loop(); });
    return true;
}

void DiscoveryResponder::stop() {
    stopping_ = true;
    if (thread_.joinable())
        thread_.join();
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    for (int fd : fleetFds_)
        ::close(fd);
    fleetFds_.clear();
}

bool DiscoveryResponder::openFleet(std::string* error) {
    in_addr first{};
    if (fleetCount_ > 0 && inet_pton(AF_INET, fleetFrom_.c_str(), &first) != 1) {
        if (error)
            *error = "the discovery fleet needs a first IPv4 address";
        return false;
    }
    for (int i = 0; i < fleetCount_; ++i) {
        sockaddr_in local{};
        local.sin_family = AF_INET;
        local.sin_addr.s_addr = htonl(ntohl(first.s_addr) + static_cast<std::uint32_t>(i));
        const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) {
            if (error)
                *error = std::string("discovery fleet address: ") + std::strerror(errno);
            if (fd >= 0)
                ::close(fd);
            return false;
        }
        fleetFds_.push_back(fd);
    }
    return true;
}

// Unicast back to the sender's own address; broadcast is never enabled on these sockets.
void DiscoveryResponder::answer(const sockaddr_in& sender) {
    const RouterFacts facts = profile_.get();
    const auto* to = reinterpret_cast<const sockaddr*>(&sender);
    if (fleetFds_.empty()) {
        const auto reply = discoveryReply(facts);
        if (::sendto(fd_, reply.data(), reply.size(), 0, to, sizeof sender) > 0)
            ++answered_;
        return;
    }
    for (std::size_t i = 0; i < fleetFds_.size(); ++i) {
        RouterFacts member = facts;
        const unsigned n = static_cast<unsigned>(i);
        member.mac[4] = static_cast<std::uint8_t>(facts.mac[4] + (n >> 8));
        member.mac[5] = static_cast<std::uint8_t>(facts.mac[5] + (n & 0xFF));
        char suffix[8];
        std::snprintf(suffix, sizeof suffix, "-%03u", n);
        member.deviceName += suffix;
        const auto reply = discoveryReply(member);
        if (::sendto(fleetFds_[i], reply.data(), reply.size(), 0, to, sizeof sender) > 0)
            ++answered_;
        // A little apart, as separate devices answer, rather than one burst of hundreds.
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
}

void DiscoveryResponder::loop() {
    char buffer[2048];
    while (!stopping_) {
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, 20) <= 0)
            continue;
        sockaddr_in sender{};
        socklen_t len = sizeof sender;
        const ssize_t n =
            ::recvfrom(fd_, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&sender), &len);
        if (n <= 0 || silent_)
            continue;
        if (!isDiscoveryRequest(std::string_view(buffer, static_cast<std::size_t>(n))))
            continue;
        answer(sender);
    }
}

}  // namespace routersim
