// Lock files without a readable holder (their writer was killed between creating the file and
// writing its holder) are removed once they are old enough; every other lock file stays.
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QSysInfo>

#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "platform/LockFiles.h"

namespace fv {
namespace {

void writeAged(const QString& path, const QByteArray& bytes, int ageMs) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
    f.close();
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addMSecs(-ageMs),
                              QFileDevice::FileModificationTime));
}

TEST(LockFiles, OnlyAnOldLockWithoutAHolderIsRemoved) {
    const struct {
        const char* label;
        QByteArray bytes;
        int ageMs;
        bool removed;
    } cases[] = {
        {"empty, old", QByteArray(), 60000, true},
        {"garbled, old", QByteArray("\xff\x00zz", 4), 60000, true},
        {"empty, just made", QByteArray(), 0, false},
    };
    for (const auto& c : cases) {
        test::ScratchDir dir;
        const QString path = dir.file("FVTask.xml.lock");
        writeAged(path, c.bytes, c.ageMs);
        EXPECT_EQ(LockFiles::removeUnreadable(path), c.removed) << c.label;
        EXPECT_EQ(QFile::exists(path), !c.removed) << c.label;
    }
}

TEST(LockFiles, AHeldLockStaysHowEverOld) {
    test::ScratchDir dir;
    const QString path = dir.file("FVTask.xml.send.lock");
    QLockFile held(path);
    ASSERT_TRUE(held.tryLock(0));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                  QFileDevice::FileModificationTime));
    }
    EXPECT_FALSE(LockFiles::removeUnreadable(path));
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_FALSE(LockFiles::removeUnreadable(dir.file("missing.lock")));
}

// A writer killed while it took a lock must hold the next one up only briefly: the waiting
// side clears the holderless file, and the one QLockFile takes to remove a stale lock, as they
// age. A live holder is waited for, up to the given time.
TEST(LockFiles, TakingALockOutwaitsOnlyHoldersThatAreGone) {
    const int young = LockFiles::kUnreadableAfterMs - 500;
    // The holder line of a process that cannot be running.
    const QByteArray deadHolder =
        "999999999\nferrovane\n" + QSysInfo::machineHostName().toUtf8() + "\n";
    const struct {
        const char* label;
        const char* holderless;  // suffix of a holderless file made just before, or none
        bool deadHolder;         // the lock itself names a holder that is gone
        bool liveHolder;
        int waitMs;
        bool taken;
    } cases[] = {
        {"free", nullptr, false, false, 0, true},
        {"holderless lock made just before", "", false, false, -1, true},
        {"dead holder, holderless remover's lock", ".rmlock", true, false, -1, true},
        {"live holder", nullptr, false, true, 300, false},
    };
    for (const auto& c : cases) {
        test::ScratchDir dir;
        const QString path = dir.file("FVTask.xml.send.lock");
        QLockFile held(path);
        if (c.liveHolder) {
            ASSERT_TRUE(held.tryLock(0));
        }
        if (c.holderless)
            writeAged(path + c.holderless, QByteArray(), young);
        if (c.deadHolder)
            writeAged(path, deadHolder, young);
        QLockFile lock(path);
        lock.setStaleLockTime(0);
        QElapsedTimer t;
        t.start();
        EXPECT_EQ(LockFiles::take(lock, path, c.waitMs), c.taken) << c.label;
        EXPECT_LT(t.elapsed(), 3000) << c.label;
        if (!c.taken) {
            EXPECT_GE(t.elapsed(), c.waitMs) << c.label << ": gave up early";
        }
    }
}

}  // namespace
}  // namespace fv
