#include "upload/UrlEscapePath.h"

namespace fv {
namespace {

bool keep(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
        return true;
    switch (c) {
        case '(':
        case ')':
        case '-':
        case '_':
        case '.':
        case '+':
        case ':':
        case '/':
        case '%':
        case '=':
        case '?':
        case '&':
            return true;
        default:
            return false;
    }
}

}  // namespace

std::string urlEscapePath(std::string_view bytes) {
    static const char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size() * 3);
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (keep(c)) {
            out += char(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0x0F];
        }
    }
    return out;
}

}  // namespace fv
