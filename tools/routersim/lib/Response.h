// A reply with an exact status line and headers in the order given.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace routersim {

struct Response {
    std::string statusLine = "HTTP/1.1 200 OK";
    std::vector<std::pair<std::string, std::string>> headers;  // written in this order
    std::string body;
    // Set for handlers that want the connection dropped without any reply.
    bool dropConnection = false;

    static Response text(std::string body, std::string contentType = "text/plain");
    static Response status(std::string statusLine, std::string body = std::string());

    // Status line, headers, Content-Length and Connection: close, blank line (no body).
    std::string head() const;
};

}  // namespace routersim
