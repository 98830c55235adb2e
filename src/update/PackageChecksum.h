// The SHA-256 the update server publishes beside a package, in sha256sum's format
// ("<64 hex digits>  <file name>", the name optional).
#pragma once

#include <QString>
#include <string_view>

namespace fv {

// The lower-case digest for fileName; empty when the text holds none, or only one that is
// published for another file.
QString publishedSha256(std::string_view text, const QString& fileName);

}  // namespace fv
