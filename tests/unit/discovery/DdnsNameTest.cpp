// The DDNS name detection gives a router, and the configuration text that sets it.
#include <gtest/gtest.h>

#include "discovery/DdnsName.h"

namespace fv {
namespace {

TEST(DdnsHostName, IsTheMd5OfTheMacTextWithQzhBeforeADigit) {
    struct Case {
        const char* mac;
        const char* host;
    } cases[] = {
        // Digest (upper-case hex) starting with a letter: the 32 digits alone.
        {"02:00:00:00:00:05", "FD316938E915C45D05708D088A7678DF.kovaddns.net"},
        // Starting with a digit: "qzh" in front, 35 characters.
        {"00:1A:2B:3C:4D:5E", "qzh64EF59ED159B1CFD56057DA3B82A7677.kovaddns.net"},
        {"02:00:00:00:00:02", "qzh00865256196D82D9663EAD08C67CE04E.kovaddns.net"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ddnsHostNameForMac(c.mac), c.host) << c.mac;
    EXPECT_EQ(ddnsLabel(ddnsHostNameForMac("02:00:00:00:00:05")).size(), 32);
    EXPECT_EQ(ddnsLabel(ddnsHostNameForMac("00:1A:2B:3C:4D:5E")).size(), 35);
}

TEST(DdnsLabel, IsThePartBeforeTheFirstDot) {
    EXPECT_EQ(ddnsLabel("abc.kovaddns.net"), "abc");
    EXPECT_EQ(ddnsLabel("a.b.c"), "a");
    EXPECT_EQ(ddnsLabel("nodot"), "");
    EXPECT_EQ(ddnsLabel(".lead"), "");
}

TEST(DdnsName, MakerNamesAreRecognisedByTheDomain) {
    EXPECT_TRUE(isMakerDdnsName("abc.kovaddns.net"));
    EXPECT_TRUE(isMakerDdnsName("ABC.KOVADDNS.NET"));
    EXPECT_FALSE(isMakerDdnsName("home.example.org"));
    EXPECT_FALSE(isMakerDdnsName(""));
}

TEST(DdnsConfigJson, HasTheRoutersSpacingAndOrder) {
    EXPECT_EQ(ddnsConfigJson("H.kovaddns.net"),
              R"({ "ddns_enable_x" : "1", "ddns_server_x" : "WWW.KOVADDNS.NET", )"
              R"("ddns_hostname_x" : "H.kovaddns.net" })");
}

}  // namespace
}  // namespace fv
