// The BitTorrent column of the settings file ("BTColumn") as plain values; a member without a
// value means the file held no usable value for it.
#pragma once

#include "settings/ColumnField.h"
#include "settings/SetupFormKind.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace fv {

struct BitTorrentSettings {
    static constexpr SetupColumnKind kKind = SetupColumnKind::BitTorrent;

    std::optional<bool> defaultPort{};        // BTDefaultPortChkBox
    std::optional<QString> incomingPort{};    // BTInPort
    std::optional<bool> unlimitedDownload{};  // MaxDLSpChkBox
    std::optional<QString> maxDownload{};     // MaxDLSp
    std::optional<bool> unlimitedUpload{};    // MaxULSpChkBox
    std::optional<QString> maxUpload{};       // MaxULSp
    std::optional<int> encryption{};          // BTEncryComboBox: 0 off, 1 on, 2 required
    std::optional<QString> maxPeers{};        // MaxPeer
    std::optional<QString> maxConnections{};  // MaxConnect
    std::optional<bool> dht{};                // DHT
    std::optional<bool> pex{};                // PEX

    bool operator==(const BitTorrentSettings&) const = default;

    static const std::vector<ColumnField<BitTorrentSettings>>& fields();

    static BitTorrentSettings fromXml(const QByteArray& fileBytes);
    static QByteArray toXml(const BitTorrentSettings& record,
                            SetupFormKind formKind = SetupFormKind::SetupPages);
};

}  // namespace fv
