// The share-link worker (the original's TGetWebDavDirThread): one request over TLS to the
// router's WebDAV HTTPS port, a 1000 ms wait, the reply read until the router closes, and the
// link parsed from it. It works on copies made on the UI thread and returns a value; it never
// throws. The TLS exchange is injectable for tests.
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "app/ShareLinkRequest.h"
#include "platform/TlsLineClient.h"

namespace fv {

class ShareLinkFetch {
  public:
    static constexpr int kWaitMs = 1000;
    static constexpr int kTimeoutMs = 5000;
    using Exchange = std::function<TlsLineReply(const TlsLineRequest&)>;

    struct Input {
        ShareLinkQuery query;
        QString port;  // WebDavHttpsPort, already "443" when it was empty
        std::optional<std::string> pin;
    };
    struct Result {
        std::string shareLink;       // empty: no link in the reply (or no reply)
        bool gracefulClose = false;  // the router closed the connection without a reply
        bool keyChanged = false;     // another key than the pinned one answered: nothing sent
        std::string keyPin;          // the key the router showed (empty before a handshake)
    };

    static Result execute(const Input& input, const Exchange& exchange = TlsLineClient::exchange);
};

}  // namespace fv
