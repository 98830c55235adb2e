// A reply with an exact status line and headers in the order given.
#include "Response.h"

namespace routersim {

Response Response::text(std::string body, std::string contentType) {
    Response r;
    r.headers.emplace_back("Content-Type", std::move(contentType));
    r.body = std::move(body);
    return r;
}

Response Response::status(std::string statusLine, std::string body) {
    Response r;
    r.statusLine = std::move(statusLine);
    r.headers.emplace_back("Content-Type", "text/html");
    r.body = std::move(body);
    return r;
}

std::string Response::head() const {
    std::string out = statusLine + "\r\n";
    for (const auto& [name, value] : headers)
        out += name + ": " + value + "\r\n";
    out += "Content-Length: " + std::to_string(body.size()) + "\r\n";
    out += "Connection: close\r\n\r\n";
    return out;
}

}  // namespace routersim
