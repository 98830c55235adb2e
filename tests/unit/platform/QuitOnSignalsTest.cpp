#include "platform/QuitOnSignals.h"

#include <signal.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

namespace fv {
namespace {

class QuitOnSignalsTest : public ::testing::TestWithParam<int> {};

TEST_P(QuitOnSignalsTest, SignalReachesTheOwnerThread) {
    std::vector<int> seen;
    {
        QuitOnSignals quit([&](int signal) { seen.push_back(signal); });
        ASSERT_TRUE(quit.installed());
        ASSERT_EQ(::raise(GetParam()), 0);
        EXPECT_TRUE(seen.empty());  // nothing runs inside the signal handler itself
        QElapsedTimer elapsed;
        elapsed.start();
        while (seen.empty() && elapsed.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    EXPECT_EQ(seen, std::vector<int>{GetParam()});
    struct sigaction current {};
    ::sigaction(GetParam(), nullptr, &current);
    EXPECT_EQ(current.sa_handler, SIG_DFL);
}

INSTANTIATE_TEST_SUITE_P(Signals, QuitOnSignalsTest, ::testing::Values(SIGTERM, SIGINT, SIGHUP));

}  // namespace
}  // namespace fv
