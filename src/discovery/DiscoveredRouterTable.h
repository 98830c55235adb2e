// The discovered-router table (`ListViewDD`), kept sorted ascending by device name. It lives on
// the user-interface thread: the receive thread hands its datagrams over rather than writing
// here, so readers never see a half-added row.
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "discovery/DiscoveredRouter.h"

namespace fv {

class DiscoveredRouterTable {
  public:
    const std::vector<DiscoveredRouter>& rows() const { return rows_; }
    int count() const { return static_cast<int>(rows_.size()); }
    bool empty() const { return rows_.empty(); }

    void clear() { rows_.clear(); }
    // Inserts after every row whose device name sorts before or equal to it.
    void add(DiscoveredRouter row);
    bool hasAddress(const QString& ipAddress) const;
    // The first row (in table order) whose IP address is the given one.
    std::optional<DiscoveredRouter> firstWithAddress(const QString& ipAddress) const;

  private:
    std::vector<DiscoveredRouter> rows_;
};

}  // namespace fv
