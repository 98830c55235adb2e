// A listening TCP socket on one given address that can be closed and reopened on the same port
// (so "connection refused" can be switched on and off).
#pragma once

#include <cstdint>
#include <string>

namespace routersim {

class TcpListener {
  public:
    TcpListener() = default;
    ~TcpListener();
    TcpListener(const TcpListener&) = delete;
    TcpListener& operator=(const TcpListener&) = delete;

    // Port 0 picks a free one. Only the given IPv4 or IPv6 literal is listened on.
    bool open(const std::string& address, std::uint16_t port, std::string* error);
    bool reopen();
    void close();
    bool isOpen() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    std::uint16_t port() const { return port_; }

  private:
    std::string address_;
    std::uint16_t port_ = 0;
    int fd_ = -1;
};

}  // namespace routersim
