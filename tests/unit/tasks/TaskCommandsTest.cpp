#include <gtest/gtest.h>

#include "TaskTestDoubles.h"
#include "i18n/MessageTexts.h"
#include "platform/DebugLog.h"
#include "tasks/TaskCommands.h"

namespace fv {
namespace {

using Row = TaskListRow;
using test::FakeGateway;

TEST(TaskCommandText, QueryTexts) {
    const struct {
        TaskCommand command;
        const char* id;
        const char* type;
        const char* text;
    } cases[] = {
        {TaskCommand::Remove, "12", "BT",
         "fv_apply.cgi?action_mode=FV_CTRL&fv_ctrl=cancel&task_id=12&download_type=BT"},
        {TaskCommand::Pause, "a&b=c", "NZB",
         "fv_apply.cgi?action_mode=FV_CTRL&fv_ctrl=paused&task_id=a&b=c&download_type=NZB"},
        {TaskCommand::Resume, "7", "BT",
         "fv_apply.cgi?action_mode=FV_CTRL&fv_ctrl=start&task_id=7&download_type=BT"},
        {TaskCommand::PauseAll, "0", "0",
         "fv_apply.cgi?action_mode=FV_CTRL&fv_ctrl=pause_all&download_type=ALL"},
        {TaskCommand::ResumeAll, "0", "0",
         "fv_apply.cgi?action_mode=FV_CTRL&fv_ctrl=start_all&download_type=ALL"},
        {TaskCommand::ClearComplete, "0", "0",
         "fv_apply.cgi?action_mode=FV_CTRL&fv_ctrl=clear&download_type=All"},
        // Bytes that cannot travel in a request line are escaped; nothing else is.
        {TaskCommand::Pause, "a b#1", "B\xC3\xA9",
         "fv_apply.cgi?action_mode=FV_CTRL&fv_ctrl=paused&task_id=a%20b%231&download_type=B%C3%A9"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TaskCommandText::build(c.command, c.id, c.type), c.text);
}

class TaskCommandsTest : public ::testing::Test {
  protected:
    TaskCommandsTest() {
        timer.setEnabled(true);
        timer.setInterval(5000);
        TaskCommands::Deps deps;
        deps.model = &model;
        deps.form = &form;
        deps.texts = &texts;
        deps.timerGetFVPage = &timer;
        deps.state = state;
        deps.gateway = gateway;
        deps.runner = &runner;
        deps.queue = &queue;
        deps.retryUploads = [this] { ++retries; };
        deps.isLocalMode = [this] { return local; };
        deps.restoreCursor = [this] { ++cursorRestores; };
        commands = std::make_unique<TaskCommands>(std::move(deps));

        Row router;
        router.caption = QStringLiteral("12");
        router.texts[Row::FileName] = QStringLiteral("movie.mkv");
        router.texts[Row::Type] = QStringLiteral("BT");
        router.texts[Row::Status] = QStringLiteral("Downloading");
        Row upload;
        upload.caption = Row::kUploadCaption;
        upload.texts[Row::FileName] = QStringLiteral("x.torrent");
        upload.texts[Row::Status] = QStringLiteral("in progress");
        upload.queueEntryId = 33;  // the second of two namesakes
        model.replaceRows({router, upload});
        queue.rows = {{QStringLiteral("x.torrent"), QStringLiteral("in progress"), 11},
                      {QStringLiteral("X.torrent"), QStringLiteral("in progress"), 22},
                      {QStringLiteral("x.torrent"), QStringLiteral("in progress"), 33}};
        gateway->setRule([](const RouterRequest&) { return FakeGateway::ok("ignored"); });
    }

    TaskListModel model;
    FormState form;
    MessageTexts texts;
    ManualTimer timer;
    std::shared_ptr<RefreshState> state = std::make_shared<RefreshState>();
    std::shared_ptr<FakeGateway> gateway = std::make_shared<FakeGateway>();
    test::ManualRunner runner;
    test::FakeQueue queue;
    int retries = 0;
    int cursorRestores = 0;
    bool local = true;
    std::unique_ptr<TaskCommands> commands;
};

TEST_F(TaskCommandsTest, PerTaskCommandsWithoutAValidRowSendNothing) {
    for (int selected : {-1, 2, 99}) {
        model.setSelectedRow(selected);
        commands->removeSelectedTask();
        commands->pauseSelectedTask();
        commands->resumeSelectedTask();
    }
    EXPECT_EQ(runner.pending(), 0u);
    EXPECT_TRUE(timer.enabled());
    EXPECT_EQ(timer.interval(), 5000);
    EXPECT_EQ(cursorRestores, 9);
    EXPECT_FALSE(form.has(TaskCommands::kLabelSent));
}

TEST_F(TaskCommandsTest, PerTaskCommandsSendTheSelectedTask) {
    const struct {
        void (TaskCommands::*click)();
        const char* button;
        const char* label;
        const char* path;
    } cases[] = {
        {&TaskCommands::pauseSelectedTask, "BtnFVPagePause_Main", "\"Pause\" Sent",
         "//ferrovane//"
         "fv_apply.cgi?action_mode=FV_CTRL&fv_ctrl=paused&task_id=12&download_type=BT&t=7"},
        {&TaskCommands::resumeSelectedTask, "BtnFVPageResume_Main", "\"Resume\" Sent",
         "//ferrovane//"
         "fv_apply.cgi?action_mode=FV_CTRL&fv_ctrl=start&task_id=12&download_type=BT&t=7"},
        {&TaskCommands::removeSelectedTask, "BtnFVPageRemove_Main", "\"Remove\" Sent",
         "//ferrovane//"
         "fv_apply.cgi?action_mode=FV_CTRL&fv_ctrl=cancel&task_id=12&download_type=BT&t=7"},
    };
    for (const auto& c : cases) {
        model.setSelectedRow(0);
        timer.setEnabled(true);
        gateway->clearRequests();
        (commands.get()->*c.click)();
        EXPECT_FALSE(timer.enabled()) << c.button;
        EXPECT_FALSE(form.enabled(c.button)) << c.button;
        EXPECT_EQ(form.text(TaskCommands::kLabelSent), QString::fromUtf8(c.label));
        EXPECT_TRUE(form.visible(TaskCommands::kLabelSent));
        EXPECT_FALSE(model.row(0).selected);
        ASSERT_EQ(runner.pending(), 1u);
        runner.runAll();
        ASSERT_EQ(gateway->requests().size(), 1u);
        const RouterRequest r = gateway->requests()[0];
        EXPECT_EQ(r.pathAndQuery, c.path);
        EXPECT_EQ(r.connectTimeoutMs, 2000);
        EXPECT_EQ(r.readTimeoutMs, 2000);
        EXPECT_TRUE(r.loginFirst);
        EXPECT_TRUE(timer.enabled());
        EXPECT_EQ(timer.interval(), 2000);
    }
    EXPECT_FALSE(form.enabled("BtnFVPagePause_Main"));
    EXPECT_FALSE(form.enabled("BtnFVPageResume_Main"));
}

TEST_F(TaskCommandsTest, PauseLeavesTheOtherButtonsAlone) {
    model.setSelectedRow(0);
    commands->pauseSelectedTask();
    EXPECT_TRUE(form.enabled("BtnFVPageRemove_Main"));
    EXPECT_TRUE(form.enabled("BtnFVPageResume_Main"));
}

TEST_F(TaskCommandsTest, RemoveOfAQueuedUploadDeletesExactlyItsEntryLocally) {
    state->resetPending = 6;
    model.setSelectedRow(1);
    commands->removeSelectedTask();
    EXPECT_EQ(runner.pending(), 0u);
    EXPECT_TRUE(gateway->requests().empty());
    EXPECT_EQ(queue.removedIds, (std::vector<uint64_t>{33}));
    ASSERT_EQ(queue.rows.size(), 2u);
    EXPECT_EQ(queue.rows[0].fileName, QStringLiteral("x.torrent"));
    EXPECT_EQ(queue.rows[1].fileName, QStringLiteral("X.torrent"));
    EXPECT_TRUE(timer.enabled());
    EXPECT_EQ(timer.interval(), 1000);
    EXPECT_EQ(state->resetPending, 0);
    for (const char* b : {"BtnFVPageRemove_Main", "BtnFVPagePause_Main", "BtnFVPageResume_Main"})
        EXPECT_FALSE(form.enabled(b)) << b;
}

TEST_F(TaskCommandsTest, AllCommands) {
    const struct {
        void (TaskCommands::*click)();
        const char* label;
        const char* path;
        int retries;
    } cases[] = {
        {&TaskCommands::pauseAllTasks, "\"Pause All\" Sent",
         "//ferrovane//fv_apply.cgi?action_mode=FV_CTRL&fv_ctrl=pause_all&download_type=ALL&t=7",
         0},
        {&TaskCommands::resumeAllTasks, "\"Resume All\" Sent",
         "//ferrovane//fv_apply.cgi?action_mode=FV_CTRL&fv_ctrl=start_all&download_type=ALL&t=7",
         0},
        {&TaskCommands::clearCompletedTasks, "\"Clear Complete\" Sent",
         "//ferrovane//fv_apply.cgi?action_mode=FV_CTRL&fv_ctrl=clear&download_type=All&t=7", 1},
    };
    model.setSelectedRow(-1);  // all-commands need no row
    for (const auto& c : cases) {
        retries = 0;
        gateway->clearRequests();
        (commands.get()->*c.click)();
        EXPECT_EQ(form.text(TaskCommands::kLabelSent), QString::fromUtf8(c.label));
        EXPECT_EQ(retries, c.retries) << c.label;
        runner.runAll();
        ASSERT_EQ(gateway->paths(), std::vector<std::string>{c.path});
    }
}

TEST_F(TaskCommandsTest, TranslatedCaptionAndSentText) {
    texts.set(Msg::FormMainMsg9, QStringLiteral("Gesendet"));
    form.setText("BtnFVPagePauseAll_Main", QStringLiteral("Alle anhalten"));
    commands->pauseAllTasks();
    EXPECT_EQ(form.text(TaskCommands::kLabelSent), QStringLiteral("\"Alle anhalten\" Gesendet"));
}

TEST_F(TaskCommandsTest, OutcomeSetsTheOfflineFlagAndRearms) {
    const struct {
        bool ok;
        bool local;
        bool offlineAfter;
        int interval;
    } cases[] = {
        {true, true, false, 2000},
        {false, true, true, 2000},
        {true, false, false, 5000},
        {false, false, true, 5000},
    };
    for (const auto& c : cases) {
        LogCapture log;
        local = c.local;
        state->offline = !c.offlineAfter;
        gateway->setRule([&](const RouterRequest&) {
            return c.ok ? FakeGateway::ok("") : FakeGateway::failure("Socket Error # 10061");
        });
        commands->resumeAllTasks();
        runner.runAll();
        EXPECT_EQ(state->offline.load(), c.offlineAfter);
        EXPECT_TRUE(timer.enabled());
        EXPECT_EQ(timer.interval(), c.interval);
        EXPECT_EQ(log.contains("TFVPageButtonControlThread - http connect fault!; E.Message = "
                               "Socket Error # 10061"),
                  !c.ok);
        EXPECT_TRUE(log.contains("TFormMain::FVPageButtonControlThreadDone"));
    }
}

TEST_F(TaskCommandsTest, SeveralCommandsInFlight) {
    model.setSelectedRow(0);
    commands->pauseSelectedTask();
    commands->resumeSelectedTask();
    commands->pauseAllTasks();
    EXPECT_EQ(runner.pending(), 3u);
    // They finish in any order; each re-arms on its own.
    runner.runAt(2);
    EXPECT_TRUE(timer.enabled());
    runner.runAll();
    EXPECT_EQ(gateway->requests().size(), 3u);
}

}  // namespace
}  // namespace fv
