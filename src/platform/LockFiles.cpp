#include "platform/LockFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstdio>

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
    const QByteArray native = QFile::encodeName(path);
    struct stat seen {};
    if (::stat(native.constData(), &seen) != 0 || !holderUnreadable(path))
        return false;
    const qint64 ageMs = QDateTime::currentMSecsSinceEpoch() -
                         (qint64(seen.st_mtim.tv_sec) * 1000 + seen.st_mtim.tv_nsec / 1000000);
    if (ageMs < olderThanMs)
        return false;
    // Another waiter may have removed this file meanwhile and taken the lock with a new one.
    // Moving the name aside is atomic: what moved is removed only when it is the file judged
    // here; a live holder's file goes back where it was.
    const QByteArray aside = native + ".stale." + QByteArray::number(qint64(::getpid()));
    if (::rename(native.constData(), aside.constData()) != 0)
        return false;
    struct stat moved {};
    if (::stat(aside.constData(), &moved) != 0 || moved.st_ino != seen.st_ino ||
        moved.st_dev != seen.st_dev) {
        ::renameat2(AT_FDCWD, aside.constData(), AT_FDCWD, native.constData(), RENAME_NOREPLACE);
        return false;
    }
    DebugLog::write("LockFiles: removing a lock file without a holder: " + path);
    return ::unlink(aside.constData()) == 0;
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
