// What a listener should do wrong for the next requests; set at run time by tests.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace routersim {

struct Faults {
    int delayMs = 0;                 // wait this long before replying (beyond a client's time-out)
    int dripChunkBytes = 0;          // > 0: write the reply in chunks of this size ...
    int dripIntervalMs = 0;          // ... with this pause between them
    bool resetMidBody = false;       // send the head and half the body, then reset the connection
    bool closeWithoutReply = false;  // orderly close (TLS close-notify, FIN) instead of a reply
    std::string statusLine;          // non-empty: replaces the reply's status line verbatim
    // Header lines put before the reply's own (e.g. to push a login's Set-Cookie off the first
    // line).
    std::vector<std::pair<std::string, std::string>> headersFirst;
    bool replaceBody = false;  // replace the reply body with `body`
    std::string body;
    std::string answerWord;    // non-empty: the upload script answers this word
    std::string reportLine;    // non-empty: inserted as the second line of the task report
    std::string onlyTarget;    // non-empty: applies only to targets containing this text
    std::string exceptTarget;  // non-empty: never applies to targets containing this text
    std::string onlyMethod;    // non-empty: applies only to requests of this method ("POST")
    // The router forgets every session just before it handles the request (a session that
    // expires between an upload's two requests, say).
    bool expireSessions = false;
    int remaining = -1;  // requests left to apply to; -1 = until cleared

    bool any() const;
    // A web page that holds "?xml", as routers answer when a script is not found.
    static Faults xmlPage();
};

}  // namespace routersim
