// The discovery reply's layout, and that only proper requests are answered, to the sender.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "DiscoveryPacket.h"
#include "SimFixture.h"

namespace routersim::test {
namespace {

// Sends one datagram to the responder on loopback and returns the reply ("" when none came).
std::string ask(std::uint16_t port, const std::string& datagram) {
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    timeval tv{0, 150 * 1000};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::sendto(fd, datagram.data(), datagram.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    char buffer[1024];
    const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
    ::close(fd);
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

std::string text(const std::string& d, std::size_t offset, std::size_t size) {
    const std::string field = d.substr(offset, size);
    return field.substr(0, field.find('\0'));
}

unsigned byteAt(const std::string& d, std::size_t offset) {
    return static_cast<unsigned char>(d[offset]);
}

std::string request() {
    const auto r = discoveryRequest();
    return std::string(r.begin(), r.end());
}

class Discovery : public SimFixture {};

TEST_F(Discovery, ReplyCarriesTheRouterAtFixedOffsets) {
    sim->profile().update([](RouterFacts& f) {
        f.deviceName = "KR-AX3000";
        f.ssid = "HOME";
        f.ddnsName = "abc.kovaddns.test";
        f.wanAddress = "192.168.1.1";
        f.webDavHttpPort = 8082;
    });
    const std::string d = ask(sim->discoveryPort(), request());
    ASSERT_EQ(d.size(), 512u);
    EXPECT_EQ(d.substr(0, 4), std::string("\x0C\x16\x1F\x00", 4));
    EXPECT_EQ(text(d, 8 + 128, 32), "HOME");
    EXPECT_EQ(text(d, 8 + 160, 32), "255.255.255.0");
    EXPECT_EQ(text(d, 8 + 192, 32), "KR-AX3000");
    EXPECT_EQ(byteAt(d, 8 + 240), 0u);
    EXPECT_EQ(d.substr(8 + 241, 6), std::string("\x00\x1A\x2B\x3C\x4D\x5E", 6));
    EXPECT_EQ(d.substr(272, 4), std::string("\x82\x80\x01\x00", 4));
    EXPECT_EQ(d.substr(272 + 6, 2), std::string("\x1F\x92", 2));
    EXPECT_EQ(text(d, 272 + 9, 64), "abc.kovaddns.test");
    EXPECT_EQ(d.substr(272 + 73, 4), std::string("\x01\x01\xA8\xC0", 4));
    const unsigned httpsPort = byteAt(d, 272 + 79) * 256 + byteAt(d, 272 + 80);
    EXPECT_EQ(httpsPort, sim->port(Listener::ShareLink));
}

TEST_F(Discovery, OverlongTextsStayInsideTheirFields) {
    sim->profile().update([](RouterFacts& f) {
        f.deviceName = std::string(80, 'D');
        f.ddnsName = std::string(100, 'n');
    });
    const std::string d = ask(sim->discoveryPort(), request());
    ASSERT_EQ(d.size(), 512u);
    EXPECT_EQ(text(d, 8 + 192, 32), std::string(31, 'D'));
    EXPECT_EQ(byteAt(d, 8 + 224), 0u);
    EXPECT_EQ(text(d, 272 + 9, 64), std::string(63, 'n'));
    EXPECT_EQ(d.substr(272 + 73, 4), std::string("\x2D\x71\x00\xCB", 4));  // 203.0.113.45
}

struct Datagram {
    const char* label;
    std::string bytes;
};

class Ignored : public Discovery, public ::testing::WithParamInterface<Datagram> {};

TEST_P(Ignored, GetsNoReplyAndTheResponderGoesOn) {
    EXPECT_EQ(ask(sim->discoveryPort(), GetParam().bytes), "");
    EXPECT_EQ(ask(sim->discoveryPort(), request()).size(), 512u);
}

INSTANTIATE_TEST_SUITE_P(
    Datagrams, Ignored,
    ::testing::Values(Datagram{"reply",
                               std::string("\x0C\x16\x1F\x00", 4) + std::string(508, '\0')},
                      Datagram{"wrongService", std::string("\x0D\x15\x1F\x00", 4)},
                      Datagram{"wrongOperation", std::string("\x0C\x15\x20\x00", 4)},
                      Datagram{"tooShort", std::string("\x0C\x15\x1F", 3)},
                      Datagram{"oneByte", std::string(1, '\x0C')}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(Discovery, SilentRouterAnswersNothing) {
    sim->discovery().setSilent(true);
    EXPECT_EQ(ask(sim->discoveryPort(), request()), "");
}

TEST_F(Discovery, RouterWithoutExtensionSendsOnlyTheInformationBlock) {
    sim->profile().update([](RouterFacts& f) {
        f.discoveryExtension = false;
        f.ddnsName = "never.example";
    });
    const std::string d = ask(sim->discoveryPort(), request());
    ASSERT_EQ(d.size(), 512u);
    EXPECT_EQ(text(d, 8 + 192, 32), "KR-AX3000");
    EXPECT_EQ(d.substr(272), std::string(240, '\0'));
}

// A fleet answers one request with one reply per member, each from its own address.
TEST(DiscoveryFleet, AnswersAsManyRoutersFromConsecutiveAddresses) {
    SimulatorConfig config;
    config.discoveryFleet = 3;
    config.discoveryFleetFrom = "127.0.1.1";
    Simulator fleet(config);
    std::string error;
    ASSERT_TRUE(fleet.start(&error)) << error;

    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    timeval tv{0, 300 * 1000};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(fleet.discoveryPort());
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const std::string r = request();
    ::sendto(fd, r.data(), r.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    std::vector<std::string> seen;
    for (int i = 0; i < 3; ++i) {
        char buffer[600];
        sockaddr_in from{};
        socklen_t len = sizeof from;
        const ssize_t n =
            ::recvfrom(fd, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &len);
        ASSERT_EQ(n, 512);
        const std::string d(buffer, 512);
        char address[INET_ADDRSTRLEN];
        inet_ntop(AF_INET, &from.sin_addr, address, sizeof address);
        seen.push_back(std::string(address) + " " + text(d, 8 + 192, 32) + " " +
                       std::to_string(byteAt(d, 8 + 246)));
    }
    ::close(fd);
    EXPECT_EQ(seen,
              (std::vector<std::string>{"127.0.1.1 KR-AX3000-000 94", "127.0.1.2 KR-AX3000-001 95",
                                        "127.0.1.3 KR-AX3000-002 96"}));
}

}  // namespace
}  // namespace routersim::test
