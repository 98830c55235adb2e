// A connected socket, optionally wrapped in TLS.
#include "Stream.h"

#include <openssl/ssl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <mutex>

namespace routersim {

Stream::Stream(int fd) : fd_(fd) {}

Stream::~Stream() {
    if (ssl_)
        SSL_free(ssl_);
    if (fd_ >= 0)
        ::close(fd_);
}

bool Stream::startTls(SSL_CTX* ctx) {
    // OpenSSL writes to the socket itself, without MSG_NOSIGNAL: a client that hangs up during
    // the handshake (a port probe) must not end the process hosting the simulator.
    static std::once_flag once;
    std::call_once(once, [] { std::signal(SIGPIPE, SIG_IGN); });
    ssl_ = SSL_new(ctx);
    if (!ssl_)
        return false;
    SSL_set_fd(ssl_, fd_);
    return SSL_accept(ssl_) == 1;
}

long Stream::read(char* buffer, std::size_t size) {
    if (!pending_.empty()) {
        const std::size_t n = std::min(size, pending_.size());
        pending_.copy(buffer, n);
        pending_.erase(0, n);
        return static_cast<long>(n);
    }
    if (ssl_) {
        const int n =
            SSL_read(ssl_, buffer, static_cast<int>(std::min<std::size_t>(size, 1 << 20)));
        if (n > 0)
            return n;
        return SSL_get_error(ssl_, n) == SSL_ERROR_ZERO_RETURN ? 0 : -1;
    }
    for (;;) {
        const ssize_t n = ::recv(fd_, buffer, size, 0);
        if (n < 0 && errno == EINTR)
            continue;
        return static_cast<long>(n);
    }
}

bool Stream::writeAll(std::string_view data) {
    while (!data.empty()) {
        long n;
        if (ssl_) {
            n = SSL_write(ssl_, data.data(),
                          static_cast<int>(std::min<std::size_t>(data.size(), 1 << 20)));
        } else {
            n = ::send(fd_, data.data(), data.size(), MSG_NOSIGNAL);
            if (n < 0 && errno == EINTR)
                continue;
        }
        if (n <= 0)
            return false;
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool Stream::readHead(std::string& out, std::size_t maxBytes) {
    out.clear();
    char buffer[4096];
    while (out.size() <= maxBytes) {
        const auto end = out.find("\r\n\r\n");
        if (end != std::string::npos) {
            pending_ = out.substr(end + 4) + pending_;
            out.resize(end + 4);
            return true;
        }
        const long n = read(buffer, sizeof buffer);
        if (n <= 0)
            return false;
        out.append(buffer, static_cast<std::size_t>(n));
    }
    return false;
}

bool Stream::readExact(std::string& out, std::size_t count) {
    out.clear();
    char buffer[16384];
    while (out.size() < count) {
        const long n = read(buffer, std::min(sizeof buffer, count - out.size()));
        if (n <= 0)
            return false;
        out.append(buffer, static_cast<std::size_t>(n));
    }
    return true;
}

bool Stream::readLine(std::string& out, std::size_t maxBytes) {
    out.clear();
    char c;
    while (out.size() <= maxBytes) {
        if (read(&c, 1) != 1)
            return false;
        if (c == '\n') {
            if (!out.empty() && out.back() == '\r')
                out.pop_back();
            return true;
        }
        out.push_back(c);
    }
    return false;
}

void Stream::closeGracefully() {
    if (ssl_)
        SSL_shutdown(ssl_);
    ::shutdown(fd_, SHUT_WR);
}

void Stream::reset() {
    struct linger lin {
        1, 0
    };
    ::setsockopt(fd_, SOL_SOCKET, SO_LINGER, &lin, sizeof lin);
    if (ssl_) {
        SSL_free(ssl_);
        ssl_ = nullptr;
    }
    ::close(fd_);
    fd_ = -1;
}

}  // namespace routersim
