// The settings file read without any form, for a caller that has no setup fields (fvctl):
// the three columns' records and the connection record filled by the start-up rule.
#pragma once

#include "router/SettingsRecords.h"
#include "settings/BitTorrentSettings.h"
#include "settings/ConnectionSettings.h"
#include "settings/NzbSettings.h"
#include "settings/SettingsFile.h"

#include <QString>

namespace fv {

struct StartupSettings {
    SettingsFile::Status status = SettingsFile::Status::Missing;
    ConnectionSettings connection;
    BitTorrentSettings bitTorrent;
    NzbSettings nzb;
    // Mode, address, port, account and refresh period as ConnectionCommit::fillAtStart
    // gives them, and the stored WebDAV ports; the local address is the stored one, the
    // text the setup pages' local-address list shows after reading the file.
    ConnectionProfile record;

    static StartupSettings load(const QString& path);
};

}  // namespace fv
