// A raw text exchange over TLS on libcurl (the original used a TCP client component with an
// OpenSSL handler that accepted any certificate). The router's certificate is self-signed, so
// it is not verified against a CA; instead the caller may name the public key it expects
// (trust on first use) and the exchange stops before anything is sent when another key
// answers. Blocking; one call per worker thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace fv {

struct TlsLineRequest {
    std::string host;
    std::uint16_t port = 443;
    std::string bytes;         // sent as they are
    int waitBeforeReadMs = 0;  // a pause between sending and reading
    int timeoutMs = 5000;      // connect time-out and the longest silence while reading
    std::size_t maxReply = 64 * 1024;
    // SHA-256 of the peer's public key (base64); empty: accept any key and report it.
    std::optional<std::string> expectedKeyPin;
};

struct TlsLineReply {
    enum class Failure {
        None,
        Refused,           // nobody listens on the port
        TimedOut,          // connect, handshake or read time-out
        Tls,               // the handshake failed
        KeyChanged,        // another public key than the expected one answered
        ClosedGracefully,  // the peer closed the connection without sending anything
        TooLarge,          // the reply outgrew maxReply
        Other,
    };
    Failure failure = Failure::Other;
    std::string message;   // readable reason when failure != None
    std::string received;  // what arrived until the peer closed
    std::string keyPin;    // the peer's public key pin (when the handshake got that far)
};

class TlsLineClient {
  public:
    static TlsLineReply exchange(const TlsLineRequest& request);
    // The pin form of a DER-encoded SubjectPublicKeyInfo: base64 of its SHA-256.
    static std::string keyPinOf(const std::string& subjectPublicKeyInfoDer);
};

}  // namespace fv
