#include "discovery/DiscoveredRouterTable.h"

#include <algorithm>

namespace fv {

void DiscoveredRouterTable::add(DiscoveredRouter row) {
    const auto at = std::upper_bound(
        rows_.begin(), rows_.end(), row,
        [](const DiscoveredRouter& a, const DiscoveredRouter& b) { return a.device < b.device; });
    rows_.insert(at, std::move(row));
}

bool DiscoveredRouterTable::hasAddress(const QString& ipAddress) const {
    return firstWithAddress(ipAddress).has_value();
}

std::optional<DiscoveredRouter> DiscoveredRouterTable::firstWithAddress(
    const QString& ipAddress) const {
    for (const DiscoveredRouter& row : rows_)
        if (row.ipAddress == ipAddress)
            return row;
    return std::nullopt;
}

}  // namespace fv
