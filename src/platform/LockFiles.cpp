#include "platform/LockFiles.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include "platform/DebugLog.h"

namespace fv {

bool LockFiles::removeUnreadable(const QString& path, int olderThanMs) {
    const QFileInfo info(path);
    if (!info.exists())
        return false;
    qint64 pid = 0;
    QString host, app;
    if (QLockFile(path).getLockInfo(&pid, &host, &app))
        return false;
    const qint64 age = info.lastModified().msecsTo(QDateTime::currentDateTime());
    if (age < olderThanMs)
        return false;
    DebugLog::write("LockFiles: removing a lock file without a holder: " + path);
    return QFile::remove(path);
}

}  // namespace fv
