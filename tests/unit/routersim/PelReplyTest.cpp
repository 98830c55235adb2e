// The utility library's reading of the router's command replies, over bytes.
#include <gtest/gtest.h>

#include <string>

#include "pelutil/PelReply.h"
#include "pelutil/pelutil.h"

namespace fv::pelutil {
namespace {

using namespace std::string_literals;

TEST(PelReply, TheStatusAndTheBodysFirstLineDecide) {
    const struct {
        const char* what;
        std::string reply;
        int error;
        const char* values;
    } cases[] = {
        {"values", "HTTP/1.1 200 OK\r\nX: y\r\n\r\nOK 3 4\r\nmore\r\n", PELUTIL_OK, "3 4"},
        {"no values", "HTTP/1.1 200 OK\r\n\r\nOK", PELUTIL_OK, ""},
        {"a bare line feed ends the line", "HTTP/1.1 200 OK\r\n\r\nOK 7\nOK 8", PELUTIL_OK, "7"},
        {"refused", "HTTP/1.1 200 OK\r\n\r\nERR no such command\r\n", PELUTIL_E_REFUSED, ""},
        {"the account", "HTTP/1.1 401 Unauthorized\r\n\r\nOK 1\r\n", PELUTIL_E_ACCOUNT, ""},
        {"OK glued to more is no OK", "HTTP/1.1 200 OK\r\n\r\nOKAY\r\n", PELUTIL_E_NETWORK, ""},
        {"no end of the head", "HTTP/1.1 200 OK\r\nOK 1\r\n", PELUTIL_E_NETWORK, ""},
        {"not HTTP", "SSH-2.0-OpenSSH\r\n\r\nOK 1\r\n", PELUTIL_E_NETWORK, ""},
        {"too short for a status", "HTTP/1\r\n\r\n", PELUTIL_E_NETWORK, ""},
        {"nothing", "", PELUTIL_E_NETWORK, ""},
    };
    for (const auto& c : cases) {
        const CommandReply reply = interpretReply(c.reply);
        EXPECT_EQ(reply.error, c.error) << c.what;
        EXPECT_EQ(reply.values, c.values) << c.what;
    }
}

TEST(PelReply, WanConfigIsFiveDottedAddresses) {
    uint32_t a[5] = {};
    ASSERT_TRUE(parseWanConfig("203.0.113.7 255.255.255.0 203.0.113.1 192.0.2.53 0.0.0.0", a));
    EXPECT_EQ(a[0], 0xCB007107u);
    EXPECT_EQ(a[1], 0xFFFFFF00u);
    EXPECT_EQ(a[4], 0u);
    const struct {
        const char* what;
        std::string values;
    } refused[] = {
        {"four addresses", "1.2.3.4 1.2.3.4 1.2.3.4 1.2.3.4"},
        {"a part above 255", "1.2.3.4 256.0.0.1 1.2.3.4 1.2.3.4 1.2.3.4"},
        {"a name", "router 1.2.3.4 1.2.3.4 1.2.3.4 1.2.3.4"},
        // Found by the fuzz target: inet_pton stopped at the NUL and took the garbled word.
        {"a NUL inside a word", "1.2.3.4\0junk 1.2.3.4 1.2.3.4 1.2.3.4 1.2.3.4"s},
        {"nothing", ""},
    };
    for (const auto& c : refused)
        EXPECT_FALSE(parseWanConfig(c.values, a)) << c.what;
}

}  // namespace
}  // namespace fv::pelutil
