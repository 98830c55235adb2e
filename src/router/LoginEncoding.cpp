#include "router/LoginEncoding.h"

#include <QByteArray>

namespace fv {

std::string base64Encode(const std::string& bytes) {
    return QByteArray::fromStdString(bytes).toBase64().toStdString();
}

std::string base64Encode(const QString& text) {
    return base64Encode(text.toStdString());
}

std::string percentEscape(std::string_view bytes, bool (*kept)(unsigned char)) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 3);
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (kept(c)) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0x0F];
        }
    }
    return out;
}

std::string percentEncode(const std::string& text) {
    // The original passed the text through a 1024-byte buffer with its terminator.
    constexpr size_t kMaxBytes = 1023;
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    end = std::min(end, begin + kMaxBytes);
    return percentEscape(std::string_view(text).substr(begin, end - begin), [](unsigned char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
               c == '(' || c == ')' || c == '-' || c == '_' || c == '.';
    });
}

}  // namespace fv
