// The program's own version text. The original read the fixed file-version block of its
// executable; here the build system passes the project version (FV_VERSION_TEXT).
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace fv {

class VersionInfo {
  public:
    static constexpr const char* kFallback = "1.0.0.0";

    // major.minor.release.build from the two 32-bit file-version words (high and low
    // 16 bits of each), in decimal.
    static QString format(uint32_t versionMs, uint32_t versionLs);

    // The two words from a text "a.b.c.d" (each 0..65535); nothing for any other text.
    static std::optional<std::pair<uint32_t, uint32_t>> parse(const QString& text);

    // The text shown on the About page: the build's version, "1.0.0.0" when it is missing
    // or malformed.
    static QString fromText(const QString& text);
    static QString programVersion();
};

}  // namespace fv
