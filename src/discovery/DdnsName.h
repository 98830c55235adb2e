// The dynamic-DNS name detection gives a router that is reachable from the internet: the MD5
// digest of its MAC text in upper-case hex ("qzh" in front when that starts with a digit, as a
// host label must not) under the maker's DDNS domain.
#pragma once

#include <QString>

namespace fv {

// The maker's DDNS domain (without the leading dot) and the service name its routers take.
inline constexpr const char* kMakerDdnsDomain = "kovaddns.net";
inline constexpr const char* kMakerDdnsService = "WWW.KOVADDNS.NET";

// "00:1A:2B:3C:4D:5E" -> "<32 hex digits>.kovaddns.net" (or "qzh<32 hex digits>.kovaddns.net").
QString ddnsHostNameForMac(const QString& macText);

// The part before the first dot: what the setup fields show. A name without a dot gives "".
QString ddnsLabel(const QString& hostName);

// Whether a reported DDNS name is one of the maker's.
bool isMakerDdnsName(const QString& name);

// The one-line configuration of the router's DDNS client:
// { "ddns_enable_x" : "1", "ddns_server_x" : "WWW.KOVADDNS.NET", "ddns_hostname_x" : "..." }
QString ddnsConfigJson(const QString& hostName);

}  // namespace fv
