// The version-info text, the comparison of versions, the file names the update window asks
// for, and the published checksum's format.
#include <gtest/gtest.h>

#include <QLocale>
#include <string>

#include "update/PackageChecksum.h"
#include "update/VersionText.h"

namespace fv {
namespace {

struct InfoCase {
    const char* text;
    const char* compact;
    const char* dotted;
};

class VersionInfoText : public ::testing::TestWithParam<InfoCase> {};

TEST_P(VersionInfoText, GivesTheCompactAndDottedVersion) {
    const PublishedVersion v = parseVersionInfo(GetParam().text);
    EXPECT_EQ(v.compact.toStdString(), GetParam().compact) << GetParam().text;
    EXPECT_EQ(v.dotted.toStdString(), GetParam().dotted) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VersionInfoText,
    ::testing::Values(
        InfoCase{"x V12234", "2234", "2.2.3.4"},
        InfoCase{"FV22#V12234#2026-12-01\r\n", "2234", "2.2.3.4"},  // "#" separates
        InfoCase{"FV22,V12235", "2235", "2.2.3.5"},
        InfoCase{"FV22\tV122310\r\n", "22310", "2.2.3.10"},   // the last part takes the rest
        InfoCase{"\"FV 22\" \"V12234\"", "2234", "2.2.3.4"},  // quotes group a token
        InfoCase{"FV22,,V12234", "", ""},                     // an empty token is the second one
        InfoCase{"FV22##V12234", "2234", "2.2.3.4"},          // blanks in a row are one separator
        InfoCase{"FV22", "", ""}, InfoCase{"", "", ""}, InfoCase{"FV22 V1", "", ""},
        InfoCase{"FV22 V1223", "", ""},            // three digits make no four parts
        InfoCase{"FV22 V122a4", "", ""},           // not all digits
        InfoCase{"FV22 V11234567890123", "", ""},  // beyond twelve digits
        InfoCase{"<html>404 Not Found</html>", "", ""}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

struct CompareCase {
    const char* candidate;
    const char* current;
    bool newer;
};

class VersionComparison : public ::testing::TestWithParam<CompareCase> {};

TEST_P(VersionComparison, ComparesTheFourPartsAsNumbers) {
    EXPECT_EQ(isNewerVersion(GetParam().candidate, GetParam().current), GetParam().newer)
        << GetParam().candidate << " against " << GetParam().current;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VersionComparison,
    ::testing::Values(
        CompareCase{"2.2.3.4", "2.2.3.4", false}, CompareCase{"2.2.3.5", "2.2.3.4", true},
        CompareCase{"2.2.3.10", "2.2.3.4", true}, CompareCase{"2.2.3.4", "2.2.3.10", false},
        CompareCase{"2.2.3.3", "2.2.3.4", false}, CompareCase{"3.0.0.0", "2.9.9.9", true},
        CompareCase{"2.10.0.0", "2.9.0.0", true}, CompareCase{"2.2.0.1", "2.2.0.0", true},
        CompareCase{"", "2.2.3.4", false}, CompareCase{"2.2.3.5", "", false},
        CompareCase{"2.2.3", "2.2.3.4", false}, CompareCase{"2.2.3.5.1", "2.2.3.4", false},
        CompareCase{"2.2.3.x", "2.2.3.4", false}, CompareCase{"2.2.3.70000", "2.2.3.4", false}));

TEST(UpdateFileNames, ReleaseNoteByLanguageAndPackageByVersion) {
    EXPECT_EQ(releaseNoteFileName("2234", true), "FV_2234_CHS_note.zip");
    EXPECT_EQ(releaseNoteFileName("2234", false), "FV_2234_CHT_note.zip");
    EXPECT_EQ(packageFileName("2.2.3.4", "amd64"), "ferrovane_2.2.3.4_amd64.deb");
}

TEST(UpdateFileNames, SimplifiedChineseIsTheScriptNotTheLanguage) {
    struct Row {
        const char* locale;
        bool simplified;
    };
    for (const Row& r : {Row{"zh_CN", true}, Row{"zh_SG", true}, Row{"zh_TW", false},
                         Row{"zh_HK", false}, Row{"en_US", false}, Row{"ja_JP", false}})
        EXPECT_EQ(isSimplifiedChinese(QLocale(QString::fromLatin1(r.locale))), r.simplified)
            << r.locale;
}

struct ChecksumCase {
    const char* text;
    const char* digest;  // expected for "pkg.deb"
};

class PublishedChecksum : public ::testing::TestWithParam<ChecksumCase> {};

constexpr const char* kDigest = "715c2acc29e38728d8a618e1dfcbb5a2c707e46a3c4d2736c1647e0fce81cf5e";
constexpr const char* kUpper = "715C2ACC29E38728D8A618E1DFCBB5A2C707E46A3C4D2736C1647E0FCE81CF5E";

TEST_P(PublishedChecksum, FindsTheDigestForTheFile) {
    EXPECT_EQ(publishedSha256(GetParam().text, "pkg.deb").toStdString(), GetParam().digest)
        << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PublishedChecksum,
    ::testing::Values(
        ChecksumCase{"715c2acc29e38728d8a618e1dfcbb5a2c707e46a3c4d2736c1647e0fce81cf5e  pkg.deb\n",
                     kDigest},
        ChecksumCase{"715c2acc29e38728d8a618e1dfcbb5a2c707e46a3c4d2736c1647e0fce81cf5e *pkg.deb",
                     kDigest},
        ChecksumCase{"715c2acc29e38728d8a618e1dfcbb5a2c707e46a3c4d2736c1647e0fce81cf5e\n", kDigest},
        ChecksumCase{"715C2ACC29E38728D8A618E1DFCBB5A2C707E46A3C4D2736C1647E0FCE81CF5E  pkg.deb",
                     kDigest},
        // Another file's line first: the file's own line counts.
        ChecksumCase{"0000000000000000000000000000000000000000000000000000000000000000  other.deb\n"
                     "715c2acc29e38728d8a618e1dfcbb5a2c707e46a3c4d2736c1647e0fce81cf5e  pkg.deb\n",
                     kDigest},
        ChecksumCase{"715c2acc29e38728d8a618e1dfcbb5a2c707e46a3c4d2736c1647e0fce81cf5e  other.deb",
                     ""},
        ChecksumCase{"715c2acc29e38728d8a618e1dfcbb5a2c707e46a3c4d2736c1647e0fce81cf5  pkg.deb",
                     ""},  // 63 digits
        ChecksumCase{"715c2acc29e38728d8a618e1dfcbb5a2c707e46a3c4d2736c1647e0fce81cf5g  pkg.deb",
                     ""},
        ChecksumCase{"<html>404</html>", ""}, ChecksumCase{"", ""}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(PublishedChecksumCase, UpperCaseDigestsAreLowered) {
    EXPECT_EQ(publishedSha256(kUpper, "pkg.deb").toStdString(), kDigest);
}

}  // namespace
}  // namespace fv
