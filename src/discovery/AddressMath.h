// IPv4 address arithmetic of the search and of detection, on dotted texts as the adapter
// lists and the router's replies carry them.
#pragma once

#include <QString>

namespace fv {

// Each octet is the address octet OR the inverse of the mask octet:
// 192.168.1.37 with 255.255.255.0 gives 192.168.1.255.
QString subnetBroadcastAddress(const QString& address, const QString& mask);

// True for 0.0.0.0 and for addresses strictly inside 10/8, 172.16/12, 192.168/16 and
// 169.254/16 (the bounds themselves are not private). Text that does not parse is not private.
bool isPrivateAddress(const QString& address);

}  // namespace fv
