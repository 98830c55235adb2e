// Decides which replies of a search become rows (`process_UNPACK_GET_INFO`): a valid header,
// a MAC not seen before in this search, an address not yet listed, a mode below 2 and room in
// the 255-entry reply store. Runs on the user-interface thread.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <vector>

#include "discovery/DiscoveredRouterTable.h"
#include "discovery/DiscoveryReply.h"

namespace fv {

class DiscoveryReplyHandler {
  public:
    static constexpr int kStoreCapacity = 255;

    explicit DiscoveryReplyHandler(DiscoveredRouterTable& table) : table_(table) {}

    // `ClearDiscoveredRouters`: forgets the replies of the previous search.
    void clearStore() { store_.clear(); }
    int storedCount() const { return static_cast<int>(store_.size()); }

    // Returns true when the reply added a row.
    bool handle(QByteArrayView datagram, const QString& sourceAddress);

  private:
    bool macSeen(const InfoBlock& info) const;

    DiscoveredRouterTable& table_;
    std::vector<InfoBlock> store_;  // `ReplyStore`
};

}  // namespace fv
