// The connection page's test: the login routine and the account-check routine on threads of
// their own, the wait between them, and the wizard's address test.
#pragma once

#include <QThread>

#include "router/RouterContext.h"

namespace fv {

enum class ThreadWaitResult { Signaled, Abandoned, TimedOut, Other, Failed };

class ConnectionTest {
  public:
    // Thread routines (ctx.forms required): the host comes from the wizard's address step
    // while its account step shows, otherwise from the connection page.
    static void runTokenCheck(const RouterContext& ctx);
    static void runAccountCheck(const RouterContext& ctx);

    // Waits for thread to end, at most ms, and logs the outcome. A null thread is a failed
    // wait. UI thread.
    static ThreadWaitResult waitForThreadEnd(QThread* thread, int ms);

    // Starts the login routine and, once it ended or 1000 ms passed, the account check; the
    // wait happens off the UI thread. Both run on tracked workers. UI thread; the caller has
    // disabled the buttons.
    static void start(const RouterContext& ctx);

    // The login routine alone on a self-freeing thread ("OK"/"Finish" without a session).
    static void startLogin(const RouterContext& ctx);

    // The wizard's address test: the service test against the address step's host, with
    // "Auto Detection" disabled while it runs. Blocks; UI thread.
    static bool testServiceForWizard(const RouterContext& ctx);

    // The debug line of a wait's outcome.
    static void logWaitOutcome(bool signaled);

    // A self-deleting thread running routine (not started).
    static QThread* makeThread(std::function<void()> routine);
};

}  // namespace fv
