#include "discovery/DiscoveredRouter.h"

#include <algorithm>

namespace fv {
namespace {

// A NUL-padded 8-bit text: it ends at its first NUL or at the end of its field.
QString fieldText(const std::uint8_t* field, int size) {
    const auto* end = std::find(field, field + size, std::uint8_t(0));
    return QString::fromLatin1(reinterpret_cast<const char*>(field), end - field);
}

QString bigEndianPort(const ExtensionBlock& ext, int at) {
    return QString::number(unsigned(ext[at]) << 8 | ext[at + 1]);
}

// Stored as a little-endian number whose most significant byte is the first octet.
QString wanAddress(const ExtensionBlock& ext) {
    const int at = extension_block::kWanAddress;
    return QStringLiteral("%1.%2.%3.%4")
        .arg(ext[at + 3])
        .arg(ext[at + 2])
        .arg(ext[at + 1])
        .arg(ext[at]);
}

}  // namespace

QString printerCell(const QString& printerText) {
    if (printerText.contains(QLatin1String("!$")))
        return printerText.mid(printerText.indexOf(QLatin1Char('$')) + 1);
    QString text = printerText;
    return text.remove(QLatin1Char('\n'));
}

QString macCell(const std::uint8_t* mac) {
    if (std::all_of(mac, mac + 6, [](std::uint8_t b) { return b == 0; }))
        return {};
    QStringList parts;
    for (int i = 0; i < 6; ++i)
        parts << QStringLiteral("%1").arg(mac[i], 2, 16, QLatin1Char('0')).toUpper();
    return parts.join(QLatin1Char(':'));
}

DiscoveredRouter DiscoveredRouter::fromReply(const DiscoveryReply& reply,
                                             const QString& sourceAddress) {
    using namespace info_block;
    const InfoBlock& info = reply.info;
    DiscoveredRouter row;
    row.device = fieldText(&info[kProductId], kProductIdSize);
    row.ssid = fieldText(&info[kSsid], kSsidSize);
    row.ipAddress = sourceAddress;
    row.subnetMask = fieldText(&info[kSubnetMask], kSubnetMaskSize);
    row.printer = printerCell(fieldText(&info[kPrinter], kPrinterSize));
    row.macAddress = macCell(&info[kMac]);
    const ExtensionBlock& ext = reply.extension;  // all zero when the block did not count
    row.ddnsName = fieldText(&ext[extension_block::kDdnsName], extension_block::kDdnsNameSize);
    row.webDavHttpPort = bigEndianPort(ext, extension_block::kWebDavHttpPort);
    row.webDavWanIp = wanAddress(ext);
    row.webDavHttpsPort = bigEndianPort(ext, extension_block::kWebDavHttpsPort);
    return row;
}

QStringList DiscoveredRouter::subItems() const {
    return {ssid,     ipAddress,      subnetMask,  printer,         macAddress,
            ddnsName, webDavHttpPort, webDavWanIp, webDavHttpsPort, fvPort};
}

QStringList DiscoveredRouter::columnTitles() {
    return {QStringLiteral("Device"),       QStringLiteral("SSID"),
            QStringLiteral("IP Address"),   QStringLiteral("Subnet Mask"),
            QStringLiteral("Printer"),      QStringLiteral("Mac Address"),
            QStringLiteral("DDNS Name"),    QStringLiteral("WebDav HttpPort"),
            QStringLiteral("WebDav WanIP"), QStringLiteral("WebDav HttpsPort"),
            QStringLiteral("FV Port")};
}

}  // namespace fv
