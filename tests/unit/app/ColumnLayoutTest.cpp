#include "app/ColumnLayout.h"

#include <gtest/gtest.h>

namespace fv {
namespace {

// Six 60-pixel columns and a 50-pixel last one that starts 10 wider: 420 in all.
ColumnLayout sixties() {
    return ColumnLayout({60, 60, 60, 60, 60, 60, 50});
}

TEST(ColumnLayout, LastColumnStartsWiderAndSetsTheInitialTotal) {
    const ColumnLayout c = sixties();
    EXPECT_EQ(c.width(kColUpSpeed), 60);
    EXPECT_EQ(c.initialTotal(), 420);
    EXPECT_EQ(c.overflow(), 0);
    EXPECT_EQ(c.left(3), 180);
}

TEST(ColumnLayout, SingleDragFromAFreshLayout) {
    struct Case {
        const char* what;
        int x;
        bool allowed;
        int change;
    };
    const Case cases[] = {
        {"shrink rounds toward zero", -13, true, -10},
        {"shrink below 50 refused", -17, false, 0},
        {"shrink to exactly 50", -10, true, -10},
        {"small moves change nothing", -4, true, 0},
        {"grow rounds down", 7, true, 5},
        {"grow to the 380 limit", 324, true, 320},
        {"grow past 380 refused", 325, false, 0},
    };
    for (const Case& c : cases) {
        ColumnLayout layout = sixties();
        layout.press(kColType);
        EXPECT_TRUE(layout.dragging(kColType));
        EXPECT_EQ(layout.dragTo(c.x), c.allowed) << c.what;
        EXPECT_EQ(layout.release(), c.change) << c.what;
        EXPECT_EQ(layout.width(kColType), 60 + c.change) << c.what;
        EXPECT_EQ(layout.left(kColProgress), 120 + c.change) << c.what;
        EXPECT_EQ(layout.left(kColType), 60) << c.what;
        EXPECT_FALSE(layout.dragging(kColType));
    }
}

TEST(ColumnLayout, RefusedMoveLeavesTheGuideWhereItWas) {
    ColumnLayout layout = sixties();
    layout.press(kColName);
    ASSERT_TRUE(layout.dragTo(-9));
    EXPECT_FALSE(layout.dragTo(-17));
    EXPECT_EQ(layout.guideOffset(), -9);
    EXPECT_EQ(layout.release(), -5);
}

TEST(ColumnLayout, TotalStaysWithinTwiceTheInitialMinusReserve) {
    ColumnLayout layout = sixties();  // limit 2 * 420 - 40 = 800
    layout.press(kColName);
    ASSERT_TRUE(layout.dragTo(320));
    layout.release();
    EXPECT_EQ(layout.total(), 740);
    layout.press(kColSize);
    EXPECT_FALSE(layout.dragTo(65));
    EXPECT_TRUE(layout.dragTo(64));
    EXPECT_EQ(layout.release(), 60);
    EXPECT_EQ(layout.total(), 800);
    EXPECT_EQ(layout.overflow(), 380);
}

TEST(ColumnLayout, DragWithoutPressDoesNothing) {
    ColumnLayout layout = sixties();
    EXPECT_FALSE(layout.dragTo(20));
    EXPECT_EQ(layout.release(), 0);
    layout.press(9);
    EXPECT_FALSE(layout.dragTo(20));
    EXPECT_EQ(layout.total(), 420);
}

}  // namespace
}  // namespace fv
