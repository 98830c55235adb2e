#include "platform/WaitPumping.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

#include "platform/Clock.h"

namespace fv {
namespace {

struct PassCase {
    int waitMs;
    int stepMs;
    int expectedPasses;  // passes until more than waitMs has elapsed
};

class WaitPumpingPasses : public ::testing::TestWithParam<PassCase> {};

TEST_P(WaitPumpingPasses, EndsOnlyAfterMoreThanTheWait) {
    ManualClock clock;
    clock.advance(123456);
    int passes = 0;
    bool pumped = false;
    waitPumpingEvents(GetParam().waitMs, true, clock, [&](bool pump) {
        pumped = pump;
        ++passes;
        clock.advance(GetParam().stepMs);
    });
    EXPECT_EQ(passes, GetParam().expectedPasses);
    EXPECT_EQ(pumped, GetParam().expectedPasses > 0);
}

INSTANTIATE_TEST_SUITE_P(Steps, WaitPumpingPasses,
                         ::testing::Values(PassCase{500, 10, 51}, PassCase{100, 10, 11},
                                           PassCase{0, 10, 1}, PassCase{95, 10, 10},
                                           PassCase{-5, 10, 0}),
                         [](const auto& info) {
                             return "Wait" + std::to_string(info.param.waitMs + 1000) + "Step" +
                                    std::to_string(info.param.stepMs);
                         });

TEST(waitPumpingEvents, PumpingRunsQueuedEventsAndPlainWaitDoesNot) {
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    waitPumpingEvents(30, false);
    EXPECT_FALSE(ran);

    QElapsedTimer elapsed;
    elapsed.start();
    waitPumpingEvents(30, true);
    EXPECT_TRUE(ran);
    EXPECT_GE(elapsed.elapsed(), 30);  // both clocks count whole milliseconds
}

}  // namespace
}  // namespace fv
