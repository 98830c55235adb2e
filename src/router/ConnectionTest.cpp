#include "router/ConnectionTest.h"

#include <QDeadlineTimer>
#include <cerrno>
#include <chrono>
#include <future>
#include <memory>

#include "i18n/MessageTexts.h"
#include "platform/DebugLog.h"
#include "platform/WorkerThread.h"
#include "router/LoginForms.h"
#include "router/SessionLogin.h"
#include "router/SetupControlNames.h"

namespace fv {

namespace n = setup_names;

void ConnectionTest::runTokenCheck(const RouterContext& ctx) {
    try {
        fetchSessionToken(ctx, ctx.forms->connectionTestHost());
    } catch (...) {
        DebugLog::write("catch error : in GetTokenThread");
    }
    ctx.forms->post([](FormState& f) {
        for (const char* name : {n::TestButton, n::DetectButton, n::OkPanel, n::ApplyPanel,
                                 n::BitTorrentTab, n::NzbTab, n::AboutTab})
            f.setEnabled(name, true);
    });
}

void ConnectionTest::runAccountCheck(const RouterContext& ctx) {
    try {
        checkAccount(ctx, ctx.forms->connectionTestHost());
    } catch (...) {
        const QString failed = ctx.forms->texts()[Msg::FormSetupMsg6];
        ctx.forms->post([failed](FormState& f) {
            f.setVisible(n::TestMessage, true);
            f.setText(n::TestMessage, failed);
        });
    }
}

ThreadWaitResult ConnectionTest::waitForThreadEnd(QThread* thread, int ms) {
    if (!thread) {
        DebugLog::write(
            QStringLiteral("WaitForThreadEnd():Send FAILED; Error: %1\r\n").arg(EINVAL));
        return ThreadWaitResult::Failed;
    }
    const bool signaled = thread->wait(QDeadlineTimer(ms));
    logWaitOutcome(signaled);
    return signaled ? ThreadWaitResult::Signaled : ThreadWaitResult::TimedOut;
}

void ConnectionTest::logWaitOutcome(bool signaled) {
    DebugLog::write(signaled
                        ? "WaitForThreadEnd():The state of the specified object is signaled.\r\n"
                        : "WaitForThreadEnd():The time-out interval elapsed, and the object's "
                          "state is nonsignaled.\r\n");
}

QThread* ConnectionTest::makeThread(std::function<void()> routine) {
    QThread* thread = QThread::create(std::move(routine));
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    return thread;
}

void ConnectionTest::start(const RouterContext& ctx) {
    // The account check starts when the login has ended, or after 1000 ms. That wait runs on
    // the account check's own worker, not here: the window keeps painting (and the wizard's
    // busy overlay turning) while the router takes its time.
    auto loginEnded = std::make_shared<std::promise<void>>();
    std::shared_future<void> ended = loginEnded->get_future().share();
    WorkerThread::start(nullptr, [ctx, loginEnded] {
        runTokenCheck(ctx);
        loginEnded->set_value();
    });
    WorkerThread::start(nullptr, [ctx, ended] {
        const bool signaled =
            ended.wait_for(std::chrono::milliseconds(1000)) == std::future_status::ready;
        logWaitOutcome(signaled);
        runAccountCheck(ctx);
    });
}

void ConnectionTest::startLogin(const RouterContext& ctx) {
    makeThread([ctx] { runTokenCheck(ctx); })->start();
}

bool ConnectionTest::testServiceForWizard(const RouterContext& ctx) {
    const QString host = ctx.forms->wizardHost();
    ctx.forms->post([](FormState& f) { f.setEnabled(n::WizardAutoDetect, false); });
    const bool found = testService(ctx, host);
    ctx.forms->post([](FormState& f) { f.setEnabled(n::WizardAutoDetect, true); });
    return found;
}

}  // namespace fv
