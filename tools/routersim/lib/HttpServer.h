// A small HTTP/1.1 server (plain or TLS) that replies once per connection and closes. It gives
// full control over status lines and header order, records every request and applies the
// listener's faults. One thread accepts; each connection gets a thread of its own.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "FaultSwitches.h"
#include "Request.h"
#include "RequestLog.h"
#include "Response.h"
#include "TcpListener.h"

typedef struct ssl_ctx_st SSL_CTX;

namespace routersim {

class Stream;

class HttpServer {
  public:
    using Handler = std::function<Response(const Request&, const Faults&)>;

    // tls may be null (plain HTTP). log and faults must outlive the server.
    HttpServer(std::string name, Handler handler, RequestLog& log, FaultSwitches& faults,
               SSL_CTX* tls = nullptr);
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    bool start(const std::string& address, std::uint16_t port, std::string* error);
    void stop();
    // Asks the threads to end without waiting; stop() then waits. Lets many servers end at once.
    void requestStop() { stopping_ = true; }
    std::uint16_t port() const { return listener_.port(); }
    const std::string& name() const { return name_; }

  private:
    struct Connection {
        std::thread thread;
        int fd = -1;
        bool done = false;
    };

    void acceptLoop();
    void applyRefuse(bool on);
    void serve(Connection* connection, int fd);
    bool readRequest(Stream& stream, Request& request);
    void reply(Stream& stream, Connection* connection, Response response, const Faults& faults);
    void pause(int milliseconds) const;
    void reapFinished();
    void forget(Connection* connection);

    std::string name_;
    Handler handler_;
    RequestLog& log_;
    FaultSwitches& faults_;
    SSL_CTX* tls_;
    std::mutex listenerMutex_;  // guards listener_ against the refuse switch
    TcpListener listener_;
    std::thread acceptThread_;
    std::atomic<bool> stopping_{false};
    std::mutex mutex_;
    std::list<std::unique_ptr<Connection>> connections_;
};

}  // namespace routersim
