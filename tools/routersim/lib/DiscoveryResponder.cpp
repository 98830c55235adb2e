// Answers discovery requests on UDP, to the sender only.
#include "DiscoveryResponder.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
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
        const auto reply = discoveryReply(profile_.get());
        // Unicast back to the sender's own address; broadcast is never enabled on this socket.
        if (::sendto(fd_, reply.data(), reply.size(), 0, reinterpret_cast<sockaddr*>(&sender),
                     len) > 0)
            ++answered_;
    }
}

}  // namespace routersim
