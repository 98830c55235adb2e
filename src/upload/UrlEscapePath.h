// The URL escape of the selection request: letters, digits and ( ) - _ . + : / % = ? & stay;
// every other byte becomes "%" and two lower-case hex digits (a blank %20, "\" %5c, each byte
// of a non-ASCII character its own %xx).
#pragma once

#include <string>
#include <string_view>

namespace fv {

std::string urlEscapePath(std::string_view bytes);

}  // namespace fv
