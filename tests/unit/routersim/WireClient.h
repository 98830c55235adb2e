// A deliberately plain client for the simulator's tests: raw bytes over TCP or TLS, so what the
// tests see is exactly what went over the wire.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace routersim::test {

struct RawReply {
    bool connected = false;
    int error = 0;                   // errno of the failure that ended the exchange, 0 when none
    std::string bytes;               // everything received before the peer closed
    std::string peerCertificatePem;  // TLS only
};

struct ParsedReply {
    std::string statusLine;
    std::vector<std::string> headerLines;  // in order, without CR LF
    std::string body;
};

// Sends `request` as is and reads until the peer closes (or timeoutMs passes without data).
RawReply exchange(std::uint16_t port, const std::string& request, bool tls = false,
                  int timeoutMs = 3000);
ParsedReply parseReply(const std::string& bytes);

// A GET or POST in the shape the client sends, with the given extra header lines.
std::string buildRequest(const std::string& method, const std::string& target,
                         const std::vector<std::string>& headerLines = {},
                         const std::string& body = {});
std::string basicHeader(const std::string& user, const std::string& password);

// Convenience: status line and body of one exchange.
ParsedReply fetch(std::uint16_t port, const std::string& request, bool tls = false);

}  // namespace routersim::test
