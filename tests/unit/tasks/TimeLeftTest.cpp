// The time left from a row's size, progress and download speed, and its place in the order of
// a title click.
#include <gtest/gtest.h>

#include <QLocale>
#include <vector>

#include "tasks/TaskListModel.h"
#include "tasks/TimeLeft.h"

namespace fv {
namespace {

using Row = TaskListRow;

Row task(const QString& id, const QString& status, const QString& progress, const QString& size,
         const QString& speed) {
    Row r;
    r.caption = id;
    r.texts[Row::FileName] = id + QStringLiteral(".iso");
    r.texts[Row::Status] = status;
    r.texts[Row::Progress] = progress;
    r.texts[Row::Size] = size;
    r.texts[Row::DownloadSpeed] = speed;
    return r;
}

TEST(TimeLeft, FromTheRowsTexts) {
    struct Case {
        const char* what;
        const char* status;
        const char* progress;
        const char* size;
        const char* speed;
        const char* shown;
    };
    const Case cases[] = {
        // 1 MB left at 1 KB/s is 1024 s.
        {"half of 2 MB at 1 KB/s", "Downloading", "50%", "2.0 MB", "1.0 KB/s", "17:04"},
        {"over an hour shows hours", "Downloading", "0%", "4.0 GB", "1024.0 KB/s", "1:08:16"},
        {"a part second rounds up", "Downloading", "0%", "1000 B", "3.0 KB/s", "0:01"},
        {"decimal progress with a point", "Downloading", "42.5%", "1.0 GB", "1.0 MB/s", "9:49"},
        {"decimal progress with a comma", "Downloading", "42,5%", "1.0 GB", "1.0 MB/s", "9:49"},
        {"router's old speed unit", "Downloading", "50%", "2.0 MB", "1KBps", "17:04"},
        {"no speed is stalled", "Downloading", "10%", "1.0 GB", "0.0 KB/s", "\u221e"},
        {"paused is stalled too", "Paused", "63%", "1.2 GB", "0.0 KB/s", "\u221e"},
        {"unreadable speed is stalled", "Downloading", "10%", "1.0 GB", "fast", "\u221e"},
        {"a century away is stalled", "Downloading", "0%", "900.0 TB", "1 B/s", "\u221e"},
        {"finished shows nothing", "Finished", "100%", "1.1 GB", "0.0 KB/s", ""},
        {"seeding shows nothing", "Seeding", "100%", "890.0 MB", "0.0 KB/s", ""},
        {"full progress shows nothing", "Downloading", "100%", "1.0 GB", "5.0 KB/s", ""},
        {"unknown size shows nothing", "Downloading", "10%", "", "5.0 KB/s", ""},
        {"zero size (not known yet) shows nothing", "Downloading", "0%", "0 B", "0.0 KB/s", ""},
        {"unreadable progress shows nothing", "Downloading", "abc", "1.0 GB", "5.0 KB/s", ""},
        {"negative size shows nothing", "Downloading", "10%", "-1.0 GB", "5.0 KB/s", ""},
    };
    for (const Case& c : cases) {
        const TimeLeft t = TimeLeft::of(c.status, c.progress, c.size, c.speed, /*uploadRow=*/false);
        EXPECT_EQ(t.text(), QString::fromUtf8(c.shown)) << c.what;
    }
    EXPECT_EQ(TimeLeft::of("in progress", "0%", "", "", /*uploadRow=*/true).text(), "")
        << "a queued upload has no estimate";
}

TEST(TimeLeft, ReadsTheSameInEveryLocale) {
    const QLocale before;
    for (const char* name : {"de_DE", "fr_FR", "en_US", "ar_EG"}) {
        QLocale::setDefault(QLocale(QString::fromLatin1(name)));
        EXPECT_EQ(TimeLeft::of("Downloading", "42,5%", "1.0 GB", "1.0 MB/s", false),
                  TimeLeft::inSeconds(589))
            << name;
        EXPECT_EQ(TimeLeft::of("Downloading", "42.5%", "1.0 GB", "1.0 MB/s", false),
                  TimeLeft::inSeconds(589))
            << name;
    }
    QLocale::setDefault(before);
}

TEST(TimeLeft, OrdersLikeTheOtherColumns) {
    TaskListModel model;
    model.replaceRows({
        task("slow", "Downloading", "0%", "10.0 MB", "1.0 KB/s"),
        task("done", "Finished", "100%", "10.0 MB", "0.0 KB/s"),
        task("stuck", "Downloading", "5%", "10.0 MB", "0.0 KB/s"),
        task("fast", "Downloading", "0%", "10.0 MB", "100.0 KB/s"),
    });
    auto order = [&] {
        std::vector<QString> ids;
        for (const Row& r : model.rows())
            ids.push_back(r.caption);
        return ids;
    };
    model.setSelectedRow(0);  // "slow"
    model.sortByColumn(Row::kTimeLeftColumn);
    EXPECT_EQ(order(), (std::vector<QString>{"stuck", "slow", "fast", "done"})) << "descending";
    EXPECT_EQ(model.selectedRow(), 1) << "the selected task is found again";
    model.sortByColumn(Row::kTimeLeftColumn);
    EXPECT_EQ(order(), (std::vector<QString>{"done", "fast", "slow", "stuck"})) << "ascending";
    EXPECT_EQ(model.sortColumn(), Row::kTimeLeftColumn);
}

TEST(TaskListModel, RestoresOnlyASortStateATitleClickCanMake) {
    struct Case {
        int column;
        int state;
        bool taken;
    };
    const Case cases[] = {
        {4, 8, true},  {4, 9, true},   {7, 15, true},  {4, 10, false},
        {0, 3, false}, {-1, 1, false}, {8, 16, false}, {2, -1, false},
    };
    for (const Case& c : cases) {
        TaskListModel model;
        EXPECT_EQ(model.restoreSort(c.column, c.state), c.taken) << c.column << "/" << c.state;
        EXPECT_EQ(model.sortColumn(), c.taken ? c.column : 0);
        EXPECT_EQ(model.sortState(), c.taken ? c.state : 1);
    }
    // A restored state continues its toggle: state 8 (Size, first direction) makes the next
    // click on Size the second direction, as a click in the earlier run would have.
    TaskListModel model;
    model.replaceRows({task("small", "Downloading", "0%", "1.0 MB", ""),
                       task("big", "Downloading", "0%", "9.0 MB", "")});
    ASSERT_TRUE(model.restoreSort(Row::Size, 8));
    model.sortByColumn(Row::Size);
    EXPECT_EQ(model.sortState(), 9);
    EXPECT_EQ(model.rows()[0].caption, "small") << "second direction on current systems: ascending";
}

}  // namespace
}  // namespace fv
