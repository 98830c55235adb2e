#include "app/ColumnLayout.h"

#include <gtest/gtest.h>

namespace fv {
namespace {

// Seven 60-pixel columns and a 50-pixel last one that starts 10 wider: 480 in all.
ColumnLayout sixties() {
    return ColumnLayout({60, 60, 60, 60, 60, 60, 60, 50});
}

TEST(ColumnLayout, LastColumnStartsWiderAndSetsTheInitialTotal) {
    const ColumnLayout c = sixties();
    EXPECT_EQ(c.width(kColUpSpeed), 60);
    EXPECT_EQ(c.width(kColTimeLeft), 60);
    EXPECT_EQ(c.initialTotal(), 480);
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
    ColumnLayout layout = sixties();  // limit 2 * 480 - 40 = 920
    layout.press(kColName);
    ASSERT_TRUE(layout.dragTo(320));
    layout.release();
    EXPECT_EQ(layout.total(), 800);
    layout.press(kColSize);
    EXPECT_FALSE(layout.dragTo(125));
    EXPECT_TRUE(layout.dragTo(124));
    EXPECT_EQ(layout.release(), 120);
    EXPECT_EQ(layout.total(), 920);
    EXPECT_EQ(layout.overflow(), 440);
}

TEST(ColumnLayout, DragWithoutPressDoesNothing) {
    ColumnLayout layout = sixties();
    EXPECT_FALSE(layout.dragTo(20));
    EXPECT_EQ(layout.release(), 0);
    layout.press(9);
    EXPECT_FALSE(layout.dragTo(20));
    EXPECT_EQ(layout.total(), 480);
}

TEST(ColumnLayout, RestoresOnlyWidthsADragCouldMake) {
    using W = ColumnLayout::Widths;
    struct Case {
        const char* what;
        W widths;
        bool taken;
    };
    const Case cases[] = {
        {"each within 50 to 380", {200, 50, 60, 60, 60, 60, 60, 60}, true},
        {"a column under 50", {60, 49, 60, 60, 60, 60, 60, 60}, false},
        {"a column over 380 but inside the list", {381, 50, 50, 50, 50, 50, 50, 50}, true},
        {"a column wider than the list", {481, 50, 50, 50, 50, 50, 50, 50}, false},
        {"a total at twice the initial less 40", {380, 200, 50, 50, 50, 50, 60, 80}, true},
        {"a total 5 past that", {380, 205, 50, 50, 50, 50, 60, 80}, false},
    };
    for (const Case& c : cases) {
        ColumnLayout layout = sixties();
        EXPECT_EQ(layout.restore(c.widths), c.taken) << c.what;
        EXPECT_EQ(layout.widths(), c.taken ? c.widths : sixties().widths()) << c.what;
        EXPECT_EQ(layout.initialTotal(), 480) << "the list's own width stays " << c.what;
    }
}

TEST(ColumnLayout, AWiderViewIsSharedAndGivenBackExactly) {
    ColumnLayout layout({100, 50, 50, 50, 50, 50, 50, 40});  // 450 in all
    layout.fitTo(900);
    EXPECT_EQ(layout.viewport(), 900);
    EXPECT_EQ(layout.total(), 900) << "the columns fill the wider view";
    EXPECT_EQ(layout.overflow(), 0);
    EXPECT_EQ(layout.width(kColName), 200) << "in proportion: twice the view, twice the width";
    EXPECT_EQ(layout.width(kColType), 100);
    layout.fitTo(613);  // an odd width: the rounding's pixels are handed out
    EXPECT_EQ(layout.total(), 613);
    for (int k = 0; k < kColumnCount; ++k)
        EXPECT_NEAR(layout.width(k), (k == 0 ? 100 : 50) * 613.0 / 450, 1.0) << k;
    layout.fitTo(450);
    EXPECT_EQ(layout.widths(), ColumnLayout({100, 50, 50, 50, 50, 50, 50, 40}).widths())
        << "back to the designed widths";
    layout.fitTo(300);
    EXPECT_EQ(layout.viewport(), 450) << "never narrower than the skin's list";

    // A drag in the wider view is kept when the view changes again; the drag's total limit
    // follows the view.
    layout.fitTo(900);
    layout.press(kColType);
    ASSERT_TRUE(layout.dragTo(-25));
    EXPECT_EQ(layout.release(), -25);
    EXPECT_EQ(layout.width(kColType), 75);
    layout.fitTo(900);
    EXPECT_EQ(layout.width(kColType), 75);
    layout.press(kColSize);
    EXPECT_TRUE(layout.dragTo(280)) << "total 1155: within 2 * 900 - 40, past 2 * 450 - 40";

    // Columns widened past the view stay as the user left them.
    ColumnLayout wide({60, 60, 60, 60, 60, 60, 60, 50});
    wide.press(kColName);
    ASSERT_TRUE(wide.dragTo(100));
    wide.release();
    wide.fitTo(520);
    EXPECT_EQ(wide.width(kColName), 160);
    EXPECT_EQ(wide.overflow(), 60);
}

}  // namespace
}  // namespace fv
