#include "discovery/DiscoveryReplyHandler.h"

#include <algorithm>

#include "platform/DebugLog.h"

namespace fv {

bool DiscoveryReplyHandler::macSeen(const InfoBlock& info) const {
    const auto mac = info.begin() + info_block::kMac;
    return std::any_of(store_.begin(), store_.end(), [&](const InfoBlock& stored) {
        return std::equal(mac, mac + info_block::kMacSize, stored.begin() + info_block::kMac);
    });
}

bool DiscoveryReplyHandler::handle(QByteArrayView datagram, const QString& sourceAddress) {
    DebugLog::write("process_UNPACK_GET_INFO - 0");
    const DiscoveryReply reply = parseDiscoveryReply(datagram);
    if (!reply.accepted()) {
        DebugLog::write("responseUnpackGetInfo ERROR");
        return false;
    }
    if (macSeen(reply.info))
        return false;
    DebugLog::write(QStringLiteral("Router IP : ") + sourceAddress);
    if (table_.hasAddress(sourceAddress))
        return false;
    if (reply.info[info_block::kMode] >= 2)
        return false;
    if (storedCount() >= kStoreCapacity)
        return false;
    store_.push_back(reply.info);

    DiscoveredRouter row = DiscoveredRouter::fromReply(reply, sourceAddress);
    DebugLog::write(QStringLiteral("process_UNPACK_GET_INFO - productId:") + row.device);
    DebugLog::write(
        QStringLiteral("process_UNPACK_GET_INFO - GetDDNS, DDNS=[%1]").arg(row.ddnsName));
    DebugLog::write(QStringLiteral("process_UNPACK_GET_INFO - getHttpPort:") + row.webDavHttpPort);
    table_.add(std::move(row));
    return true;
}

}  // namespace fv
