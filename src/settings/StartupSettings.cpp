#include "settings/StartupSettings.h"

#include "platform/DebugLog.h"
#include "settings/ConnectionCommit.h"

namespace fv {

StartupSettings StartupSettings::load(const QString& path) {
    StartupSettings out;
    SettingsFile file(path);
    out.status = file.load();
    out.connection = file.connection();
    out.bitTorrent = file.bitTorrent();
    out.nzb = file.nzb();
    ConnectionCommit::fillAtStart(out.record, out.connection,
                                  out.connection.localAddress.value_or(QString()));
    out.record.WebDavHttpPort = out.connection.webDavHttpPort.value_or(QString());
    out.record.WebDavHttpsPort = out.connection.webDavHttpsPort.value_or(QString());
    if (!out.record.Password.isEmpty())
        DebugLog::addSecret(out.record.Password.toStdString());
    return out;
}

}  // namespace fv
