// Lock files without a readable holder (their writer was killed between creating the file and
// writing its holder) are removed once they are old enough; every other lock file stays.
#include <QDateTime>
#include <QFile>
#include <QLockFile>

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

}  // namespace
}  // namespace fv
