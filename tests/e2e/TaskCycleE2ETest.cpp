// The refresh cycle, the task list and the task commands against the simulated router on
// loopback. Workers run on the test's thread (a hand-stepped runner) so every tick is
// deterministic; the requests themselves are real HTTP exchanges.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <regex>
#include <thread>

#include "ManualClientCore.h"
#include "RequestRecord.h"
#include "SimConnection.h"
#include "Simulator.h"
#include "TestEnvironment.h"
#include "i18n/MessageTexts.h"
#include "tasks/RefreshCycle.h"
#include "tasks/TaskCommands.h"

namespace fv {
namespace {

using routersim::Listener;

class TaskCycleE2E : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(sim.start(&error)) << error;
        ConnectionProfile conn = test::connectionTo(sim);
        conn.RefreshIntervalMs = 5000;
        records.setConnection(conn);
        for (int i = 0; i < 3; ++i) {
            routersim::Task t;
            t.name = "task" + std::to_string(i) + ".iso";
            t.sizeBytes = 1000000;
            t.doneBytes = 250000;
            ids.push_back(sim.board().add(t));
        }
        cycle->show();
    }
    void TearDown() override {
        test::recordRequests(sim);
        sim.stop();
    }

    void tick() {
        ASSERT_TRUE(timer.fire());
        runner.runAll();
    }
    // The simulator follows its refuse switch within a few milliseconds; wait until the
    // service port really refuses (or accepts) before the next tick.
    void routerOff(bool off) {
        sim.faults(Listener::Service).setRefuse(off);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (acceptsConnections() == off && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        ASSERT_NE(acceptsConnections(), off);
    }
    bool acceptsConnections() const {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_port = htons(sim.port(Listener::Service));
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
        ::close(fd);
        return ok;
    }
    QString status() const { return form.text("Lab_ConnectStatus_Main"); }
    std::vector<std::string> targets(const std::string& containing) const {
        std::vector<std::string> out;
        for (const routersim::Request& r : sim.requests()) {
            if (r.target.find(containing) != std::string::npos)
                out.push_back(r.target);
        }
        return out;
    }

    routersim::Simulator sim;
    test::ScratchDir dir;
    test::ManualClientCore client{dir.path()};
    SettingsRecords& records = client.core().records();
    TaskListModel& model = client.core().model();
    FormState& form = client.core().mainForm();
    FormState& setupForm = client.core().setupForm();
    ManualTimer& timer = client.refreshTimer();
    RefreshState* state = &client.core().refreshState();
    test::ManualRunner& runner = client.runner();
    RefreshCycle* cycle = &client.core().refresh();
    TaskCommands* commands = &client.core().commands();
    std::vector<std::string> ids;
};

TEST_F(TaskCycleE2E, ListFollowsTheRouter) {
    client.core().queue().addFile("wait.torrent", "All", "/x/wait.torrent");
    tick();
    EXPECT_EQ(status(), MessageTexts::english()[Msg::FormMainMsg6]);
    ASSERT_EQ(model.rowCount(), 4);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(model.row(i).caption.toStdString(), ids[i]);
    EXPECT_EQ(model.row(0).texts[TaskListRow::Progress], QStringLiteral("25%"));
    EXPECT_TRUE(model.row(3).isUploadRow());
    // The report request on the wire.
    const std::vector<std::string> fetches = targets("fv_print_status.cgi");
    ASSERT_EQ(fetches.size(), 1u);
    EXPECT_TRUE(std::regex_match(
        fetches[0], std::regex(R"(/ferrovane/fv_print_status\.cgi\?action_mode=All&t=[0-9])")))
        << fetches[0];
}

TEST_F(TaskCycleE2E, RouterOffFromTheStart) {
    routerOff(true);
    for (int i = 0; i < 8; ++i) {
        tick();
        EXPECT_EQ(status(), MessageTexts::english()[Msg::FormMainMsg5]) << i;
        EXPECT_FALSE(form.visible("Img_Connected_Main"));
        EXPECT_FALSE(setupForm.enabled("RadioBtnFVEnable_Setup"));
    }
    EXPECT_EQ(model.rowCount(), 0);
}

TEST_F(TaskCycleE2E, RouterSwitchedOffWhileOnline) {
    tick();
    ASSERT_EQ(status(), MessageTexts::english()[Msg::FormMainMsg6]);
    routerOff(true);
    for (int i = 1; i <= 5; ++i) {
        tick();
        EXPECT_EQ(status(), MessageTexts::english()[Msg::FormMainMsg6]) << "failed tick " << i;
    }
    tick();
    EXPECT_EQ(status(), MessageTexts::english()[Msg::FormMainMsg5]);
    EXPECT_EQ(model.rowCount(), 3) << "the last known tasks stay";
}

TEST_F(TaskCycleE2E, OneFailedTickThenSuccess) {
    tick();
    model.setSelectedRow(2);
    routerOff(true);
    tick();
    EXPECT_EQ(status(), MessageTexts::english()[Msg::FormMainMsg6]);
    EXPECT_FALSE(client.sendTimer().enabled());
    routerOff(false);
    tick();
    EXPECT_TRUE(client.sendTimer().enabled()) << "the comeback retried the uploads";
    EXPECT_EQ(model.selectedRow(), -1);
    EXPECT_EQ(status(), MessageTexts::english()[Msg::FormMainMsg6]);
}

TEST_F(TaskCycleE2E, ExpiredSessionLogsInAgain) {
    sim.auth().setMode(routersim::AuthMode::Session);
    tick();
    ASSERT_EQ(status(), MessageTexts::english()[Msg::FormMainMsg6]);
    const QString first = records.sessionTokenHeader();
    ASSERT_TRUE(first.startsWith(QStringLiteral("Cookie: AuthByPasswd="))) << first.toStdString();
    EXPECT_EQ(targets("/check.asp").size(), 1u);

    sim.auth().expireAllSessions();
    tick();  // both requests answered 307; the general read ends the session
    EXPECT_TRUE(records.sessionTokenHeader().isEmpty());
    tick();  // the fetch logs in again and succeeds
    EXPECT_EQ(targets("/check.asp").size(), 2u);
    EXPECT_FALSE(records.sessionTokenHeader().isEmpty());
    EXPECT_NE(records.sessionTokenHeader(), first);
    EXPECT_EQ(state->failureCounter, 0);
    EXPECT_TRUE(client.sendTimer().enabled()) << "the comeback retried the uploads";
}

TEST_F(TaskCycleE2E, OtherPageCountsAsFailure) {
    tick();
    routersim::Faults f = routersim::Faults::xmlPage();
    f.onlyTarget = "fv_print_status";
    sim.faults(Listener::Service).set(f);
    for (int i = 0; i < 6; ++i)
        tick();
    EXPECT_EQ(status(), MessageTexts::english()[Msg::FormMainMsg5]);
    EXPECT_EQ(model.rowCount(), 3);
}

TEST_F(TaskCycleE2E, MalformedLineEndsTheList) {
    const char* lines[] = {
        R"(,["x","n","0","1","s","BT","6","7","8","9","10"])",
        "garbage",
        ",[",
    };
    for (const char* line : lines) {
        routersim::Faults f;
        f.reportLine = line;
        sim.faults(Listener::Service).set(f);
        tick();
        EXPECT_EQ(status(), MessageTexts::english()[Msg::FormMainMsg6]) << line;
        ASSERT_EQ(model.rowCount(), 1) << line;
        EXPECT_EQ(model.row(0).caption.toStdString(), ids[0]);
    }
}

TEST_F(TaskCycleE2E, TwoHundredTasks) {
    for (int i = 0; i < 197; ++i) {
        routersim::Task t;
        t.name = "bulk" + std::to_string(i);
        sim.board().add(t);
    }
    tick();
    EXPECT_EQ(model.rowCount(), 200);
}

TEST_F(TaskCycleE2E, CommandUrlsByteExact) {
    tick();
    const std::string id = ids[1];
    const struct {
        void (TaskCommands::*click)();
        std::string query;
    } cases[] = {
        {&TaskCommands::pauseSelectedTask, "fv_ctrl=paused&task_id=" + id + "&download_type=BT"},
        {&TaskCommands::resumeSelectedTask, "fv_ctrl=start&task_id=" + id + "&download_type=BT"},
        {&TaskCommands::pauseAllTasks, "fv_ctrl=pause_all&download_type=ALL"},
        {&TaskCommands::resumeAllTasks, "fv_ctrl=start_all&download_type=ALL"},
        {&TaskCommands::clearCompletedTasks, "fv_ctrl=clear&download_type=All"},
        {&TaskCommands::removeSelectedTask, "fv_ctrl=cancel&task_id=" + id + "&download_type=BT"},
    };
    for (const auto& c : cases) {
        sim.clearRequests();
        model.setSelectedRow(1);
        (commands->*c.click)();
        runner.runAll();
        const std::vector<std::string> sent = targets("fv_apply.cgi");
        ASSERT_EQ(sent.size(), 1u) << c.query;
        const std::string prefix =
            "//ferrovane//fv_apply.cgi?action_mode=FV_CTRL&" + c.query + "&t=";
        ASSERT_EQ(sent[0].size(), prefix.size() + 1) << sent[0];
        EXPECT_EQ(sent[0].substr(0, prefix.size()), prefix);
        EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(sent[0].back())));
        EXPECT_FALSE(state->offline);
        EXPECT_EQ(timer.interval(), 2000);
    }
    EXPECT_FALSE(sim.board().find(id).has_value()) << "the router removed the task";
}

TEST_F(TaskCycleE2E, CommandAgainstAnAbsentRouterSetsOffline) {
    tick();
    routerOff(true);
    state->offline = false;
    commands->pauseAllTasks();
    runner.runAll();
    EXPECT_TRUE(state->offline);
    EXPECT_TRUE(timer.enabled());
}

}  // namespace
}  // namespace fv
