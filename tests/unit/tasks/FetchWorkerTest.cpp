#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "TaskTestDoubles.h"
#include "platform/DebugLog.h"
#include "tasks/TaskReportFetch.h"

namespace fv {
namespace {

using test::FakeGateway;
using test::taskLine;

TEST(FetchWorker, OutcomesAndTheTable) {
    const struct {
        const char* what;
        RouterReply reply;
        bool ok;
        int rowsAfter;  // the table held 2 rows before
        bool logsFault;
    } cases[] = {
        {"report", FakeGateway::ok(taskLine("9", "n")), true, 1, false},
        {"empty report", FakeGateway::ok(""), true, 0, false},
        {"other page", FakeGateway::ok("<?xml version=\"1.0\"?>"), false, 2, false},
        {"refused", FakeGateway::failure("Socket Error # 10061"), false, 2, true},
        {"error status", FakeGateway::failure("HTTP/1.1 500 Internal Server Error"), false, 2,
         true},
    };
    for (const auto& c : cases) {
        LogCapture log;
        TaskTable table;
        table.parseReport(taskLine("1", "a") + "\n" + taskLine("2", "b"));
        FakeGateway gateway([&](const RouterRequest&) { return c.reply; });
        EXPECT_EQ(TaskReportFetch(gateway, table).execute(), c.ok) << c.what;
        EXPECT_EQ(table.count(), c.rowsAfter) << c.what;
        EXPECT_EQ(
            log.contains("FVPageHttpGet - http connect fault!; E.Message = " + c.reply.failureText),
            c.logsFault)
            << c.what;
        ASSERT_EQ(gateway.requests().size(), 1u);
        const RouterRequest r = gateway.requests()[0];
        EXPECT_EQ(r.pathAndQuery, "/ferrovane/fv_print_status.cgi?action_mode=All&t=7");
        EXPECT_EQ(r.connectTimeoutMs, 4000);
        EXPECT_EQ(r.readTimeoutMs, 4000);
        EXPECT_TRUE(r.loginFirst);
    }
}

TEST(FetchWorker, FetchesNeverOverlap) {
    TaskTable table;
    std::atomic<int> inside{0};
    std::atomic<int> most{0};
    FakeGateway gateway([&](const RouterRequest&) {
        const int now = ++inside;
        most = std::max(most.load(), now);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        --inside;
        return FakeGateway::ok(taskLine("1", "a"));
    });
    std::thread a([&] { TaskReportFetch(gateway, table).execute(); });
    std::thread b([&] { TaskReportFetch(gateway, table).execute(); });
    a.join();
    b.join();
    EXPECT_EQ(gateway.requests().size(), 2u);
    EXPECT_EQ(most.load(), 1);
}

}  // namespace
}  // namespace fv
