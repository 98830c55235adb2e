// One HTTP request as it arrived on the wire.
#include "Request.h"

#include <cctype>

namespace routersim {

namespace {

bool sameNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

}  // namespace

std::optional<std::string> Request::header(std::string_view name) const {
    for (const auto& [key, value] : headers) {
        if (sameNoCase(key, name))
            return value;
    }
    return std::nullopt;
}

std::string Request::routePath() const {
    const auto raw = std::string_view(target).substr(0, target.find('?'));
    std::string path;
    for (char c : raw) {
        if (c == '/' && !path.empty() && path.back() == '/')
            continue;
        path.push_back(c);
    }
    return path;
}

std::string Request::query() const {
    const auto q = target.find('?');
    return q == std::string::npos ? std::string() : target.substr(q + 1);
}

}  // namespace routersim
