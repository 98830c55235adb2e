// One row of the discovered-router table (`ListViewDD`): the device name as the caption and
// ten sub-items whose positions other code reads (IP address 1, MAC 4, DDNS name 5).
#pragma once

#include <QString>
#include <QStringList>

#include "discovery/DiscoveryReply.h"

namespace fv {

struct DiscoveredRouter {
    QString device;  // the reply's `productId`
    QString ssid;
    QString ipAddress;  // where the reply came from
    QString subnetMask;
    QString printer;
    QString macAddress;  // "00:1A:2B:3C:4D:5E"; empty for an all-zero MAC
    QString ddnsName;
    QString webDavHttpPort;
    QString webDavWanIp;
    QString webDavHttpsPort;
    QString fvPort;  // left empty by the search; detection fills it

    // Sub-items in their fixed order, without the caption.
    QStringList subItems() const;
    // "Device" followed by the sub-items' titles.
    static QStringList columnTitles();

    static DiscoveredRouter fromReply(const DiscoveryReply& reply, const QString& sourceAddress);

    bool operator==(const DiscoveredRouter&) const = default;
};

// The printer text as the table lists it: after the first "$" when the text holds "!$",
// otherwise without its line feeds.
QString printerCell(const QString& printerText);
// Upper-case hex joined by colons; empty when all six bytes are zero.
QString macCell(const std::uint8_t* mac);

}  // namespace fv
