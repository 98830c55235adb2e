// The outcome of one HTTP exchange. The router layer's classification (RouterOutcome) finds
// codes ("200", "401", "10061", ...) in statusText and failureText as substrings, so neither
// ever holds a port number, a host name or a duration that could contain such digits by
// accident.
#pragma once

#include <string>
#include <vector>

namespace fv {

struct HttpResponse {
    // A status line arrived (also for an error status).
    bool replied = false;
    // The exchange completed with a 1xx/2xx status.
    bool ok = false;
    bool timedOut = false;
    bool cancelled = false;

    int statusCode = 0;
    // The reply's status line, e.g. "HTTP/1.1 200 OK" (no line break); empty without reply.
    std::string statusText;
    // The reply's header lines after the status line, in order, without line breaks.
    std::vector<std::string> headerLines;
    std::string body;

    // Empty on success. For an error status (3xx included: redirects are never followed)
    // the status line; for a network failure "Socket Error # <number> <system message>",
    // numbered as the router protocol's callers expect (10061 refused, 11001 host not
    // found); a time-out carries no number.
    std::string failureText;
};

}  // namespace fv
