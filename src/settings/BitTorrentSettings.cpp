#include "settings/BitTorrentSettings.h"

#include "settings/SettingsFile.h"

namespace fv {

using B = BitTorrentSettings;

const std::vector<ColumnField<B>>& BitTorrentSettings::fields() {
    static const std::vector<ColumnField<B>> table = {
        {"BTDefaultPortChkBox", &B::defaultPort},
        {"BTInPort", &B::incomingPort},
        {"MaxDLSpChkBox", &B::unlimitedDownload},
        {"MaxDLSp", &B::maxDownload},
        {"MaxULSpChkBox", &B::unlimitedUpload},
        {"MaxULSp", &B::maxUpload},
        {"BTEncryComboBox", &B::encryption},
        {"MaxPeer", &B::maxPeers},
        {"MaxConnect", &B::maxConnections},
        {"DHT", &B::dht},
        {"PEX", &B::pex},
    };
    return table;
}

BitTorrentSettings BitTorrentSettings::fromXml(const QByteArray& fileBytes) {
    SettingsFile file{QString()};
    file.loadBytes(fileBytes);
    return file.bitTorrent();
}

QByteArray BitTorrentSettings::toXml(const BitTorrentSettings& record, SetupFormKind formKind) {
    SettingsFile file{QString()};
    file.put(record, formKind);
    return file.serialize();
}

}  // namespace fv
