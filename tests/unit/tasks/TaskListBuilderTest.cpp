#include <gtest/gtest.h>

#include "TaskTestDoubles.h"
#include "platform/DebugLog.h"
#include "tasks/TaskListBuilder.h"
#include "tasks/TaskTable.h"

namespace fv {
namespace {

using Row = TaskListRow;
using test::taskLine;

QStringList texts(const Row& row) {
    QStringList out{row.caption};
    for (const QString& t : row.texts)
        out << t;
    return out;
}

TEST(TaskListBuilder, RouterRowsThenUploadRows) {
    TaskTable table;
    table.parseReport("[" + taskLine("11", "a.iso", "0.5", "1.2 GB", "Vfat4G", "BT") + "\n," +
                      taskLine("12", "b.nzb", "1", "900 MB", "Paused", "NZB") + "]");
    const std::vector<QueueRow> queue = {
        {QStringLiteral("x.torrent"), QStringLiteral("in progress"), 7},
        {QStringLiteral("y.nzb"), QStringLiteral("Done"), 8},
        {QStringLiteral("z.TORRENT"), QStringLiteral("in progress"), 9},
    };
    const ListBuildResult result = TaskListBuilder::buildRows(table, queue);
    EXPECT_FALSE(result.failed);
    const std::vector<QStringList> expected = {
        {"11", "a.iso", "BT", "50%", "Format Error", "1.2 GB", "10 KBps", "2 KBps"},
        {"12", "b.nzb", "NZB", "100%", "Paused", "900 MB", "10 KBps", "2 KBps"},
        {"zzz999", "x.torrent", "BT", "0%", "in progress", "", "", ""},
        {"zzz999", "y.nzb", "NZB", "0%", "Done", "", "", ""},
        {"zzz999", "z.TORRENT", "NZB", "0%", "in progress", "", "", ""},  // case-sensitive
    };
    ASSERT_EQ(result.rows.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(texts(result.rows[i]), expected[i]) << i;
    // Each upload row knows the queue entry it stands for, so Remove takes exactly that one.
    EXPECT_EQ(result.rows[0].queueEntryId, 0u);
    EXPECT_EQ(result.rows[3].queueEntryId, 8u);
}

TEST(TaskListBuilder, ProgressThatIsNotANumberStopsTheBuildAndLogs) {
    LogCapture log;
    TaskTable table;
    table.parseReport(taskLine("1", "a", "0.25") + "\n" + taskLine("2", "b", "n/a") + "\n" +
                      taskLine("3", "c", "0"));
    const ListBuildResult result = TaskListBuilder::buildRows(
        table, {{QStringLiteral("q.torrent"), QStringLiteral("in progress")}});
    EXPECT_TRUE(result.failed);
    ASSERT_EQ(result.rows.size(), 1u);
    EXPECT_EQ(result.rows[0].caption, QStringLiteral("1"));
    EXPECT_TRUE(
        log.contains("catch error : in ParseFVPageResultToListViewThread_Main(), E.Message = "));
}

// A listing (fvctl) shows every task: the broken one with a blank progress.
TEST(TaskListBuilder, ProgressThatIsNotANumberLeftBlankWhenAskedTo) {
    TaskTable table;
    table.parseReport(taskLine("1", "a", "0.25") + "\n" + taskLine("2", "b", "n/a") + "\n" +
                      taskLine("3", "c", "0"));
    const ListBuildResult result = TaskListBuilder::buildRows(
        table, {{QStringLiteral("q.torrent"), QStringLiteral("in progress")}},
        BadProgress::ShowBlank);
    EXPECT_FALSE(result.failed);
    ASSERT_EQ(result.rows.size(), 4u);
    EXPECT_EQ(texts(result.rows[1]),
              (QStringList{"2", "b", "BT", "", "Downloading", "1.2 GB", "10 KBps", "2 KBps"}));
    EXPECT_EQ(result.rows[2].caption, QStringLiteral("3"));
    EXPECT_EQ(result.rows[3].caption, QStringLiteral("zzz999"));
    EXPECT_EQ(result.unreadableProgress, (std::vector<QString>{QStringLiteral("2")}));
}

TEST(TaskListBuilder, EmptyReportLeavesOnlyUploadRows) {
    TaskTable table;
    table.parseReport("");
    const ListBuildResult result = TaskListBuilder::buildRows(
        table, {{QStringLiteral("q.nzb"), QStringLiteral("in progress")}});
    ASSERT_EQ(result.rows.size(), 1u);
    EXPECT_TRUE(result.rows[0].isUploadRow());
}

TEST(TaskListBuilder, OfflineUploadRowHasNoTypeOrProgress) {
    const Row row =
        TaskListBuilder::offlineUploadRow({QStringLiteral("f.torrent"), QStringLiteral("Done")});
    EXPECT_EQ(texts(row), (QStringList{"zzz999", "f.torrent", "", "", "Done", "", "", ""}));
}

}  // namespace
}  // namespace fv
