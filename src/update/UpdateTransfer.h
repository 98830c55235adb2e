// Transfers from the update server: https only, the server's certificate and host name
// verified against the system's trust store (plus the site's extra authorities), no
// redirects, no proxy, no account. Blocking; for a worker thread.
#pragma once

#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace fv {

struct UpdateFetch {
    std::string url;
    QString extraCaFile;  // PEM certificates trusted besides the system's, may be empty
    std::int64_t maxBytes = 1 << 20;
    int connectTimeoutMs = 10000;
    // A transfer that brings no byte for this long fails (a slow one is fine).
    int stallTimeoutMs = 20000;
    std::shared_ptr<std::atomic<bool>> cancel;
};

enum class TransferFailure { None, Network, Untrusted, Status, TooLarge, Cancelled, Sink };

struct TransferOutcome {
    TransferFailure failure = TransferFailure::None;
    // For the debug log: what went wrong, never with a body or an account.
    std::string failureText;
    bool ok() const { return failure == TransferFailure::None; }
};

class UpdateTransfer {
  public:
    // Takes each chunk of the body; false stops the transfer (Sink failure).
    using Sink = std::function<bool(const char* data, std::size_t size)>;
    // received and expected bytes (expected 0 while the size is not known).
    using Progress = std::function<void(std::int64_t received, std::int64_t expected)>;

    static TransferOutcome fetch(const UpdateFetch& fetch, std::string* body);
    static TransferOutcome stream(const UpdateFetch& fetch, const Sink& sink,
                                  const Progress& progress);
};

}  // namespace fv
