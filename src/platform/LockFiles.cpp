#include "platform/LockFiles.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QThread>

#include <algorithm>

#include "platform/DebugLog.h"

namespace fv {

namespace {

bool holderUnreadable(const QString& path) {
    qint64 pid = 0;
    QString host, app;
    return QFileInfo::exists(path) && !QLockFile(path).getLockInfo(&pid, &host, &app);
}

}  // namespace

bool LockFiles::removeUnreadable(const QString& path, int olderThanMs) {
    if (!holderUnreadable(path))
        return false;
    const qint64 age = QFileInfo(path).lastModified().msecsTo(QDateTime::currentDateTime());
    if (age < olderThanMs)
        return false;
    DebugLog::write("LockFiles: removing a lock file without a holder: " + path);
    return QFile::remove(path);
}

void LockFiles::outwaitUnreadable(const QString& path) {
    QElapsedTimer waited;
    waited.start();
    while (holderUnreadable(path) && waited.elapsed() <= kUnreadableAfterMs) {
        QThread::msleep(100);
        removeUnreadable(path);
    }
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
