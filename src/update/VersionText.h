// What the update server's version information says, and how versions compare.
//
// The version-info text: every "#" is a separator; tokens are split at commas, blanks and
// control characters with double quotes grouping a token (the router's item splitting);
// the second token without its first two characters is the compact version, the digits of
// the four parts without dots ("V12234" -> "2234").
#pragma once

#include <QLocale>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace fv {

struct PublishedVersion {
    QString compact;  // "2234"; empty when the text names no usable version
    QString dotted;   // "2.2.3.4"; empty with compact
};

// Never throws; a text without a usable second token gives an empty version.
PublishedVersion parseVersionInfo(std::string_view text);

// "2234" -> "2.2.3.4", "22310" -> "2.2.3.10": a dot before the 2nd, 4th and 6th character of
// the growing text, so the first three parts are one digit and the last takes the rest.
// Empty for anything but 4 to 12 digits.
QString dottedVersion(const QString& compact);

// The four parts of "a.b.c.d" (each 0..65535, as a file version holds them).
std::optional<std::array<std::uint16_t, 4>> versionParts(const QString& dotted);

// candidate is newer than current when its four parts, compared as numbers from the left,
// are greater; false when either is not a four-part version.
bool isNewerVersion(const QString& candidate, const QString& current);

// "FV_" compact "_CHS_note.zip" for a Simplified-Chinese system, else "_CHT_note.zip".
QString releaseNoteFileName(const QString& compact, bool simplifiedChinese);
// Chinese written in simplified characters (zh_CN, zh_SG).
bool isSimplifiedChinese(const QLocale& locale);

// The Debian package the update server publishes for a version: "ferrovane_2.2.3.4_amd64.deb".
QString packageFileName(const QString& dotted, const QString& debianArchitecture);
// The Debian name of the architecture this program was built for.
QString debianArchitecture();

}  // namespace fv
