#include "discovery/DdnsName.h"

#include <QCryptographicHash>

namespace fv {

QString ddnsHostNameForMac(const QString& macText) {
    const QString digest = QString::fromLatin1(
        QCryptographicHash::hash(macText.toLatin1(), QCryptographicHash::Md5).toHex().toUpper());
    const QString label = digest.front().isDigit() ? QStringLiteral("qzh") + digest : digest;
    return label + QLatin1Char('.') + QLatin1String(kMakerDdnsDomain);
}

QString ddnsLabel(const QString& hostName) {
    const qsizetype dot = hostName.indexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : hostName.left(dot);
}

bool isMakerDdnsName(const QString& name) {
    return name.contains(QLatin1String(kMakerDdnsDomain), Qt::CaseInsensitive);
}

QString ddnsConfigJson(const QString& hostName) {
    return QStringLiteral(R"({ "ddns_enable_x" : "1", "ddns_server_x" : "%1", )"
                          R"("ddns_hostname_x" : "%2" })")
        .arg(QLatin1String(kMakerDdnsService), hostName);
}

}  // namespace fv
