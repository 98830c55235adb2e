// Encoders of the login address and the service level read from the probed version.
#include <gtest/gtest.h>

#include "router/LoginEncoding.h"
#include "router/ProbeResults.h"

namespace fv {
namespace {

TEST(LoginEncoding, Base64WithPadding) {
    struct Case {
        const char* text;
        const char* encoded;
    };
    const Case cases[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"admin", "YWRtaW4="},
        {"admin:secret", "YWRtaW46c2VjcmV0"},
        {"\xfb\xff", "+/8="},
    };
    for (const Case& c : cases)
        EXPECT_EQ(base64Encode(std::string(c.text)), c.encoded) << c.text;
    EXPECT_EQ(base64Encode(QStringLiteral("\u00e9")), "w6k=");  // UTF-8 bytes C3 A9
}

TEST(LoginEncoding, PercentEncodingKeepsOnlyItsSet) {
    struct Case {
        std::string text;
        std::string encoded;
    };
    const Case cases[] = {
        {"YWRtaW4=", "YWRtaW4%3D"},
        {"+/8=", "%2B%2F8%3D"},
        {"Az09()-_.", "Az09()-_."},
        {"a b~*'!", "a%20b%7E%2A%27%21"},
        {" \t\r\nabc \n", "abc"},
        {" \t \r\n", ""},
        {std::string("\xc3\xa9", 2), "%C3%A9"},
        {std::string(1500, 'a'), std::string(1023, 'a')},
    };
    for (const Case& c : cases)
        EXPECT_EQ(percentEncode(c.text), c.encoded) << c.text.substr(0, 20);
}

TEST(ServiceLevel, LeadingDigitsOfVersion) {
    struct Case {
        const char* version;
        int level;
    };
    const Case cases[] = {{"104", 104},
                          {"103", 103},
                          {"105b", 105},
                          {"v104", 0},
                          {"", 0},
                          {"2.110", 2},
                          {"99999999999999", INT_MAX}};
    for (const Case& c : cases)
        EXPECT_EQ(serviceLevelOf(c.version), c.level) << c.version;
}

}  // namespace
}  // namespace fv
