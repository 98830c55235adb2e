// Small text helpers for the router's wire formats.
#include "WireText.h"

#include <array>
#include <cctype>

namespace routersim {

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int base64Value(char c) {
    const auto pos = kAlphabet.find(c);
    return pos == std::string_view::npos ? -1 : static_cast<int>(pos);
}

}  // namespace

std::string percentDecode(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const int hi = hexValue(text[i + 1]);
            const int lo = hexValue(text[i + 2]);
            if (hi >= 0 && lo >= 0) {
                out.push_back(static_cast<char>(hi * 16 + lo));
                i += 2;
                continue;
            }
        }
        out.push_back(text[i]);
    }
    return out;
}

Params splitQuery(std::string_view query) {
    Params params;
    std::size_t start = 0;
    while (start <= query.size()) {
        auto end = query.find('&', start);
        if (end == std::string_view::npos)
            end = query.size();
        const auto piece = query.substr(start, end - start);
        if (!piece.empty()) {
            const auto eq = piece.find('=');
            if (eq == std::string_view::npos) {
                params.emplace_back(percentDecode(piece), std::string());
            } else {
                params.emplace_back(percentDecode(piece.substr(0, eq)),
                                    percentDecode(piece.substr(eq + 1)));
            }
        }
        start = end + 1;
    }
    return params;
}

std::optional<std::string> paramValue(const Params& params, std::string_view name) {
    for (const auto& [key, value] : params) {
        if (key == name)
            return value;
    }
    return std::nullopt;
}

std::string base64Encode(std::string_view bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        const unsigned v = (static_cast<unsigned char>(bytes[i]) << 16) |
                           (static_cast<unsigned char>(bytes[i + 1]) << 8) |
                           static_cast<unsigned char>(bytes[i + 2]);
        for (int shift = 18; shift >= 0; shift -= 6)
            out.push_back(kAlphabet[(v >> shift) & 63]);
    }
    const std::size_t rest = bytes.size() - i;
    if (rest > 0) {
        unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
        if (rest == 2)
            v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        out.push_back(kAlphabet[(v >> 18) & 63]);
        out.push_back(kAlphabet[(v >> 12) & 63]);
        out.push_back(rest == 2 ? kAlphabet[(v >> 6) & 63] : '=');
        out.push_back('=');
    }
    return out;
}

std::optional<std::string> base64Decode(std::string_view text) {
    if (text.size() % 4 != 0)
        return std::nullopt;
    std::string out;
    out.reserve(text.size() / 4 * 3);
    for (std::size_t i = 0; i < text.size(); i += 4) {
        std::array<int, 4> v{};
        int pad = 0;
        for (int k = 0; k < 4; ++k) {
            const char c = text[i + k];
            if (c == '=' && i + 4 == text.size() && k >= 2) {
                v[k] = 0;
                ++pad;
                continue;
            }
            if (pad > 0)
                return std::nullopt;
            v[k] = base64Value(c);
            if (v[k] < 0)
                return std::nullopt;
        }
        const unsigned n = (v[0] << 18) | (v[1] << 12) | (v[2] << 6) | v[3];
        out.push_back(static_cast<char>((n >> 16) & 0xFF));
        if (pad < 2)
            out.push_back(static_cast<char>((n >> 8) & 0xFF));
        if (pad < 1)
            out.push_back(static_cast<char>(n & 0xFF));
    }
    return out;
}

std::string quoteItem(std::string_view value) {
    std::string out = "\"";
    for (char c : value) {
        if (c == '"')
            out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
    return out;
}

std::string oneLine(std::string_view value) {
    std::string out(value);
    for (char& c : out) {
        if (c == '\r' || c == '\n' || c == '\0')
            c = ' ';
    }
    return out;
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool endsWithNoCase(std::string_view text, std::string_view suffix) {
    if (suffix.size() > text.size())
        return false;
    const auto tail = text.substr(text.size() - suffix.size());
    for (std::size_t i = 0; i < tail.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(tail[i])) !=
            std::tolower(static_cast<unsigned char>(suffix[i])))
            return false;
    }
    return true;
}

}  // namespace routersim
