// Encoders of the login address: Base64 (RFC 4648, with padding) and the percent encoding
// applied to Base64 text.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace fv {

// Base64 of the text's 8-bit form (UTF-8 here).
std::string base64Encode(const QString& text);
std::string base64Encode(const std::string& bytes);

// Keeps A-Z a-z 0-9 ( ) - _ . and writes every other byte as %XX (upper-case hex), after
// trimming spaces, tabs, CR and LF from both ends. At most 1023 bytes of input are taken.
std::string percentEncode(const std::string& text);

// Every byte that kept() refuses becomes "%" and two upper-case hex digits. The login and the
// settings write keep different characters, so each passes its own rule.
std::string percentEscape(std::string_view bytes, bool (*kept)(unsigned char));

}  // namespace fv
