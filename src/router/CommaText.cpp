#include "router/CommaText.h"

namespace fv {
namespace {

constexpr char kQuote = '"';
constexpr char kDelimiter = ',';

bool isBlank(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 1 && u <= 32;
}

// Code 0 ends an item like a blank does but is never skipped, as in the original.
bool endsUnquoted(char c) {
    return c == kDelimiter || static_cast<unsigned char>(c) <= 32;
}

size_t skipBlanks(std::string_view text, size_t i) {
    while (i < text.size() && isBlank(text[i]))
        ++i;
    return i;
}

size_t readQuoted(std::string_view text, size_t i, std::string& item) {
    ++i;  // opening quote
    while (i < text.size()) {
        if (text[i] == kQuote) {
            if (i + 1 < text.size() && text[i + 1] == kQuote) {
                item += kQuote;
                i += 2;
                continue;
            }
            return i + 1;  // closing quote consumed
        }
        item += text[i++];
    }
    return i;
}

}  // namespace

std::vector<std::string> splitCommaText(std::string_view text, size_t maxItems) {
    std::vector<std::string> items;
    size_t i = skipBlanks(text, 0);
    while (i < text.size() && items.size() < maxItems) {
        std::string item;
        if (text[i] == kQuote) {
            i = readQuoted(text, i, item);
        } else {
            const size_t begin = i;
            while (i < text.size() && !endsUnquoted(text[i]))
                ++i;
            item.assign(text.substr(begin, i - begin));
        }
        items.push_back(std::move(item));
        i = skipBlanks(text, i);
        if (i < text.size() && text[i] == kDelimiter) {
            if (i + 1 == text.size() && items.size() < maxItems)
                items.emplace_back();
            i = skipBlanks(text, i + 1);
        } else if (i < text.size() && text[i] == '\0') {
            // A NUL that is not a delimiter would otherwise stop progress.
            ++i;
        }
    }
    return items;
}

}  // namespace fv
