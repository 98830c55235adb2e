// One HTTP exchange as a value: what HttpClient::perform sends. The caller gives the exact
// header lines; the client adds nothing of its own except what HTTP needs (Host when the
// caller gives none, Content-Length of a body).
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace fv {

struct HttpRequest {
    enum class Method { Get, Post };

    Method method = Method::Get;
    std::string url;  // sent exactly as given: doubled slashes stay

    // Complete lines "Name: value", in the order given. setHeader keeps one line per name.
    std::vector<std::string> headers;

    int connectTimeoutMs = 5000;
    // Bounds the silence while waiting for reply bytes (not the whole exchange).
    int readTimeoutMs = 5000;
    // Bounds the whole exchange, so a peer that drips a byte now and then cannot hold a
    // worker for ever. 0: deadlineMs() derives one from the other time-outs and the body.
    int totalTimeoutMs = 0;

    // POST body, sent byte for byte with Content-Type contentType (when not empty).
    std::string body;
    std::string contentType;

    // https without certificate checks (the router's self-signed certificate).
    bool verifyTls = false;

    // Replies larger than this fail instead of filling memory.
    size_t maxBodyBytes = 16u * 1024u * 1024u;

    // Set from any thread to abandon the exchange; it then fails with "Cancelled".
    std::shared_ptr<std::atomic<bool>> cancel;

    // The overall deadline in effect: totalTimeoutMs, or the connect time-out plus three read
    // time-outs plus the time the body takes at 64 KB/s.
    int deadlineMs() const;

    // Replaces the line of the same (case-insensitive) name in place, or appends it.
    void setHeader(const std::string& name, const std::string& value);
    void removeHeader(const std::string& name);
    // The value of the first line named name, or empty.
    std::string header(const std::string& name) const;
    bool hasHeader(const std::string& name) const;
};

}  // namespace fv
