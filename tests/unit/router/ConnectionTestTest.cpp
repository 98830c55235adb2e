// The connection test's threads, the wait between them, the wizard's address test, and two
// logins racing for the session header.
#include <gtest/gtest.h>

#include "QtPrinters.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <condition_variable>
#include <thread>

#include "LoopbackServer.h"
#include "i18n/MessageTexts.h"
#include "platform/DebugLog.h"
#include "router/ConnectionTest.h"
#include "router/LoginForms.h"
#include "router/ProbeResults.h"
#include "router/SessionLogin.h"
#include "router/SetupControlNames.h"

namespace fv {
namespace {

using test::LoopbackServer;
namespace n = setup_names;

template <typename Pred>
bool pumpUntil(Pred done, int ms = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

TEST(ConnectionTest, WaitForThreadEndLogsEachResult) {
    struct Case {
        int workMs;  // -1: no thread at all
        int waitMs;
        ThreadWaitResult result;
        const char* line;
    };
    const Case cases[] = {
        {0, 1000, ThreadWaitResult::Signaled,
         "WaitForThreadEnd():The state of the specified object is signaled.\r\n"},
        {400, 30, ThreadWaitResult::TimedOut,
         "WaitForThreadEnd():The time-out interval elapsed, and the object's state is "
         "nonsignaled.\r\n"},
        {-1, 10, ThreadWaitResult::Failed, "WaitForThreadEnd():Send FAILED; Error: 22\r\n"},
    };
    for (const Case& c : cases) {
        LogCapture log;
        QThread* thread = nullptr;
        if (c.workMs >= 0) {
            thread = QThread::create(
                [ms = c.workMs] { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); });
            thread->start();
        }
        EXPECT_EQ(ConnectionTest::waitForThreadEnd(thread, c.waitMs), c.result);
        EXPECT_EQ(log.lines(), std::vector<std::string>{c.line});
        if (thread) {
            thread->wait();
            delete thread;
        }
    }
}

struct SetupArea {
    FormState form;
    LoginForms forms{form};
    SettingsRecords records;
    ProbeResults probe;

    explicit SetupArea(uint16_t port) {
        form.setChecked(n::Local, true);
        form.setText(n::LocalAddressList, "127.0.0.1 (FV-Router)");
        form.setText(n::Port, QString::number(port));
        form.setText(n::UserName, "admin");
        form.setText(n::Password, "pw-123");
        for (const char* name : {n::TestButton, n::DetectButton, n::OkPanel, n::ApplyPanel,
                                 n::BitTorrentTab, n::NzbTab, n::AboutTab})
            form.setEnabled(name, false);
    }
    RouterContext ctx() { return RouterContext(records, defaultHttpTransport(), &probe, &forms); }
    bool buttonsEnabled() const {
        for (const char* name : {n::TestButton, n::DetectButton, n::OkPanel, n::ApplyPanel,
                                 n::BitTorrentTab, n::NzbTab, n::AboutTab})
            if (!form.enabled(name))
                return false;
        return true;
    }
};

TEST(ConnectionTest, LoginThenAccountCheckReportOnThePage) {
    LoopbackServer server({
        {LoopbackServer::reply("HTTP/1.1 200 OK", {"Set-Cookie: AuthByPasswd=abc; path=/"})},
        {LoopbackServer::reply("HTTP/1.1 401 Unauthorized")},
    });
    SetupArea area(server.port());
    LogCapture log;
    ConnectionTest::start(area.ctx());

    ASSERT_TRUE(pumpUntil([&] { return server.requests().size() == 2 && area.buttonsEnabled(); }));
    ASSERT_TRUE(pumpUntil([&] {
        return area.form.text(n::TestMessage) != MessageTexts::english()[Msg::FormSetupMsg3];
    }));
    EXPECT_EQ(server.requests()[0].rfind("GET /check.asp?", 0), 0u);
    EXPECT_EQ(server.requests()[1].rfind("GET / HTTP/1.1", 0), 0u);
    // The account check runs last and its rejection is what the page shows.
    EXPECT_EQ(area.form.text(n::TestMessage), MessageTexts::english()[Msg::FormSetupMsg4] +
                                                  QStringLiteral(", ") +
                                                  MessageTexts::english()[Msg::FormSetupMsg18]);
    EXPECT_EQ(area.records.sessionTokenHeader(), "Cookie: AuthByPasswd=abc");
    EXPECT_TRUE(log.contains("WaitForThreadEnd():The state of the specified object is signaled."));
    EXPECT_TRUE(
        log.contains("FVUserPwAuth: Failed to check username and password in the second "
                     "time because of 401 UnAuthentication"));
}

TEST(ConnectionTest, LoginAloneReEnablesThePageEvenWhenRefused) {
    SetupArea area(test::closedLoopbackPort());
    ConnectionTest::startLogin(area.ctx());
    ASSERT_TRUE(pumpUntil([&] { return area.buttonsEnabled(); }));
    ASSERT_TRUE(pumpUntil([&] {
        return area.form.text(n::TestMessage) == MessageTexts::english()[Msg::FormSetupMsg6];
    }));
    EXPECT_EQ(area.form.text(n::ActiveControl), n::Password);
    EXPECT_TRUE(area.records.sessionTokenHeader().isEmpty());
}

TEST(ConnectionTest, WizardAddressTestDisablesAutoDetectionWhileRunning) {
    LoopbackServer server({{LoopbackServer::reply("HTTP/1.1 600 Busy")}});
    SetupArea area(server.port());
    area.form.setText(n::WizardLocalAddress, "127.0.0.1");
    area.probe.edit([&](ProbeState& s) { s.servicePort = std::to_string(server.port()); });
    std::vector<bool> states;
    QObject::connect(&area.form, &FormState::controlChanged, [&](const QString& name) {
        if (name == n::WizardAutoDetect)
            states.push_back(area.form.enabled(n::WizardAutoDetect));
    });
    EXPECT_TRUE(ConnectionTest::testServiceForWizard(area.ctx()));
    EXPECT_EQ(states, (std::vector<bool>{false, true}));
    EXPECT_EQ(server.requests().at(0).rfind("GET / HTTP/1.1", 0), 0u);
}

// Holds the first login's reply until the second login has finished, so the first login is
// the one that ends last.
class RacingTransport final : public HttpTransport {
  public:
    HttpResponse perform(const HttpRequest&) override {
        int mine = 0;
        {
            std::unique_lock lock(mutex_);
            mine = ++calls_;
            if (mine == 1)
                cv_.wait(lock, [&] { return secondDone_; });
        }
        HttpResponse r;
        r.replied = r.ok = true;
        r.statusText = "HTTP/1.1 200 OK";
        r.headerLines = {"Set-Cookie: AuthByPasswd=login" + std::to_string(mine) + "; path=/"};
        return r;
    }
    void secondFinished() {
        std::lock_guard lock(mutex_);
        secondDone_ = true;
        cv_.notify_all();
    }
    int calls() {
        std::lock_guard lock(mutex_);
        return calls_;
    }

  private:
    std::mutex mutex_;
    std::condition_variable cv_;
    int calls_ = 0;
    bool secondDone_ = false;
};

TEST(ConnectionTest, TwoLoginsLeaveTheLaterToken) {
    SettingsRecords records;
    RacingTransport transport;
    RouterContext ctx(records, transport);
    std::thread first([&] { fetchSessionToken(ctx, "127.0.0.1"); });
    while (transport.calls() < 1)
        std::this_thread::yield();
    QString afterSecond;
    std::thread second([&] {
        fetchSessionToken(ctx, "127.0.0.1");
        afterSecond = records.sessionTokenHeader();
        transport.secondFinished();
    });
    second.join();
    EXPECT_EQ(afterSecond, "Cookie: AuthByPasswd=login2");
    first.join();
    EXPECT_EQ(records.sessionTokenHeader(), "Cookie: AuthByPasswd=login1");
}

}  // namespace
}  // namespace fv
