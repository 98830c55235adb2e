#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QThread>

#include "TaskTestDoubles.h"
#include "i18n/MessageTexts.h"
#include "platform/Clock.h"
#include "platform/WorkerThread.h"
#include "tasks/MainTimers.h"
#include "tasks/RefreshCycle.h"

namespace fv {
namespace {

using Row = TaskListRow;
using test::FakeGateway;
using test::taskLine;

const char* kStatusPath = "/ferrovane/fv_print_status.cgi";

bool isFetch(const RouterRequest& r) {
    return r.pathAndQuery.find(kStatusPath) != std::string::npos;
}

class RefreshCycleTest : public ::testing::Test {
  protected:
    RefreshCycleTest() {
        ConnectionProfile c;
        c.ServerAddress = "127.0.0.1";
        c.RefreshIntervalMs = 5000;
        records.setConnection(c);
        RefreshCycle::Deps deps;
        deps.model = &model;
        deps.mainForm = &mainForm;
        deps.setupForm = &setupForm;
        deps.timerGetFVPage = &timer;
        deps.records = &records;
        deps.state = state;
        deps.table = table;
        deps.general = general;
        deps.gateway = gateway;
        deps.runner = &runner;
        deps.queue = &queue;
        deps.retryUploads = [this] { ++retries; };
        cycle = std::make_unique<RefreshCycle>(std::move(deps));
        setRouter(true);
    }

    // The router answers (report with `tasks` tasks) or refuses every request.
    void setRouter(bool on, int tasks = 2) {
        gateway->setRule([this, on, tasks](const RouterRequest& r) {
            if (isFetch(r))
                fetchTimes.push_back(clock.nowMs());
            if (!on)
                return FakeGateway::failure("Socket Error # 10061");
            if (!isFetch(r))
                return FakeGateway::ok("[]");
            std::string body;
            for (int i = 0; i < tasks; ++i)
                body += (i ? "\n," : "[") + taskLine(std::to_string(i + 1), "t");
            return FakeGateway::ok(body + "]");
        });
    }

    // Lets the armed refresh timer elapse, then finishes everything the tick started.
    void tick() {
        ASSERT_TRUE(timer.enabled());
        clock.advance(timer.interval());
        ASSERT_TRUE(timer.fire());
        runner.runAll();
    }

    QString status() const { return mainForm.text("Lab_ConnectStatus_Main"); }
    bool onlinePicture() const {
        return mainForm.visible("Img_Connected_Main") && !mainForm.visible("Img_DisConnected_Main");
    }

    TaskListModel model;
    FormState mainForm;
    FormState setupForm;
    ManualTimer timer{500};
    ManualClock clock;
    SettingsRecords records;
    std::shared_ptr<RefreshState> state = std::make_shared<RefreshState>();
    std::shared_ptr<TaskTable> table = std::make_shared<TaskTable>();
    std::shared_ptr<GeneralSettingsValues> general = std::make_shared<GeneralSettingsValues>();
    std::shared_ptr<FakeGateway> gateway = std::make_shared<FakeGateway>();
    test::ManualRunner runner;
    test::FakeQueue queue;
    int retries = 0;
    std::vector<int64_t> fetchTimes;
    std::unique_ptr<RefreshCycle> cycle;
};

TEST_F(RefreshCycleTest, FirstFetchAfter500MsThenOneIntervalAfterEachGeneralRead) {
    cycle->show();
    EXPECT_EQ(status(), MessageTexts::english()[Msg::FormMainMsg5]);
    EXPECT_FALSE(onlinePicture());
    ASSERT_TRUE(timer.enabled());
    clock.advance(timer.interval());
    ASSERT_TRUE(timer.fire());
    // The tick stops the timer and starts exactly the fetch and the general read.
    EXPECT_FALSE(timer.enabled());
    ASSERT_EQ(runner.pending(), 2u);
    runner.runNext();  // the fetch (and its callback, which starts the list build)
    EXPECT_FALSE(timer.enabled()) << "only the general read re-arms";
    clock.advance(1200);  // the general read takes its time
    runner.runAll();
    EXPECT_TRUE(timer.enabled());
    EXPECT_EQ(timer.interval(), 5000);
    tick();
    tick();
    EXPECT_EQ(fetchTimes, (std::vector<int64_t>{500, 500 + 1200 + 5000, 500 + 1200 + 10000}));
}

// First start, no settings file: nothing to ask, but the cycle keeps its rhythm and counts.
TEST_F(RefreshCycleTest, WithoutARouterAddressNothingIsAsked) {
    ConnectionProfile c = records.connection();
    c.ServerAddress = " ";
    c.RefreshIntervalMs = 10000;
    records.setConnection(c);
    cycle->show();
    for (int i = 0; i < 7; ++i)
        tick();
    EXPECT_TRUE(gateway->requests().empty());
    EXPECT_EQ(runner.pending(), 0u);
    EXPECT_TRUE(timer.enabled());
    EXPECT_EQ(timer.interval(), 10000);
    EXPECT_EQ(status(), MessageTexts::english()[Msg::FormMainMsg5]);
    EXPECT_EQ(state->failureCounter, 6);
}

TEST_F(RefreshCycleTest, ZeroIntervalKeepsTheTimersOwnInterval) {
    ConnectionProfile c = records.connection();
    c.RefreshIntervalMs = 0;
    records.setConnection(c);
    cycle->show();
    tick();
    EXPECT_EQ(timer.interval(), 500);
}

TEST_F(RefreshCycleTest, RouterOffFromTheStart) {
    setRouter(false);
    cycle->show();
    for (int i = 0; i < 10; ++i) {
        tick();
        EXPECT_EQ(status(), MessageTexts::english()[Msg::FormMainMsg5]) << "tick " << i;
        EXPECT_FALSE(onlinePicture());
        EXPECT_FALSE(setupForm.enabled("RadioBtnFVEnable_Setup"));
        EXPECT_FALSE(setupForm.enabled("RadioBtnFVDisable_Setup"));
        EXPECT_TRUE(state->offline);
    }
    EXPECT_EQ(state->failureCounter, 6);
    EXPECT_EQ(retries, 0);
}

TEST_F(RefreshCycleTest, SwitchedOffWhileOnlineShowsOfflineOnTheSixthFailure) {
    cycle->show();
    tick();
    ASSERT_EQ(status(), MessageTexts::english()[Msg::FormMainMsg6]);
    ASSERT_TRUE(onlinePicture());
    EXPECT_TRUE(setupForm.enabled("RadioBtnFVEnable_Setup"));
    setRouter(false);
    for (int i = 1; i <= 5; ++i) {
        tick();
        EXPECT_EQ(status(), MessageTexts::english()[Msg::FormMainMsg6]) << "failure " << i;
        EXPECT_TRUE(onlinePicture());
    }
    tick();
    EXPECT_EQ(status(), MessageTexts::english()[Msg::FormMainMsg5]);
    EXPECT_FALSE(onlinePicture());
}

TEST_F(RefreshCycleTest, ComebackRetriesUploadsAndResetsTheList) {
    const struct {
        int failures;
        int retries;
    } cases[] = {{0, 0}, {1, 1}, {7, 1}};
    for (const auto& c : cases) {
        retries = 0;
        cycle->show();
        tick();  // online, first reset done
        model.setSelectedRow(1);
        model.setTopRow(1);
        setRouter(false);
        for (int i = 0; i < c.failures; ++i)
            tick();
        setRouter(true);
        tick();
        EXPECT_EQ(retries, c.retries) << c.failures;
        EXPECT_EQ(model.selectedRow(), c.failures ? -1 : 1) << c.failures;
        EXPECT_EQ(model.topRow(), c.failures ? 0 : 1) << c.failures;
        EXPECT_EQ(state->failureCounter, 0);
        EXPECT_EQ(status(), MessageTexts::english()[Msg::FormMainMsg6]);
    }
}

TEST_F(RefreshCycleTest, ResetPendingMarker) {
    const struct {
        int marker;
        bool resets;
    } cases[] = {{0, true}, {5, true}, {6, false}, {3, false}};
    cycle->show();
    tick();
    for (const auto& c : cases) {
        model.setSelectedRow(1);
        state->resetPending = c.marker;
        tick();
        EXPECT_EQ(model.selectedRow(), c.resets ? -1 : 1) << c.marker;
        EXPECT_EQ(state->resetPending, c.resets ? 6 : c.marker);
    }
}

TEST_F(RefreshCycleTest, ListFollowsTheReportWithOneRepaintPerRefresh) {
    queue.rows = {{QStringLiteral("q.torrent"), QStringLiteral("in progress")}};
    cycle->show();
    QSignalSpy spy(&model, &TaskListModel::rowsChanged);
    setRouter(true, 3);
    clock.advance(timer.interval());
    timer.fire();
    runner.runNext();  // fetch; its callback resets the list once and starts the build
    const int beforeBuild = spy.count();
    runner.runAll();
    EXPECT_EQ(spy.count(), beforeBuild + 1);
    ASSERT_EQ(model.rowCount(), 4);
    EXPECT_EQ(model.row(0).caption, QStringLiteral("1"));
    EXPECT_EQ(model.row(2).caption, QStringLiteral("3"));
    EXPECT_TRUE(model.row(3).isUploadRow());
    setRouter(true, 200);
    tick();
    EXPECT_EQ(model.rowCount(), 201);
}

TEST_F(RefreshCycleTest, AnOlderBuildNeverReplacesANewerOne) {
    cycle->show();
    setRouter(true, 1);
    clock.advance(500);
    timer.fire();
    runner.runNext();  // fetch 1 done: build 1 waits
    runner.runNext();  // general read
    ASSERT_EQ(runner.pending(), 1u);
    setRouter(true, 3);
    timer.fire();
    runner.runAt(1);  // fetch 2 done: build 2 waits behind build 1 and general read 2
    ASSERT_EQ(runner.pending(), 3u);
    runner.runAt(2);  // build 2 first
    EXPECT_EQ(model.rowCount(), 3);
    runner.runAll();  // then build 1, which is stale
    EXPECT_EQ(model.rowCount(), 3);
}

// A fetch that has not ended by the next tick (a router dripping its reply) is not joined
// by another one: the tick counts as failed, and the running fetch still reports.
TEST_F(RefreshCycleTest, TickWhileAFetchRunsStartsNoSecondFetch) {
    cycle->show();
    tick();  // online
    ASSERT_TRUE(timer.fire());
    ASSERT_EQ(runner.pending(), 2u);  // fetch and general read, both still running
    for (int i = 0; i < 8; ++i) {
        timer.setEnabled(true);  // a command's end re-arms the timer meanwhile
        ASSERT_TRUE(timer.fire());
        EXPECT_EQ(runner.pending(), 2u) << "tick " << i;
    }
    EXPECT_EQ(state->failureCounter, 6);
    EXPECT_EQ(status(), MessageTexts::english()[Msg::FormMainMsg5]);
    runner.runAll();  // the slow fetch succeeds after all
    EXPECT_EQ(status(), MessageTexts::english()[Msg::FormMainMsg6]);
    EXPECT_EQ(state->failureCounter, 0);
    tick();
    EXPECT_EQ(fetchTimes.size(), 3u);
}

TEST_F(RefreshCycleTest, OtherPageCountsAsFailureAndKeepsTheList) {
    cycle->show();
    tick();
    ASSERT_EQ(model.rowCount(), 2);
    gateway->setRule([](const RouterRequest& r) {
        return isFetch(r) ? FakeGateway::ok("<?xml version=\"1.0\"?><html/>")
                          : FakeGateway::ok("[]");
    });
    for (int i = 0; i < 6; ++i)
        tick();
    EXPECT_EQ(status(), MessageTexts::english()[Msg::FormMainMsg5]);
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_EQ(table->count(), 2);
}

TEST_F(RefreshCycleTest, TickHidesTheCommandAndUploadLines) {
    cycle->show();
    mainForm.setVisible("LabCmdSendMsg_Main", true);
    mainForm.setVisible("LabTaskStatus_LinkContext_Main", true);
    clock.advance(500);
    timer.fire();
    EXPECT_TRUE(state->offline);
    EXPECT_FALSE(mainForm.visible("LabCmdSendMsg_Main"));
    EXPECT_FALSE(mainForm.visible("LabTaskStatus_LinkContext_Main"));
}

TEST_F(RefreshCycleTest, OfflineListRefreshReplacesQueuedRows) {
    std::vector<Row> rows(3);
    rows[0].caption = QStringLiteral("1");
    rows[0].texts[Row::Status] = QStringLiteral("Seeding");
    rows[1].caption = Row::kUploadCaption;
    rows[1].texts[Row::Status] = QStringLiteral("in progress");
    rows[2].caption = Row::kUploadCaption;
    rows[2].texts[Row::Status] = QStringLiteral("Done");
    queue.rows = {{QStringLiteral("a.torrent"), QStringLiteral("in progress")}};

    const struct {
        bool queuedMarker;
        bool resetDone;
        int rowsAfter;
        bool resets;
    } cases[] = {
        {false, false, 3, true},
        {false, true, 3, false},
        {true, false, 4, false},
    };
    for (const auto& c : cases) {
        model.replaceRows(rows);
        model.setSelectedRow(0);
        state->queuedFileMarker = c.queuedMarker;
        state->offlineResetDone = c.resetDone;
        QSignalSpy spy(&model, &TaskListModel::rowsChanged);
        cycle->refreshOfflineRows();
        EXPECT_EQ(spy.count(), 1);
        ASSERT_EQ(model.rowCount(), c.rowsAfter);
        EXPECT_EQ(model.selectedRow(), c.resets ? -1 : 0);
        EXPECT_EQ(state->offlineResetDone, c.resetDone || c.resets);
        EXPECT_FALSE(state->queuedFileMarker);
        const Row& last = model.row(model.rowCount() - 1);
        EXPECT_EQ(last.texts[Row::FileName], QStringLiteral("a.torrent"));
        EXPECT_TRUE(last.texts[Row::Type].isEmpty());
        EXPECT_TRUE(last.texts[Row::Progress].isEmpty());
        EXPECT_EQ(model.row(0).caption, QStringLiteral("1"));
    }
}

TEST(MainTimers, TableOfTimers) {
    std::vector<ManualTimer*> made;
    MainTimers timers([&](int ms) {
        auto t = std::make_unique<ManualTimer>(ms);
        made.push_back(t.get());
        return t;
    });
    const struct {
        const char* name;
        int interval;
        bool enabled;
    } expected[] = {
        {"TimerGetFVPage", 500, false}, {"TimerTaskListUpdate", 3000, false},
        {"TimerSendTask", 500, false},  {"TimerCountDown", 100, false},
        {"TimerBlackLV", 1000, false},  {"TimerFVDetect_Main_Setup", 4000, false},
        {"TimerAtBegin", 1000, true},
    };
    ASSERT_EQ(made.size(), std::size(expected));
    for (const auto& e : expected) {
        Timer* t = timers.byName(QString::fromLatin1(e.name));
        ASSERT_NE(t, nullptr) << e.name;
        EXPECT_EQ(t->interval(), e.interval) << e.name;
        EXPECT_EQ(t->enabled(), e.enabled) << e.name;
    }
    EXPECT_EQ(&timers.refreshTimer(), timers.byName(QStringLiteral("TimerGetFVPage")));
    EXPECT_EQ(timers.byName(QStringLiteral("TimerNope")), nullptr);
}

}  // namespace
}  // namespace fv

namespace fv {
namespace {

// The same cycle on real worker threads: the work runs elsewhere, the model changes on the
// thread that owns it.
TEST(RefreshCycleThreads, WorkersReportOnTheUiThread) {
    QObject receiver;
    WorkerThreadRunner runner(&receiver);
    TaskListModel model;
    FormState form;
    ManualTimer timer{500};
    SettingsRecords records;
    records.editConnection([](ConnectionProfile& c) { c.ServerAddress = "127.0.0.1"; });
    auto gateway = std::make_shared<test::FakeGateway>([](const RouterRequest& r) {
        return isFetch(r) ? test::FakeGateway::ok(taskLine("1", "a") + "\n," + taskLine("2", "b"))
                          : test::FakeGateway::ok("[]");
    });
    RefreshCycle::Deps deps;
    deps.model = &model;
    deps.mainForm = &form;
    deps.timerGetFVPage = &timer;
    deps.records = &records;
    deps.state = std::make_shared<RefreshState>();
    deps.table = std::make_shared<TaskTable>();
    deps.general = std::make_shared<GeneralSettingsValues>();
    deps.gateway = gateway;
    deps.runner = &runner;
    RefreshCycle cycle(std::move(deps));

    bool changedOnOwnerThread = true;
    QObject::connect(&model, &TaskListModel::rowsChanged, [&] {
        changedOnOwnerThread = changedOnOwnerThread && QThread::currentThread() == model.thread();
    });
    cycle.show();
    ASSERT_TRUE(timer.fire());
    QElapsedTimer waited;
    waited.start();
    while ((model.rowCount() < 2 || !timer.enabled()) && waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_TRUE(timer.enabled());
    EXPECT_EQ(form.text("Lab_ConnectStatus_Main"), MessageTexts::english()[Msg::FormMainMsg6]);
    EXPECT_TRUE(changedOnOwnerThread);
    EXPECT_TRUE(WorkerThread::waitForAll(10000));
}

}  // namespace
}  // namespace fv
