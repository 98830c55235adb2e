#include "platform/LockFiles.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <algorithm>

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

bool LockFiles::take(QLockFile& lock, const QString& path, int waitMs) {
    // How often a wait looks again for a holder that is gone.
    constexpr qint64 kRecheckMs = 200;
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        removeUnreadable(path);
        removeUnreadable(path + ".rmlock");
        const qint64 slice =
            waitMs < 0 ? kRecheckMs
                       : std::min(kRecheckMs, std::max<qint64>(0, waitMs - waited.elapsed()));
        if (lock.tryLock(int(slice)))
            return true;
        if (lock.error() != QLockFile::LockFailedError)
            return false;
        if (waitMs >= 0 && waited.elapsed() >= waitMs)
            return false;
    }
}

}  // namespace fv
