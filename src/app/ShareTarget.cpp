#include "app/ShareTarget.h"

#include <QUrl>

namespace fv {

bool ShareTarget::isFinished(const QString& status) {
    return status == QLatin1String("Finished") || status == QLatin1String("Seeding");
}

QString ShareTarget::smbUrl(const QString& host, const QString& backslashPath) {
    QUrl url;
    url.setScheme(QStringLiteral("smb"));
    const qsizetype colon = host.lastIndexOf(QLatin1Char(':'));
    bool numeric = false;
    const int port = colon > 0 ? host.mid(colon + 1).toInt(&numeric) : 0;
    if (numeric && port > 0 && port < 65536) {
        url.setHost(host.left(colon));
        url.setPort(port);
    } else {
        url.setHost(host);
    }
    QString path = backslashPath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!path.isEmpty() && !path.startsWith(QLatin1Char('/')))
        path.prepend(QLatin1Char('/'));
    url.setPath(path, QUrl::DecodedMode);
    return url.toString(QUrl::FullyEncoded);
}

QString ShareTarget::taskEntry(const QString& localHost, const QString& downloadFolder,
                               const QString& taskName) {
    return smbUrl(localHost, downloadFolder + QLatin1Char('\\') + taskName);
}

ShareTarget ShareTarget::local(const LocalViewInput& in) {
    if (in.downloadFolder.isEmpty())
        return {smbUrl(in.serverAddress, QString()), true};
    if (!in.finished) {
        const qsizetype last = in.downloadFolder.lastIndexOf(QLatin1Char('\\'));
        const QString parent = last >= 0 ? in.downloadFolder.left(last) : QString();
        return {smbUrl(in.localHost, parent + QStringLiteral("\\InComplete")), false};
    }
    if (in.opensFolder)
        return {smbUrl(in.localHost, in.downloadFolder), false};
    return {taskEntry(in.localHost, in.downloadFolder, in.taskName), false};
}

}  // namespace fv
