#include "platform/VersionInfo.h"

#include <gtest/gtest.h>

namespace fv {
namespace {

struct FormatCase {
    uint32_t ms, ls;
    const char* text;
};

class VersionFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(VersionFormat, SplitsWordsIntoFourNumbers) {
    EXPECT_EQ(VersionInfo::format(GetParam().ms, GetParam().ls), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Words, VersionFormat,
                         ::testing::Values(FormatCase{0x00020002u, 0x00030004u, "2.2.3.4"},
                                           FormatCase{0x00010000u, 0u, "1.0.0.0"},
                                           FormatCase{0xFFFFFFFFu, 0xFFFF0000u,
                                                      "65535.65535.65535.0"},
                                           FormatCase{0x000A0014u, 0x001E0028u, "10.20.30.40"}));

struct TextCase {
    const char* input;
    const char* shown;
};

class VersionFromText : public ::testing::TestWithParam<TextCase> {};

TEST_P(VersionFromText, MalformedFallsBack) {
    EXPECT_EQ(VersionInfo::fromText(QString::fromLatin1(GetParam().input)), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, VersionFromText,
    ::testing::Values(TextCase{"2.2.0.0", "2.2.0.0"}, TextCase{"2.2.3.4", "2.2.3.4"},
                      TextCase{"02.2.0.7", "2.2.0.7"}, TextCase{"", "1.0.0.0"},
                      TextCase{"2.2", "1.0.0.0"}, TextCase{"2.2.0.0.1", "1.0.0.0"},
                      TextCase{"2.2.x.0", "1.0.0.0"}, TextCase{"2.2.-1.0", "1.0.0.0"},
                      TextCase{"2.2.65536.0", "1.0.0.0"}, TextCase{"2..0.0", "1.0.0.0"},
                      TextCase{" 2.2.0.0", "1.0.0.0"}));

TEST(VersionInfo, ProgramVersionComesFromTheBuild) {
    EXPECT_EQ(VersionInfo::programVersion(),
              VersionInfo::fromText(QStringLiteral(FV_VERSION_TEXT)));
    EXPECT_NE(VersionInfo::programVersion(), QString());
}

}  // namespace
}  // namespace fv
