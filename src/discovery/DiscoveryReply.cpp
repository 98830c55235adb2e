#include "discovery/DiscoveryReply.h"

#include <algorithm>

#include "discovery/DiscoveryRequest.h"

namespace fv {
namespace {

constexpr int kInfoOffset = 8;
constexpr int kExtensionOffset = 272;
constexpr std::uint16_t kExtensionMagic = 0x8082;

std::uint16_t littleEndian16(const std::array<std::uint8_t, kDiscoveryDatagramSize>& b, int at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

}  // namespace

DiscoveryReply parseDiscoveryReply(QByteArrayView datagram) {
    std::array<std::uint8_t, kDiscoveryDatagramSize> buffer{};
    const auto n = std::min<qsizetype>(datagram.size(), kDiscoveryDatagramSize);
    std::copy_n(reinterpret_cast<const std::uint8_t*>(datagram.data()), n, buffer.begin());

    DiscoveryReply reply;
    if (buffer[0] != 0x0C || buffer[1] != 0x16 || littleEndian16(buffer, 2) != 31)
        return reply;
    std::copy_n(buffer.begin() + kInfoOffset, kInfoBlockSize, reply.info.begin());
    const std::uint16_t flags = littleEndian16(buffer, kExtensionOffset + 2);
    if (littleEndian16(buffer, kExtensionOffset) != kExtensionMagic || (flags & 1) == 0) {
        reply.result = ReplyParse::InfoOnly;
        return reply;
    }
    std::copy_n(buffer.begin() + kExtensionOffset, kExtensionBlockSize, reply.extension.begin());
    reply.result = (flags & 0x10) ? ReplyParse::WithExtensionFlag4 : ReplyParse::WithExtension;
    return reply;
}

}  // namespace fv
