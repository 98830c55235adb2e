// Ten minutes of total speeds, one sample per refresh, and the plot's axis.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "app/SpeedHistory.h"
#include "platform/Clock.h"

namespace fv {
namespace {

std::vector<int64_t> times(const SpeedHistory& h) {
    std::vector<int64_t> t;
    for (const auto& s : h.samples())
        t.push_back(s.atMs);
    return t;
}

TEST(SpeedHistory, KeepsTheLastTenMinutes) {
    ManualClock clock;
    SpeedHistory h;
    // A refresh every 5 s for 11 minutes.
    for (int i = 0; i <= 132; ++i) {
        h.add(clock.nowMs(), i, 2.0 * i);
        clock.advance(5000);
    }
    const auto t = times(h);
    ASSERT_FALSE(t.empty());
    EXPECT_EQ(t.back(), 132 * 5000);
    EXPECT_EQ(t.front(), 132 * 5000 - SpeedHistory::kSpanMs) << "a sample exactly 10 min old stays";
    EXPECT_EQ(t.size(), 121u);
    EXPECT_EQ(h.peakKBps(), 264.0) << "the larger of both directions";
}

TEST(SpeedHistory, ClockBackwardsAndBadFigures) {
    SpeedHistory h;
    h.add(10000, 5, 1);
    h.add(20000, 7, 1);
    h.add(15000, 3, 2);  // the clock went back: the history starts again
    EXPECT_EQ(times(h), (std::vector<int64_t>{15000}));
    h.add(16000, std::numeric_limits<double>::quiet_NaN(), -4);
    h.add(17000, std::numeric_limits<double>::infinity(), 1);
    ASSERT_EQ(h.samples().size(), 3u);
    EXPECT_EQ(h.samples()[1], (SpeedHistory::Sample{16000, 0, 0}));
    EXPECT_EQ(h.samples()[2], (SpeedHistory::Sample{17000, 0, 1}));
    EXPECT_EQ(h.peakKBps(), 3.0);
    h.add(17000, 1, 1);  // the same instant twice is kept, not a restart
    EXPECT_EQ(h.samples().size(), 4u);
}

TEST(SpeedHistory, AxisRoundsUpAndSwitchesToMegabytes) {
    struct Case {
        double peak;
        double top;
        const char* topLabel;
        const char* middleLabel;
    };
    const Case cases[] = {
        {0, 10, "10 KB/s", "5 KB/s"},         {-3, 10, "10 KB/s", "5 KB/s"},
        {0.3, 1, "1 KB/s", "0.5 KB/s"},       {1, 1, "1 KB/s", "0.5 KB/s"},
        {1.01, 2, "2 KB/s", "1 KB/s"},        {37, 50, "50 KB/s", "25 KB/s"},
        {120, 200, "200 KB/s", "100 KB/s"},   {999, 1000, "1000 KB/s", "500 KB/s"},
        {1000, 1000, "1 MB/s", "0.5 MB/s"},   {2590, 5000, "5 MB/s", "2.5 MB/s"},
        {12000, 20000, "20 MB/s", "10 MB/s"},
    };
    for (const Case& c : cases) {
        const auto axis = SpeedHistory::axisFor(c.peak);
        EXPECT_DOUBLE_EQ(axis.topKBps, c.top) << c.peak;
        EXPECT_EQ(axis.label(1.0), c.topLabel) << c.peak;
        EXPECT_EQ(axis.label(0.5), c.middleLabel) << c.peak;
        EXPECT_GE(axis.topKBps, c.peak) << "every sample fits under the top";
    }
}

}  // namespace
}  // namespace fv
