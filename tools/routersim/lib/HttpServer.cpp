// A small HTTP/1.1 server that replies once per connection and closes.
#include "HttpServer.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <charconv>
#include <chrono>

#include "RequestParser.h"
#include "Stream.h"

namespace routersim {

namespace {

constexpr std::size_t kMaxHead = 64 * 1024;
constexpr long long kMaxBody = 64LL * 1024 * 1024;
constexpr std::size_t kMaxConnections = 256;

void setTimeouts(int fd) {
    timeval tv{10, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);
}

// A chunked request body (clients send one when they do not know the size up front).
bool readChunkedBody(Stream& stream, std::string& body) {
    std::string line, chunk;
    for (;;) {
        if (!stream.readLine(line, 1024))
            return false;
        unsigned long long size = 0;
        const auto [ptr, ec] = std::from_chars(line.data(), line.data() + line.size(), size, 16);
        if (ec != std::errc() || ptr == line.data())
            return false;
        if (size > static_cast<unsigned long long>(kMaxBody) - body.size())
            return false;
        if (size == 0) {
            while (stream.readLine(line, 8192) && !line.empty()) {
            }  // trailers are ignored
            return true;
        }
        if (!stream.readExact(chunk, size) || !stream.readLine(line, 2) || !line.empty())
            return false;
        body += chunk;
    }
}

bool isChunked(const Request& request) {
    const auto value = request.header("Transfer-Encoding");
    return value && value->find("chunked") != std::string::npos;
}

}  // namespace

HttpServer::HttpServer(std::string name, Handler handler, RequestLog& log, FaultSwitches& faults,
                       SSL_CTX* tls)
    : name_(std::move(name)), handler_(std::move(handler)), log_(log), faults_(faults), tls_(tls) {
    faults_.follow([this](bool on) { applyRefuse(on); });
}

HttpServer::~HttpServer() {
    faults_.follow(nullptr);
    stop();
}

bool HttpServer::start(const std::string& address, std::uint16_t port, std::string* error) {
    {
        std::lock_guard lock(listenerMutex_);
        if (!listener_.open(address, port, error))
            return false;
        if (faults_.refusing())
            listener_.close();
    }
    stopping_ = false;
    acceptThread_ = std::thread([this] { acceptLoop(); });
    return true;
}

void HttpServer::stop() {
    stopping_ = true;
    if (acceptThread_.joinable())
        acceptThread_.join();
    {
        std::lock_guard lock(listenerMutex_);
        listener_.close();
    }
    std::list<std::unique_ptr<Connection>> remaining;
    {
        std::lock_guard lock(mutex_);
        for (auto& c : connections_) {
            if (c->fd >= 0)
                ::shutdown(c->fd, SHUT_RDWR);
        }
        remaining.swap(connections_);
    }
    for (auto& c : remaining) {
        if (c->thread.joinable())
            c->thread.join();
    }
}

void HttpServer::applyRefuse(bool on) {
    std::lock_guard lock(listenerMutex_);
    if (on)
        listener_.close();
    else if (!stopping_ && listener_.port() != 0)
        listener_.reopen();
}

void HttpServer::acceptLoop() {
    while (!stopping_) {
        reapFinished();
        int listening = -1;
        {
            std::lock_guard lock(listenerMutex_);
            listening = listener_.isOpen() ? listener_.fd() : -1;
        }
        if (listening < 0) {
            pause(20);
            continue;
        }
        pollfd p{listening, POLLIN, 0};
        if (::poll(&p, 1, 20) <= 0)
            continue;
        int fd = -1;
        {
            // The refuse switch may have closed the socket meanwhile; accept only from the
            // socket we polled, and never block (the listening socket is non-blocking).
            std::lock_guard lock(listenerMutex_);
            if (listener_.isOpen() && listener_.fd() == listening)
                fd = ::accept4(listening, nullptr, nullptr, SOCK_CLOEXEC);
        }
        if (fd < 0)
            continue;
        setTimeouts(fd);
        std::lock_guard lock(mutex_);
        if (connections_.size() >= kMaxConnections) {
            ::close(fd);  // a flood of clients must not turn into a flood of threads
            continue;
        }
        auto connection = std::make_unique<Connection>();
        Connection* raw = connection.get();
        raw->fd = fd;
        connections_.push_back(std::move(connection));
        raw->thread = std::thread([this, raw, fd] { serve(raw, fd); });
    }
}

void HttpServer::reapFinished() {
    std::list<std::unique_ptr<Connection>> finished;
    {
        std::lock_guard lock(mutex_);
        for (auto it = connections_.begin(); it != connections_.end();) {
            if ((*it)->done) {
                finished.push_back(std::move(*it));
                it = connections_.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (auto& c : finished)
        c->thread.join();
}

void HttpServer::forget(Connection* connection) {
    std::lock_guard lock(mutex_);
    connection->fd = -1;
}

void HttpServer::serve(Connection* connection, int fd) {
    {
        Stream stream(fd);
        Request request;
        const bool ok = (!tls_ || stream.startTls(tls_)) && readRequest(stream, request);
        if (ok) {
            log_.add(request);
            const Faults faults = faults_.take(request.target, request.method);
            pause(faults.delayMs);
            if (faults.closeWithoutReply) {
                stream.closeGracefully();  // the request has no effect, as if never read
            } else if (!stopping_) {
                reply(stream, connection, handler_(request, faults), faults);
            }
        }
        forget(connection);
    }
    std::lock_guard lock(mutex_);
    connection->done = true;
}

bool HttpServer::readRequest(Stream& stream, Request& request) {
    std::string head;
    if (!stream.readHead(head, kMaxHead))
        return false;
    auto parsed = parseRequestHead(head);
    if (!parsed) {
        stream.writeAll(
            "HTTP/1.1 400 Bad Request\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
        return false;
    }
    request = std::move(*parsed);
    request.listener = name_;
    const auto length = contentLength(request);
    if (length && (*length < 0 || *length > kMaxBody)) {
        stream.writeAll(
            "HTTP/1.1 413 Payload Too Large\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
        return false;
    }
    const bool chunked = !length && isChunked(request);
    if (chunked || (length && *length > 0)) {
        const auto expect = request.header("Expect");
        if (expect && *expect == "100-continue")
            stream.writeAll("HTTP/1.1 100 Continue\r\n\r\n");
    }
    if (chunked)
        return readChunkedBody(stream, request.body);
    if (length && *length > 0)
        return stream.readExact(request.body, static_cast<std::size_t>(*length));
    return true;
}

void HttpServer::reply(Stream& stream, Connection* connection, Response response,
                       const Faults& faults) {
    if (response.dropConnection) {
        stream.closeGracefully();
        return;
    }
    if (!faults.statusLine.empty())
        response.statusLine = faults.statusLine;
    response.headers.insert(response.headers.begin(), faults.headersFirst.begin(),
                            faults.headersFirst.end());
    if (faults.replaceBody)
        response.body = faults.body;
    const std::string head = response.head();
    if (faults.resetMidBody) {
        stream.writeAll(head + response.body.substr(0, response.body.size() / 2));
        pause(50);  // let the partial body reach the peer before the reset
        forget(connection);
        stream.reset();
        return;
    }
    const std::string all = head + response.body;
    if (faults.dripChunkBytes > 0) {
        for (std::size_t pos = 0; pos < all.size() && !stopping_;
             pos += static_cast<std::size_t>(faults.dripChunkBytes)) {
            if (!stream.writeAll(std::string_view(all).substr(pos, faults.dripChunkBytes)))
                return;
            pause(faults.dripIntervalMs);
        }
    } else {
        stream.writeAll(all);
    }
    stream.closeGracefully();
    // Wait for the peer to close so the reply is never cut by our own close.
    char sink[256];
    while (stream.read(sink, sizeof sink) > 0) {
    }
}

void HttpServer::pause(int milliseconds) const {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!stopping_ && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

}  // namespace routersim
