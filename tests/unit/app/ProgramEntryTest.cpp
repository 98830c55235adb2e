#include "app/ProgramEntry.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <atomic>
#include <thread>

#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "platform/SingleInstance.h"

namespace fv {
namespace {

struct EntryCase {
    const char* name;
    QStringList arguments;
    QStringList received;  // by the running instance
};

class ProgramEntryTest : public ::testing::TestWithParam<EntryCase> {};

TEST_P(ProgramEntryTest, FirstRunsSecondHandsOver) {
    test::ScratchDir scratch;
    SingleInstance first(scratch.path());
    const ProgramEntry::Result firstResult = ProgramEntry::run(first, {"ferrovane"});
    ASSERT_TRUE(firstResult.runClient);
    QStringList received;
    first.setHandOffHandler([&](const QString& path) { received << path; });
    first.setRestoreHandler([&] { received << "<restore>"; });

    ProgramEntry::Result secondResult;
    std::atomic<bool> done{false};
    std::thread second([&] {
        SingleInstance instance(scratch.path());
        secondResult = ProgramEntry::run(instance, GetParam().arguments);
        done = true;
    });
    QElapsedTimer elapsed;
    elapsed.start();
    while (!done && elapsed.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    second.join();

    EXPECT_FALSE(secondResult.runClient);
    EXPECT_EQ(secondResult.exitCode, 0) << secondResult.message.toStdString();
    EXPECT_EQ(received, GetParam().received);
}

INSTANTIATE_TEST_SUITE_P(Arguments, ProgramEntryTest,
                         ::testing::Values(EntryCase{"NoArgument", {"ferrovane"}, {"<restore>"}},
                                           EntryCase{
                                               "EmptyArgument", {"ferrovane", ""}, {"<restore>"}},
                                           EntryCase{"TextFileNotFiltered",
                                                     {"ferrovane", "/home/ana/notes.txt"},
                                                     {"/home/ana/notes.txt", "<restore>"}},
                                           EntryCase{"OnlyFirstArgument",
                                                     {"ferrovane", "/a.torrent", "/b.torrent"},
                                                     {"/a.torrent", "<restore>"}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProgramEntry, PathTooLongIsRefusedWithAMessageAndTheWindowStillRestored) {
    test::ScratchDir scratch;
    SingleInstance first(scratch.path());
    ASSERT_TRUE(ProgramEntry::run(first, {"ferrovane"}).runClient);
    QStringList received;
    first.setHandOffHandler([&](const QString& path) { received << path; });
    first.setRestoreHandler([&] { received << "<restore>"; });

    ProgramEntry::Result result;
    std::atomic<bool> done{false};
    std::thread second([&] {
        SingleInstance instance(scratch.path());
        result = ProgramEntry::run(instance, {"ferrovane", "/" + QString(40000, 'z')});
        done = true;
    });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    second.join();
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_FALSE(result.message.isEmpty());
    EXPECT_EQ(received, QStringList{"<restore>"});
}

}  // namespace
}  // namespace fv
