// A tiny HTTP server on 127.0.0.1 for request-capture tests: records each raw request and
// answers with canned bytes, one connection at a time, on its own thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace fv::test {

struct CannedReply {
    std::string bytes;         // written as is after the request was read
    int delayMs = 0;           // silence before the reply
    bool closeAtOnce = false;  // read the request, close without a byte
    bool holdOpen = false;     // never answer; keep the connection until the server stops
    int dripMs = 0;            // > 0: the body one byte at a time, this long apart
};

class LoopbackServer {
  public:
    // Replies are used in order; the last one repeats.
    explicit LoopbackServer(std::vector<CannedReply> replies);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    uint16_t port() const { return port_; }
    std::string base() const { return "http://127.0.0.1:" + std::to_string(port_); }
    std::vector<std::string> requests() const;

    // A full reply with the given status line, header lines and body.
    static std::string reply(const std::string& statusLine,
                             const std::vector<std::string>& headers = {},
                             const std::string& body = {});

  private:
    void serve();
    void handle(int fd, const CannedReply& reply);

    std::vector<CannedReply> replies_;
    int listenFd_ = -1;
    uint16_t port_ = 0;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

// A loopback port nobody listens on (bound, then released).
uint16_t closedLoopbackPort();

}  // namespace fv::test
