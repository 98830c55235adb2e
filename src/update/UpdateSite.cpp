#include "update/UpdateSite.h"

#include <QDir>
#include <QStandardPaths>

#ifndef FV_UPDATE_SITE_DEFAULT
#define FV_UPDATE_SITE_DEFAULT "https://update.ferrovane.invalid"
#endif

namespace fv {

UpdateSite UpdateSite::configured() {
    UpdateSite site;
    const QString base = qEnvironmentVariable(kSiteVariable);
    site.baseUrl = base.isEmpty() ? QStringLiteral(FV_UPDATE_SITE_DEFAULT) : base;
    while (site.baseUrl.endsWith(QLatin1Char('/')))
        site.baseUrl.chop(1);
    site.extraCaFile = qEnvironmentVariable(kCaVariable);
    return site;
}

std::string UpdateSite::versionInfoUrl() const {
    return baseUrl.toStdString() + kVersionPath;
}

std::string UpdateSite::fileUrl(const QString& fileName) const {
    return baseUrl.toStdString() + kFilesPath + fileName.toStdString();
}

std::string UpdateSite::checksumUrl(const QString& fileName) const {
    return fileUrl(fileName) + ".sha256";
}

QString UpdateSite::downloadFolder() {
    QString folder = qEnvironmentVariable(kDownloadVariable);
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    QDir().mkpath(folder);
    return folder;
}

}  // namespace fv
