// The subnet broadcasts the search sends to, the private-address test of detection, and the
// adapter rows taken from the system's interface list.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <deque>

#include "discovery/AdapterList.h"
#include "discovery/AddressMath.h"

namespace fv {
namespace {

TEST(SubnetBroadcastAddress, SetsTheHostBitsOfTheMask) {
    struct Case {
        const char* address;
        const char* mask;
        const char* broadcast;
    } cases[] = {
        {"192.168.1.37", "255.255.255.0", "192.168.1.255"},
        {"10.1.2.3", "255.0.0.0", "10.255.255.255"},
        {"172.20.5.9", "255.255.240.0", "172.20.15.255"},
        {"192.0.2.130", "255.255.255.128", "192.0.2.255"},
        {"198.51.100.7", "255.255.255.255", "198.51.100.7"},
        {"203.0.113.9", "0.0.0.0", "255.255.255.255"},
        {"192.0.2.1", "", "255.255.255.255"},  // no mask: every bit is a host bit
    };
    for (const Case& c : cases)
        EXPECT_EQ(subnetBroadcastAddress(c.address, c.mask), c.broadcast) << c.address;
}

TEST(IsPrivateAddress, HoldsStrictlyInsideTheRangesAndForZero) {
    struct Case {
        const char* address;
        bool isPrivate;
    } cases[] = {
        {"10.0.0.0", false},        {"10.255.255.255", false},
        {"10.0.0.1", true},         {"10.255.255.254", true},
        {"0.0.0.0", true},          {"172.16.0.0", false},
        {"172.16.0.1", true},       {"172.31.255.254", true},
        {"172.32.0.1", false},      {"192.168.0.0", false},
        {"192.168.1.1", true},      {"169.254.3.4", true},
        {"169.254.255.255", false}, {"203.0.113.45", false},
        {"8.8.8.8", false},         {"", false},
        {"not an address", false},  {"255.255.255.255", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isPrivateAddress(c.address), c.isPrivate) << c.address;
}

// A getifaddrs list made by hand: its nodes and their addresses live as long as the builder.
class InterfaceList {
  public:
    InterfaceList& link(const char* name, unsigned flags = IFF_UP) {
        return add(name, flags, nullptr, nullptr);
    }
    InterfaceList& ipv4(const char* name, const char* address, const char* mask,
                        unsigned flags = IFF_UP) {
        return add(name, flags, in(address), in(mask));
    }
    InterfaceList& ipv6(const char* name) {
        auto& a = v6_.emplace_back();
        a.sin6_family = AF_INET6;
        return add(name, IFF_UP, reinterpret_cast<sockaddr*>(&a), nullptr);
    }
    const ifaddrs* head() {
        for (std::size_t i = 0; i + 1 < nodes_.size(); ++i)
            nodes_[i].ifa_next = &nodes_[i + 1];
        return nodes_.empty() ? nullptr : &nodes_.front();
    }

  private:
    sockaddr* in(const char* text) {
        auto& a = v4_.emplace_back();
        a.sin_family = AF_INET;
        inet_pton(AF_INET, text, &a.sin_addr);
        return reinterpret_cast<sockaddr*>(&a);
    }
    InterfaceList& add(const char* name, unsigned flags, sockaddr* address, sockaddr* mask) {
        ifaddrs node{};
        node.ifa_name = const_cast<char*>(name);
        node.ifa_flags = flags;
        node.ifa_addr = address;
        node.ifa_netmask = mask;
        nodes_.push_back(node);
        return *this;
    }

    std::deque<ifaddrs> nodes_;
    std::deque<sockaddr_in> v4_;
    std::deque<sockaddr_in6> v6_;
};

TEST(AdapterRows, OneRowPerIpv4AddressInInterfaceOrder) {
    InterfaceList list;
    list.link("lo", IFF_UP | IFF_LOOPBACK)
        .link("eth0")
        .link("wlan0")
        .link("eth1")
        .ipv4("lo", "127.0.0.1", "255.0.0.0", IFF_UP | IFF_LOOPBACK)
        .ipv4("eth1", "198.51.100.4", "255.255.255.0")
        .ipv4("eth0", "192.0.2.5", "255.255.255.0")
        .ipv4("eth0", "192.0.2.77", "255.255.255.128")
        .ipv6("wlan0");
    const std::vector<AdapterAddress> expected = {
        {"eth0", "192.0.2.5", "255.255.255.0"},
        {"eth0", "192.0.2.77", "255.255.255.128"},
        {"wlan0", "0.0.0.0", "0.0.0.0"},  // only IPv6: no IPv4 address
        {"eth1", "198.51.100.4", "255.255.255.0"},
    };
    EXPECT_EQ(adapterRows(list.head()), expected);
}

TEST(AdapterRows, AnEmptyListGivesNoRows) {
    EXPECT_TRUE(adapterRows(nullptr).empty());
    InterfaceList onlyLoopback;
    onlyLoopback.ipv4("lo", "127.0.0.1", "255.0.0.0", IFF_UP | IFF_LOOPBACK);
    EXPECT_TRUE(adapterRows(onlyLoopback.head()).empty());
}

}  // namespace
}  // namespace fv
