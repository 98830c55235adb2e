#include "platform/DebugLog.h"

#include <gtest/gtest.h>

namespace fv {
namespace {

TEST(DebugLog, CaptureSeesLinesWithoutPrefix) {
    LogCapture capture;
    DebugLog::write("TimerAtBeginTimer()");
    ASSERT_EQ(capture.lines().size(), 1u);
    EXPECT_EQ(capture.lines()[0], "TimerAtBeginTimer()");
}

TEST(DebugLog, SinkReceivesPrefixedLine) {
    std::string seen;
    auto previous = DebugLog::setSink([&](const std::string& line) { seen = line; });
    DebugLog::write("x");
    DebugLog::setSink(previous);
    EXPECT_EQ(seen, "==FV2.2== x");
}

struct MaskCase {
    const char* input;
    const char* expected;
};

class MaskCredentials : public ::testing::TestWithParam<MaskCase> {};

TEST_P(MaskCredentials, HidesPasswordValues) {
    EXPECT_EQ(DebugLog::maskCredentials(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MaskCredentials,
    ::testing::Values(
        MaskCase{"Address:[http://h:80/check.asp?login_username=admin&login_passwd=c2VjcmV0%3D]",
                 "Address:[http://h:80/check.asp?login_username=admin&login_passwd=****]"},
        MaskCase{"a=1&passwd=abc&b=2", "a=1&passwd=****&b=2"},
        MaskCase{"Authorization: Basic YWRtaW46YWRtaW4=", "Authorization: Basic ****"},
        MaskCase{"nothing secret here", "nothing secret here"},
        MaskCase{"login_passwd=", "login_passwd="}));

TEST(DebugLog, RegisteredSecretNeverReachesSink) {
    LogCapture capture;
    DebugLog::addSecret("hunter22");
    DebugLog::write("NZB account hunter22 stored");
    DebugLog::clearSecrets();
    ASSERT_EQ(capture.lines().size(), 1u);
    EXPECT_EQ(capture.lines()[0], "NZB account **** stored");
}

}  // namespace
}  // namespace fv
