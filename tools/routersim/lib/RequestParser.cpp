// Turns a received request head into a Request.
#include "RequestParser.h"

#include <charconv>

namespace routersim {

namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

}  // namespace

std::optional<Request> parseRequestHead(std::string_view head) {
    Request request;
    auto lineEnd = head.find("\r\n");
    if (lineEnd == std::string_view::npos || lineEnd == 0)
        return std::nullopt;
    const auto line = head.substr(0, lineEnd);
    const auto sp1 = line.find(' ');
    if (sp1 == std::string_view::npos || sp1 == 0)
        return std::nullopt;
    request.method = std::string(line.substr(0, sp1));
    auto rest = line.substr(sp1 + 1);
    const auto sp2 = rest.rfind(' ');
    if (sp2 != std::string_view::npos && rest.substr(sp2 + 1).starts_with("HTTP/")) {
        request.version = std::string(rest.substr(sp2 + 1));
        rest = rest.substr(0, sp2);
    }
    if (rest.empty())
        return std::nullopt;
    request.target = std::string(rest);
    auto pos = lineEnd + 2;
    while (pos < head.size()) {
        lineEnd = head.find("\r\n", pos);
        if (lineEnd == std::string_view::npos)
            lineEnd = head.size();
        const auto headerLine = head.substr(pos, lineEnd - pos);
        pos = lineEnd + 2;
        if (headerLine.empty())
            break;
        const auto colon = headerLine.find(':');
        if (colon == std::string_view::npos || colon == 0)
            return std::nullopt;
        request.headers.emplace_back(std::string(headerLine.substr(0, colon)),
                                     std::string(trim(headerLine.substr(colon + 1))));
    }
    return request;
}

std::optional<long long> contentLength(const Request& request) {
    const auto value = request.header("Content-Length");
    if (!value)
        return std::nullopt;
    long long n = -1;
    const auto* end = value->data() + value->size();
    const auto [ptr, ec] = std::from_chars(value->data(), end, n);
    if (ec != std::errc() || ptr != end || n < 0)
        return -1;
    return n;
}

}  // namespace routersim
