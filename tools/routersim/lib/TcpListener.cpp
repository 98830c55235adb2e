// A listening TCP socket on one given address.
#include "TcpListener.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace routersim {

namespace {

int bindSocket(const std::string& address, std::uint16_t port, std::uint16_t* chosen,
               std::string* error) {
    sockaddr_storage storage{};
    socklen_t len = 0;
    auto* v4 = reinterpret_cast<sockaddr_in*>(&storage);
    auto* v6 = reinterpret_cast<sockaddr_in6*>(&storage);
    if (inet_pton(AF_INET, address.c_str(), &v4->sin_addr) == 1) {
        v4->sin_family = AF_INET;
        v4->sin_port = htons(port);
        len = sizeof *v4;
    } else if (inet_pton(AF_INET6, address.c_str(), &v6->sin6_addr) == 1) {
        v6->sin6_family = AF_INET6;
        v6->sin6_port = htons(port);
        len = sizeof *v6;
    } else {
        if (error)
            *error = "not an IP address: " + address;
        return -1;
    }
    const int fd = ::socket(storage.ss_family, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return -1;
    const int one = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    if (storage.ss_family == AF_INET6)
        ::setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &one, sizeof one);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&storage), len) != 0 || ::listen(fd, 64) != 0) {
        if (error)
            *error = address + ":" + std::to_string(port) + ": " + std::strerror(errno);
        ::close(fd);
        return -1;
    }
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&storage), &len);
    *chosen = ntohs(storage.ss_family == AF_INET ? v4->sin_port : v6->sin6_port);
    return fd;
}

}  // namespace

TcpListener::~TcpListener() {
    close();
}

bool TcpListener::open(const std::string& address, std::uint16_t port, std::string* error) {
    close();
    address_ = address;
    fd_ = bindSocket(address, port, &port_, error);
    return fd_ >= 0;
}

bool TcpListener::reopen() {
    if (fd_ >= 0)
        return true;
    std::uint16_t chosen = 0;
    fd_ = bindSocket(address_, port_, &chosen, nullptr);
    return fd_ >= 0;
}

void TcpListener::close() {
    // shutdown first: it stops the listening at once, even while another thread still polls
    // the socket (a bare close would leave it accepting until that poll returns).
    if (fd_ >= 0) {
        ::shutdown(fd_, SHUT_RDWR);
        ::close(fd_);
    }
    fd_ = -1;
}

}  // namespace routersim
