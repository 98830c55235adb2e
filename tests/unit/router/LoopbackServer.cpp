#include "LoopbackServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

namespace fv::test {
namespace {

int bindLoopback(uint16_t* port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0)
        return -1;
    socklen_t len = sizeof addr;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    *port = ntohs(addr.sin_port);
    return fd;
}

bool waitReadable(int fd, int ms) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, ms) > 0;
}

size_t contentLength(const std::string& head) {
    for (const char* key : {"\r\nContent-Length: ", "\r\ncontent-length: "}) {
        const size_t at = head.find(key);
        if (at != std::string::npos)
            return std::stoul(head.substr(at + std::string(key).size()));
    }
    return 0;
}

}  // namespace

LoopbackServer::LoopbackServer(std::vector<CannedReply> replies) : replies_(std::move(replies)) {
    listenFd_ = bindLoopback(&port_);
    ::listen(listenFd_, 8);
    thread_ = std::thread([this] { serve(); });
}

LoopbackServer::~LoopbackServer() {
    stop_ = true;
    thread_.join();
    ::close(listenFd_);
}

std::vector<std::string> LoopbackServer::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

std::string LoopbackServer::reply(const std::string& statusLine,
                                  const std::vector<std::string>& headers,
                                  const std::string& body) {
    std::string out = statusLine + "\r\n";
    for (const std::string& h : headers)
        out += h + "\r\n";
    out += "Content-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n";
    return out + body;
}

void LoopbackServer::serve() {
    size_t next = 0;
    while (!stop_) {
        if (!waitReadable(listenFd_, 20))
            continue;
        const int fd = ::accept(listenFd_, nullptr, nullptr);
        if (fd < 0)
            continue;
        const CannedReply& r =
            replies_.empty() ? CannedReply{} : replies_[std::min(next, replies_.size() - 1)];
        ++next;
        handle(fd, r);
        ::close(fd);
    }
}

void LoopbackServer::handle(int fd, const CannedReply& r) {
    std::string raw;
    char buf[4096];
    size_t headEnd = std::string::npos;
    while (!stop_) {
        if (headEnd != std::string::npos &&
            raw.size() >= headEnd + 4 + contentLength(raw.substr(0, headEnd)))
            break;
        if (!waitReadable(fd, 20))
            continue;
        const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
        if (n <= 0)
            break;
        raw.append(buf, static_cast<size_t>(n));
        if (raw[0] == '\x16')
            break;  // a TLS handshake: keep what arrived and hang up
        if (headEnd == std::string::npos)
            headEnd = raw.find("\r\n\r\n");
    }
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(raw);
    }
    if (r.closeAtOnce)
        return;
    if (r.holdOpen) {
        while (!stop_)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return;
    }
    if (r.delayMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(r.delayMs));
    // The head goes at once; a drip applies to the body.
    const size_t head = r.bytes.find("\r\n\r\n");
    const size_t bodyStart = head == std::string::npos ? 0 : head + 4;
    size_t sent = 0;
    while (sent < r.bytes.size() && !stop_) {
        const bool drip = r.dripMs > 0 && sent >= bodyStart;
        const size_t chunk = drip ? 1 : (r.dripMs > 0 ? bodyStart : r.bytes.size()) - sent;
        const ssize_t n = ::send(fd, r.bytes.data() + sent, chunk, MSG_NOSIGNAL);
        if (n <= 0)
            break;
        sent += static_cast<size_t>(n);
        if (drip)
            std::this_thread::sleep_for(std::chrono::milliseconds(r.dripMs));
    }
}

uint16_t closedLoopbackPort() {
    uint16_t port = 0;
    const int fd = bindLoopback(&port);
    ::close(fd);
    return port;
}

}  // namespace fv::test
