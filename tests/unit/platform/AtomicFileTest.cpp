#include "platform/AtomicFile.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include "TestEnvironment.h"

namespace fv {
namespace {

TEST(AtomicFile, ReplacesWholeFileAndKeepsItPrivate) {
    test::ScratchDir dir;
    const QString path = dir.file("a.xml");
    ASSERT_TRUE(AtomicFile::write(path, "first version, longer than the second"));
    ASSERT_TRUE(AtomicFile::write(path, "second"));

    QByteArray bytes;
    ASSERT_TRUE(AtomicFile::read(path, &bytes));
    EXPECT_EQ(bytes, "second");
    EXPECT_EQ(QFileInfo(path).permissions() &
                  (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
              QFile::Permissions());
}

TEST(AtomicFile, FailedWriteLeavesOldFile) {
    test::ScratchDir dir;
    const QString path = dir.file("keep.xml");
    ASSERT_TRUE(AtomicFile::write(path, "old"));
    QString error;
    EXPECT_FALSE(AtomicFile::write(dir.file("missing/sub/x.xml"), "new", &error));
    EXPECT_FALSE(error.isEmpty());
    QByteArray bytes;
    ASSERT_TRUE(AtomicFile::read(path, &bytes));
    EXPECT_EQ(bytes, "old");
}

TEST(AtomicFile, ReadRefusesOversizedAndMissingFiles) {
    test::ScratchDir dir;
    const QString path = dir.file("big");
    ASSERT_TRUE(AtomicFile::write(path, QByteArray(100, 'x')));
    QByteArray bytes;
    EXPECT_FALSE(AtomicFile::read(path, &bytes, 99));
    EXPECT_TRUE(AtomicFile::read(path, &bytes, 100));
    EXPECT_FALSE(AtomicFile::read(dir.file("none"), &bytes));
    // The limit is a bound, not a buffer size: a limit no machine could allocate still reads.
    EXPECT_TRUE(AtomicFile::read(path, &bytes, qint64(1) << 46));
    EXPECT_EQ(bytes.size(), 100);
}

}  // namespace
}  // namespace fv
