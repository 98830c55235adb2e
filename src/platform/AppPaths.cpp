#include "platform/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace fv {
namespace {

QString withSlash(QString path) {
    if (!path.endsWith('/'))
        path += '/';
    return path;
}

void makePrivateFolder(const QString& path) {
    QDir().mkpath(path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

}  // namespace

QString AppPaths::dataFolder() {
    QString folder = qEnvironmentVariable("FV_DATA_DIR");
    if (folder.isEmpty()) {
        QString base = qEnvironmentVariable("XDG_DATA_HOME");
        if (base.isEmpty())
            base = QDir::homePath() + "/.local/share";
        folder = base + "/ferrovane";
    }
    folder = withSlash(QDir::cleanPath(folder));
    if (!QFileInfo::exists(folder))
        makePrivateFolder(folder);
    return folder;
}

QString AppPaths::dataFolderProblem() {
    const QString folder = dataFolder();
    const QFileInfo info(folder);
    if (!info.isDir())
        return QStringLiteral("cannot create the data folder ") + folder;
    if (!info.isWritable())
        return QStringLiteral("cannot write into the data folder ") + folder;
    return QString();
}

QString AppPaths::taskFilePath() {
    return dataFolder() + "FVTask.xml";
}

QString AppPaths::setupFilePath() {
    return dataFolder() + "FVSetup.xml";
}

QString AppPaths::resourceFolder() {
    const QString fromEnv = qEnvironmentVariable("FV_RESOURCE_DIR");
    if (!fromEnv.isEmpty())
        return withSlash(fromEnv);
    if (QCoreApplication::instance()) {
        const QString exeDir = withSlash(QCoreApplication::applicationDirPath());
        if (QFileInfo::exists(exeDir + "FV2Lang.ini"))
            return exeDir;
        const QString installed = exeDir + "../share/ferrovane/";
        if (QFileInfo::exists(installed + "FV2Lang.ini"))
            return QDir::cleanPath(installed) + "/";
    }
#ifdef FV_SOURCE_RESOURCES
    return withSlash(QStringLiteral(FV_SOURCE_RESOURCES));
#else
    return QString();
#endif
}

}  // namespace fv
