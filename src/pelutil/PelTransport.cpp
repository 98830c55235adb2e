// One command exchange with the router for the utility library.
#include "PelTransport.h"

#include <netdb.h>
#include <openssl/evp.h>
#include <openssl/ssl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fcntl.h>
#include <cerrno>
#include <memory>

#include "pelutil.h"

namespace fv::pelutil {

namespace {

constexpr int kTimeoutMs = 5000;
constexpr std::size_t kMaxReply = 64 * 1024;

std::string base64(const std::string& text) {
    std::string out(4 * ((text.size() + 2) / 3) + 1, '\0');
    const int n = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(out.data()),
                                  reinterpret_cast<const unsigned char*>(text.data()),
                                  static_cast<int>(text.size()));
    out.resize(static_cast<std::size_t>(n));
    return out;
}

bool waitConnected(int fd) {
    pollfd p{fd, POLLOUT, 0};
    if (::poll(&p, 1, kTimeoutMs) != 1)
        return false;
    int error = 0;
    socklen_t len = sizeof error;
    return ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &len) == 0 && error == 0;
}

int connectTo(const Endpoint& endpoint) {
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const std::string port = std::to_string(endpoint.port);
    if (::getaddrinfo(endpoint.host.c_str(), port.c_str(), &hints, &found) != 0)
        return -1;
    int fd = -1;
    for (addrinfo* a = found; a && fd < 0; a = a->ai_next) {
        fd = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, a->ai_protocol);
        if (fd < 0)
            continue;
        const int rc = ::connect(fd, a->ai_addr, a->ai_addrlen);
        if (rc != 0 && !(errno == EINPROGRESS && waitConnected(fd))) {
            ::close(fd);
            fd = -1;
        }
    }
    ::freeaddrinfo(found);
    if (fd >= 0) {
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        timeval tv{kTimeoutMs / 1000, 0};
        ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
        ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);
    }
    return fd;
}

// A connection that may run over TLS; the router's certificate is not verified (self-signed).
class Channel {
  public:
    explicit Channel(int fd) : fd_(fd) {}
    ~Channel() {
        if (ssl_)
            SSL_free(ssl_);
        if (ctx_)
            SSL_CTX_free(ctx_);
        ::close(fd_);
    }
    bool startTls(const std::string& host) {
        ctx_ = SSL_CTX_new(TLS_client_method());
        ssl_ = ctx_ ? SSL_new(ctx_) : nullptr;
        if (!ssl_)
            return false;
        SSL_set_tlsext_host_name(ssl_, host.c_str());
        SSL_set_fd(ssl_, fd_);
        return SSL_connect(ssl_) == 1;
    }
    bool write(const std::string& data) {
        std::size_t done = 0;
        while (done < data.size()) {
            const long n =
                ssl_ ? SSL_write(ssl_, data.data() + done, static_cast<int>(data.size() - done))
                     : ::send(fd_, data.data() + done, data.size() - done, MSG_NOSIGNAL);
            if (n <= 0)
                return false;
            done += static_cast<std::size_t>(n);
        }
        return true;
    }
    bool readAll(std::string& out) {
        char buffer[4096];
        for (;;) {
            const long n = ssl_ ? SSL_read(ssl_, buffer, sizeof buffer)
                                : ::recv(fd_, buffer, sizeof buffer, 0);
            if (n == 0 || (n < 0 && ssl_ &&
                           SSL_get_error(ssl_, static_cast<int>(n)) == SSL_ERROR_ZERO_RETURN))
                return true;
            if (n < 0)
                return !out.empty();  // a peer that resets after a complete reply is tolerated
            out.append(buffer, static_cast<std::size_t>(n));
            if (out.size() > kMaxReply)
                return false;
        }
    }

  private:
    int fd_;
    SSL_CTX* ctx_ = nullptr;
    SSL* ssl_ = nullptr;
};

}  // namespace

CommandReply sendCommand(const Endpoint& endpoint, const std::string& user,
                         const std::string& password, const std::string& line) {
    const int fd = connectTo(endpoint);
    if (fd < 0)
        return {PELUTIL_E_NETWORK, {}};
    Channel channel(fd);
    if (endpoint.https && !channel.startTls(endpoint.host))
        return {PELUTIL_E_NETWORK, {}};
    const std::string body = line + "\n";
    const std::string request =
        "POST /pelutil.cgi HTTP/1.1\r\nHost: " + endpoint.host + ":" +
        std::to_string(endpoint.port) + "\r\nAuthorization: Basic " +
        base64(user + ":" + password) +
        "\r\nContent-Type: text/plain\r\nContent-Length: " + std::to_string(body.size()) +
        "\r\nConnection: close\r\n\r\n" + body;
    std::string reply;
    if (!channel.write(request) || !channel.readAll(reply))
        return {PELUTIL_E_NETWORK, {}};
    return interpretReply(reply);
}

}  // namespace fv::pelutil
