// Listeners take only the address they are given.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

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

// Socket inodes of this process's open descriptors.
std::set<std::string> ownSocketInodes() {
    std::set<std::string> inodes;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code ec;
        const std::string target = std::filesystem::read_symlink(entry.path(), ec).string();
        if (!ec && target.rfind("socket:[", 0) == 0)
            inodes.insert(target.substr(8, target.size() - 9));
    }
    return inodes;
}

// Whether this process listens on address:port, read from the kernel's socket table, so a
// listener of another test process that happens to hold the same port number on that
// address does not count. addressHex is the table's form ("0100007F" for 127.0.0.1).
bool thisProcessListensOn(const std::string& addressHex, std::uint16_t port) {
    char portHex[8];
    std::snprintf(portHex, sizeof portHex, "%04X", port);
    const std::string local = addressHex + ":" + portHex;
    const std::set<std::string> own = ownSocketInodes();
    std::ifstream table("/proc/net/tcp");
    std::string line;
    std::getline(table, line);  // header
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string slot, localAddress, remote, state, queues, timer, retransmits, uid, timeout,
            inode;
        fields >> slot >> localAddress >> remote >> state >> queues >> timer >> retransmits >>
            uid >> timeout >> inode;
        if (localAddress == local && state == "0A" && own.count(inode))
            return true;
    }
    return false;
}

TEST(Bind, ListenersTakeOnlyTheGivenAddress) {
    SimulatorConfig config;
    config.bindAddress = "127.0.0.2";
    Simulator sim(config);
    std::string error;
    ASSERT_TRUE(sim.start(&error)) << error;
    for (Listener which : {Listener::Service, Listener::Web, Listener::Auth, Listener::ShareLink,
                           Listener::Update}) {
        const std::uint16_t port = sim.port(which);
        EXPECT_TRUE(connects("127.0.0.2", port));
        EXPECT_TRUE(thisProcessListensOn("0200007F", port));
        EXPECT_FALSE(thisProcessListensOn("0100007F", port));
        EXPECT_FALSE(thisProcessListensOn("00000000", port));
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
