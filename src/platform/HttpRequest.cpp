#include "platform/HttpRequest.h"

#include <algorithm>
#include <cctype>
#include <limits>

namespace fv {
namespace {

bool lineHasName(const std::string& line, const std::string& name) {
    if (line.size() <= name.size() || line[name.size()] != ':')
        return false;
    return std::equal(name.begin(), name.end(), line.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    });
}

std::string valueOf(const std::string& line, size_t nameSize) {
    size_t begin = nameSize + 1;
    while (begin < line.size() && line[begin] == ' ')
        ++begin;
    return line.substr(std::min(begin, line.size()));
}

}  // namespace

int HttpRequest::deadlineMs() const {
    if (totalTimeoutMs > 0)
        return totalTimeoutMs;
    constexpr long long kBodyBytesPerMs = 64;
    const long long ms = static_cast<long long>(std::max(connectTimeoutMs, 0)) +
                         3LL * std::max(readTimeoutMs, 0) +
                         static_cast<long long>(body.size()) / kBodyBytesPerMs;
    return static_cast<int>(std::min<long long>(ms, std::numeric_limits<int>::max()));
}

void HttpRequest::setHeader(const std::string& name, const std::string& value) {
    const std::string line = name + ": " + value;
    auto it = std::find_if(headers.begin(), headers.end(),
                           [&](const std::string& l) { return lineHasName(l, name); });
    if (it == headers.end()) {
        headers.push_back(line);
        return;
    }
    *it = line;
    // Later duplicates would put a second line of the same name on the wire.
    headers.erase(std::remove_if(it + 1, headers.end(),
                                 [&](const std::string& l) { return lineHasName(l, name); }),
                  headers.end());
}

void HttpRequest::removeHeader(const std::string& name) {
    headers.erase(std::remove_if(headers.begin(), headers.end(),
                                 [&](const std::string& l) { return lineHasName(l, name); }),
                  headers.end());
}

std::string HttpRequest::header(const std::string& name) const {
    for (const std::string& line : headers)
        if (lineHasName(line, name))
            return valueOf(line, name.size());
    return {};
}

bool HttpRequest::hasHeader(const std::string& name) const {
    return std::any_of(headers.begin(), headers.end(),
                       [&](const std::string& l) { return lineHasName(l, name); });
}

}  // namespace fv
