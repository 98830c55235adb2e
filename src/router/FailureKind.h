// Why an exchange with the router gave no usable answer, as the callers tell failures apart.
#pragma once

namespace fv {

enum class FailureKind {
    None,              // the status line says 200
    Refused,           // socket error 10061
    HostNotFound,      // socket error 11001
    TimedOut,          // connect or read time-out
    Unauthorized,      // 401: user name or password rejected
    Busy,              // 600: another user is logged in
    Redirect,          // 307: the session expired (or the page moved)
    NotFound,          // 404
    OtherStatus,       // any other status, also a success other than 200
    NotAReport,        // a report was expected and some other page ("?xml") came
    TooLarge,          // the reply outgrew its limit
    Cancelled,         // the caller gave up on the exchange
    ConnectionClosed,  // the router closed or reset the connection
    NoAddress,         // no router address set up: nobody was asked
    Other,             // anything else, also no reply at all
};

}  // namespace fv
