#include "router/ConnectionTest.h"

#include <QDeadlineTimer>
#include <cerrno>

#include "i18n/MessageTexts.h"
#include "platform/DebugLog.h"
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
    if (thread->wait(QDeadlineTimer(ms))) {
        DebugLog::write("WaitForThreadEnd():The state of the specified object is signaled.\r\n");
        return ThreadWaitResult::Signaled;
    }
    DebugLog::write(
        "WaitForThreadEnd():The time-out interval elapsed, and the object's state is "
        "nonsignaled.\r\n");
    return ThreadWaitResult::TimedOut;
}

QThread* ConnectionTest::makeThread(std::function<void()> routine) {
    QThread* thread = QThread::create(std::move(routine));
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    return thread;
}

void ConnectionTest::start(const RouterContext& ctx) {
    // deleteLater needs this (UI) thread's event loop, so the pointer stays valid during
    // the wait even when the login ends first.
    QThread* login = makeThread([ctx] { runTokenCheck(ctx); });
    login->start();
    waitForThreadEnd(login, 1000);
    makeThread([ctx] { runAccountCheck(ctx); })->start();
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
