// The discovery datagrams on UDP.
#include "DiscoveryPacket.h"

#include <arpa/inet.h>

#include <algorithm>
#include <string>

namespace routersim {

namespace {

constexpr std::uint8_t kService = 0x0C;
constexpr std::uint8_t kRequest = 0x15;
constexpr std::uint8_t kResponse = 0x16;
constexpr std::uint16_t kOperation = 31;
constexpr std::size_t kInfo = 8;
constexpr std::size_t kExtension = 272;

void putText(DiscoveryDatagram& d, std::size_t offset, std::size_t field, const std::string& text) {
    // Leave room for the terminating NUL so readers never run past the field.
    const std::size_t n = std::min(text.size(), field - 1);
    std::copy_n(text.begin(), n, d.begin() + static_cast<long>(offset));
}

void putBigEndian16(DiscoveryDatagram& d, std::size_t offset, std::uint16_t value) {
    d[offset] = static_cast<std::uint8_t>(value >> 8);
    d[offset + 1] = static_cast<std::uint8_t>(value & 0xFF);
}

void header(DiscoveryDatagram& d, std::uint8_t type) {
    d[0] = kService;
    d[1] = type;
    d[2] = kOperation & 0xFF;
    d[3] = kOperation >> 8;
}

}  // namespace

bool isDiscoveryRequest(std::string_view datagram) {
    return datagram.size() >= 4 && static_cast<std::uint8_t>(datagram[0]) == kService &&
           static_cast<std::uint8_t>(datagram[1]) == kRequest &&
           static_cast<std::uint8_t>(datagram[2]) == (kOperation & 0xFF) &&
           static_cast<std::uint8_t>(datagram[3]) == (kOperation >> 8);
}

DiscoveryDatagram discoveryRequest() {
    DiscoveryDatagram d{};
    header(d, kRequest);
    return d;
}

DiscoveryDatagram discoveryReply(const RouterFacts& facts) {
    DiscoveryDatagram d{};
    header(d, kResponse);
    putText(d, kInfo + 0, 128, facts.printer);
    putText(d, kInfo + 128, 32, facts.ssid);
    putText(d, kInfo + 160, 32, facts.subnetMask);
    putText(d, kInfo + 192, 32, facts.deviceName);
    d[kInfo + 240] = facts.mode;
    std::copy_n(facts.mac, 6, d.begin() + kInfo + 241);
    if (!facts.discoveryExtension)
        return d;

    d[kExtension + 0] = 0x82;
    d[kExtension + 1] = 0x80;
    d[kExtension + 2] = 0x01;  // flags: bit 0, the block is valid
    putBigEndian16(d, kExtension + 6, facts.webDavHttpPort);
    putText(d, kExtension + 9, 64, facts.ddnsName);
    in_addr wan{};
    if (inet_pton(AF_INET, facts.wanAddress.c_str(), &wan) == 1) {
        // Little-endian 32-bit number whose most significant byte is the first octet.
        const auto* octets = reinterpret_cast<const std::uint8_t*>(&wan.s_addr);
        for (int i = 0; i < 4; ++i)
            d[kExtension + 73 + i] = octets[3 - i];
    }
    putBigEndian16(d, kExtension + 79, facts.webDavHttpsPort);
    return d;
}

}  // namespace routersim
