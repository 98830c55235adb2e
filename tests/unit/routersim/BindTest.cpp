// Listeners take only the address they are given.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "SimFixture.h"

namespace routersim::test {
namespace {

bool connects(const char* address, std::uint16_t port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    ::inet_pton(AF_INET, address, &to.sin_addr);
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to) == 0;
    ::close(fd);
    return ok;
}

TEST(Bind, ListenersTakeOnlyTheGivenAddress) {
    SimulatorConfig config;
    config.bindAddress = "127.0.0.2";
    Simulator sim(config);
    std::string error;
    ASSERT_TRUE(sim.start(&error)) << error;
    for (Listener which : {Listener::Service, Listener::Web, Listener::Auth, Listener::ShareLink,
                           Listener::Update}) {
        EXPECT_TRUE(connects("127.0.0.2", sim.port(which)));
        EXPECT_FALSE(connects("127.0.0.1", sim.port(which)));
    }
}

struct BadBind {
    const char* label;
    SimulatorConfig config;
};

SimulatorConfig withBind(const char* address, const char* discovery = "") {
    SimulatorConfig c;
    c.bindAddress = address;
    c.discoveryAddress = discovery;
    return c;
}

class Unbindable : public ::testing::TestWithParam<BadBind> {};

TEST_P(Unbindable, FailsToStartWithAReason) {
    Simulator sim(GetParam().config);
    std::string error;
    EXPECT_FALSE(sim.start(&error));
    EXPECT_FALSE(error.empty());
}

INSTANTIATE_TEST_SUITE_P(Addresses, Unbindable,
                         ::testing::Values(BadBind{"hostName", withBind("localhost")},
                                           BadBind{"empty", withBind("")},
                                           BadBind{"discoveryIpv6", withBind("127.0.0.1", "::1")},
                                           BadBind{"notLocal", withBind("192.0.2.1")}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(Bind, TakenPortIsReported) {
    Simulator first;
    ASSERT_TRUE(first.start());
    SimulatorConfig config;
    config.servicePort = first.port(Listener::Service);
    Simulator second(config);
    std::string error;
    EXPECT_FALSE(second.start(&error));
    EXPECT_NE(error.find(std::to_string(config.servicePort)), std::string::npos) << error;
}

}  // namespace
}  // namespace routersim::test
