// Small text helpers for the router's wire formats: percent and Base64 codecs, query splitting.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace routersim {

using Params = std::vector<std::pair<std::string, std::string>>;

// Decodes %XX escapes only; a "+" stays a "+" because the client sends raw values in which a
// plus sign is meant literally. A malformed escape is kept as written.
std::string percentDecode(std::string_view text);

// Splits "a=1&b=2" into pairs in order; each name and value is percent-decoded.
Params splitQuery(std::string_view query);

// The value of the first parameter with this name, if any.
std::optional<std::string> paramValue(const Params& params, std::string_view name);

std::string base64Encode(std::string_view bytes);
// Strict RFC 4648 decode (padding required where due); nullopt for anything else.
std::optional<std::string> base64Decode(std::string_view text);

// Quotes a value for the router's bracketed lists: doubles inner double quotes.
std::string quoteItem(std::string_view value);

// Replaces characters that would break a line-oriented reply.
std::string oneLine(std::string_view value);

bool startsWith(std::string_view text, std::string_view prefix);
bool endsWithNoCase(std::string_view text, std::string_view suffix);

}  // namespace routersim
