// A connected socket, optionally wrapped in TLS; owns the descriptor.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

typedef struct ssl_st SSL;
typedef struct ssl_ctx_st SSL_CTX;

namespace routersim {

class Stream {
  public:
    explicit Stream(int fd);
    ~Stream();
    Stream(const Stream&) = delete;
    Stream& operator=(const Stream&) = delete;

    // Runs the server side of the TLS handshake; false when it fails.
    bool startTls(SSL_CTX* ctx);
    bool isTls() const { return ssl_ != nullptr; }

    // Bytes read (0 at end of stream, -1 on error or time-out).
    long read(char* buffer, std::size_t size);
    bool writeAll(std::string_view data);

    // Reads up to "\r\n\r\n" (kept in the result); gives up beyond maxBytes.
    bool readHead(std::string& out, std::size_t maxBytes);
    bool readExact(std::string& out, std::size_t count);
    // Reads one line ending in "\r\n" (not kept); gives up beyond maxBytes.
    bool readLine(std::string& out, std::size_t maxBytes);

    // Orderly close: TLS close-notify, then FIN.
    void closeGracefully();
    // Abortive close: RST to the peer.
    void reset();

    int fd() const { return fd_; }

  private:
    int fd_;
    SSL* ssl_ = nullptr;
    std::string pending_;  // bytes read past the head
};

}  // namespace routersim
