#include "platform/OsProbe.h"

#include <gtest/gtest.h>

#include "platform/DebugLog.h"

namespace fv {
namespace {

struct UnameCase {
    const char* release;
    const char* machine;
    unsigned major, minor, build;
    const char* bitsLine;
};

class OsProbeFromUname : public ::testing::TestWithParam<UnameCase> {};

TEST_P(OsProbeFromUname, WritesTheLinesInOrder) {
    const UnameCase& c = GetParam();
    const OsFacts facts = OsProbe::factsFromUname(c.release, "#1 SMP Debian", c.machine);
    EXPECT_EQ(facts.majorVersion, c.major);
    EXPECT_EQ(facts.minorVersion, c.minor);
    EXPECT_EQ(facts.buildNumber, c.build);

    const OsProbeResult result = OsProbe::evaluate(facts);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.code, 0);
    EXPECT_FALSE(result.xpFamily);
    const QStringList expected = {QStringLiteral("osVersionInfo.dwPlatFormID : 0"),
                                  QStringLiteral("osVersionInfo.dwBuildNumber : %1").arg(c.build),
                                  QStringLiteral("osVersionInfo.dwMajorVersion: %1").arg(c.major),
                                  QStringLiteral("osVersionInfo.dwMinorVersion: %1").arg(c.minor),
                                  QStringLiteral("osVersionInfo.szCSDVersion: #1 SMP Debian"),
                                  QStringLiteral("OSVersion = Unknown"),
                                  QStringLiteral("check if 64 bit"),
                                  QString::fromLatin1(c.bitsLine)};
    EXPECT_EQ(result.logLines, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Systems, OsProbeFromUname,
    ::testing::Values(UnameCase{"6.1.0-18-amd64", "x86_64", 6, 1, 0, "OS is x64-bit"},
                      UnameCase{"5.15.148", "aarch64", 5, 15, 148, "OS is x64-bit"},
                      UnameCase{"4.19", "armv7l", 4, 19, 0, "OS is x32-bit"},
                      UnameCase{"6", "i686", 6, 0, 0, "OS is x32-bit"},
                      UnameCase{"weird-release", "x86_64", 0, 0, 0, "OS is x64-bit"},
                      UnameCase{"", "", 0, 0, 0, "OS is x32-bit"}));

TEST(OsProbe, UnreadableSystemLogsTheFailureOnly) {
    const OsProbeResult result = OsProbe::evaluate(OsFacts{});
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.logLines,
              QStringList{"(FormMain)Fails for GetVersionEx( (OSVERSIONINFO *)&info )"});
}

TEST(OsProbe, ProbeOfThisSystemLogsOnceAndReportsUnknown) {
    LogCapture capture;
    const OsProbeResult& first = OsProbe::probe();
    const size_t linesAfterFirst = capture.lines().size();
    OsProbe::probe();
    ASSERT_TRUE(first.ok);
    EXPECT_EQ(OsProbe::code(), 0);
    EXPECT_FALSE(OsProbe::isXpFamily());
    // A test run earlier in this process may already have probed; then nothing is written.
    EXPECT_TRUE(linesAfterFirst == 0 || linesAfterFirst == size_t(first.logLines.size()));
    EXPECT_EQ(capture.lines().size(), linesAfterFirst);
}

}  // namespace
}  // namespace fv
