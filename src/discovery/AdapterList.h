// The computer's IPv4 addresses, one row per (interface, address) pair in the order the system
// reports its interfaces; the interface name stands in for the adapter's description.
#pragma once

#include <QString>
#include <vector>

struct ifaddrs;

namespace fv {

struct AdapterAddress {
    QString description;
    QString address;  // "0.0.0.0" for an interface without an IPv4 address
    QString mask;

    bool operator==(const AdapterAddress&) const = default;
};

// The rows of a getifaddrs list; the loopback interface is left out, as it leads to no router.
std::vector<AdapterAddress> adapterRows(const ifaddrs* list);

// The rows of this computer's interfaces now; empty (with a log line) when the query fails.
std::vector<AdapterAddress> localAdapterRows();

}  // namespace fv
