// A router's answer to the search request, split into its information block (offset 8) and
// its extension block (offset 272). Whatever arrives is read as the first 512 bytes of a
// zero-filled buffer, so a short reply reads as zeros and a long one is cut, never overrun.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <array>
#include <cstdint>

namespace fv {

constexpr int kInfoBlockSize = 248;
constexpr int kExtensionBlockSize = 200;

using InfoBlock = std::array<std::uint8_t, kInfoBlockSize>;
using ExtensionBlock = std::array<std::uint8_t, kExtensionBlockSize>;

// The parser's result codes; the reply handler treats the three accepted ones alike.
enum class ReplyParse : int {
    InfoOnly = 0,        // no valid extension: its fields read as zero
    HeaderMismatch = 1,  // not a search reply
    WithExtension = 5,
    WithExtensionFlag4 = 6,  // extension flags bit 4 set
};

struct DiscoveryReply {
    ReplyParse result = ReplyParse::HeaderMismatch;
    InfoBlock info{};
    ExtensionBlock extension{};

    bool accepted() const { return result != ReplyParse::HeaderMismatch; }
};

DiscoveryReply parseDiscoveryReply(QByteArrayView datagram);

// Offsets inside the information block.
namespace info_block {
constexpr int kPrinter = 0, kPrinterSize = 128;
constexpr int kSsid = 128, kSsidSize = 32;
constexpr int kSubnetMask = 160, kSubnetMaskSize = 32;
constexpr int kProductId = 192, kProductIdSize = 32;
constexpr int kMode = 240;
constexpr int kMac = 241, kMacSize = 6;
}  // namespace info_block

// Offsets inside the extension block.
namespace extension_block {
constexpr int kWebDavHttpPort = 6;
constexpr int kDdnsName = 9, kDdnsNameSize = 64;
constexpr int kWanAddress = 73;
constexpr int kWebDavHttpsPort = 79;
}  // namespace extension_block

}  // namespace fv
