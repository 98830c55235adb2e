#include <gtest/gtest.h>

#include "TableRows.h"
#include "app/BusyOverlayTicker.h"
#include "app/TaskMenuPlan.h"
#include "app/TransferDigest.h"

namespace fv {
namespace {

TEST(TaskMenuPlan, EntriesByModeStatusAndShare) {
    struct Case {
        const char* what;
        bool remote;
        const char* name;
        const char* status;
        std::optional<ShareEntryKind> kind;  // nothing: the check has not answered
        std::vector<TaskMenuEntry> entries;
        bool checks;
    };
    const std::vector<TaskMenuEntry> openOnly = {{"Open Directory", true}};
    const std::vector<TaskMenuEntry> bothOff = {{"Open Directory", false}, {"Play", false}};
    const Case cases[] = {
        {"remote",
         true,
         "a.mkv",
         "Finished",
         ShareEntryKind::File,
         {{"Open Directory via Veyra", true}},
         false},
        {"downloading", false, "a.mkv", "Downloading", ShareEntryKind::File, openOnly, false},
        {"finished file",
         false,
         "a.mkv",
         "Finished",
         ShareEntryKind::File,
         {{"Open Directory", true}, {"Play", true}},
         true},
        {"seeding folder", false, "dir", "Seeding", ShareEntryKind::Folder, openOnly, true},
        {"missing", false, "gone", "Finished", ShareEntryKind::Missing, bothOff, true},
        {"check running", false, "a.mkv", "Seeding", std::nullopt, bothOff, true},
        {"running task, no check needed", false, "a", "Paused", std::nullopt, openOnly, false},
        {"no name", false, "", "Finished", ShareEntryKind::File, openOnly, false},
        {"status is exact", false, "a", "finished", ShareEntryKind::File, openOnly, false},
    };
    for (const Case& c : cases) {
        const TaskMenuPlan plan = TaskMenuPlan::make(c.remote, c.name, c.status, c.kind);
        ASSERT_EQ(plan.entries().size(), c.entries.size()) << c.what;
        for (size_t i = 0; i < c.entries.size(); ++i) {
            EXPECT_EQ(plan.entries()[i].text, c.entries[i].text) << c.what;
            EXPECT_EQ(plan.entries()[i].enabled, c.entries[i].enabled) << c.what;
        }
        EXPECT_EQ(plan.windowHeight(), 30 * static_cast<int>(c.entries.size()) + 4) << c.what;
        EXPECT_EQ(TaskMenuPlan::needsShareCheck(c.remote, c.name, c.status), c.checks) << c.what;
    }
}

TEST(TaskMenuPlan, OpensBelowTheFirstLineAndAtTheOthers) {
    const int expected[] = {40, 40, 70, 100, 130};  // lines 1..5, line tops 10 and 40
    for (int line = 1; line <= 5; ++line)
        EXPECT_EQ(TaskMenuPlan::top(line, 10, 40), expected[line - 1]) << line;
}

TEST(BusyOverlayTicker, AnimatesDotsWhileRunning) {
    BusyOverlayTicker t;
    t.start();
    const char* expected[] = {"connecting.", "connecting...", "connecting.....", "connecting."};
    for (const char* text : expected) {
        EXPECT_EQ(t.tick(), BusyOverlayTicker::Outcome::Continue);
        EXPECT_EQ(t.text(), QString::fromUtf8(text));
    }
}

TEST(BusyOverlayTicker, DetectionEndingEarlyClosesAtTheNextTick) {
    BusyOverlayTicker t;
    t.start();
    t.setRunning(false);
    EXPECT_EQ(t.tick(), BusyOverlayTicker::Outcome::Close);
    EXPECT_EQ(t.counter(), 0);
}

TEST(BusyOverlayTicker, GivesUpAtTheSixtyFirstTick) {
    BusyOverlayTicker t;
    t.start();
    for (int i = 1; i <= 60; ++i)
        ASSERT_EQ(t.tick(), BusyOverlayTicker::Outcome::Continue) << i;
    EXPECT_EQ(t.tick(), BusyOverlayTicker::Outcome::GiveUp);
    EXPECT_FALSE(t.running());
}

TEST(TransferDigest, ReadsSpeedTexts) {
    struct Case {
        const char* text;
        double kbps;
    };
    const Case cases[] = {{"12.5 KBps", 12.5}, {"3KBps", 3.0},   {"1.5 MBps", 1500.0},
                          {"500 Bps", 0.5},    {"2 KB/s", 2.0},  {"", 0.0},
                          {"fast", 0.0},       {"-4 KBps", 0.0}, {"1e999 KBps", 0.0}};
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(TransferDigest::speedKBps(c.text), c.kbps) << c.text;
}

TEST(TransferDigest, SumsSpeedsOfAllRows) {
    test::TableRows rows;
    rows.rows.push_back({"1", {"a", "BT", "5%", "Downloading", "", "10.5 KBps", "1 KBps"}});
    rows.rows.push_back({"2", {"b", "BT", "5%", "Downloading", "", "1 MBps", "garbage"}});
    EXPECT_EQ(TransferDigest::speedSummary(rows), "Down 1010.5 KB/s, Up 1.0 KB/s");
}

TEST(TransferDigest, AnnouncesOnlyTasksThatTurnFinished) {
    auto rowsWith = [](std::vector<std::pair<const char*, const char*>> tasks) {
        test::TableRows t;
        for (auto [id, status] : tasks)
            t.rows.push_back({id, {QString("name-") + id, "BT", "", status, "", "", ""}});
        return t;
    };
    TransferDigest d;
    EXPECT_TRUE(d.newlyFinished(rowsWith({{"a", "Downloading"}, {"b", "Finished"}})).isEmpty());
    EXPECT_EQ(d.newlyFinished(rowsWith({{"A", "Seeding"}, {"b", "Finished"}, {"c", "Finished"}})),
              QStringList{"name-A"});
    EXPECT_TRUE(d.newlyFinished(rowsWith({{"a", "Finished"}})).isEmpty());
    EXPECT_TRUE(
        d.newlyFinished(rowsWith({{"zzz999", "in progress"}, {"zzz999", "Finished"}})).isEmpty());
}

}  // namespace
}  // namespace fv
