#include <gtest/gtest.h>

#include "app/HorizontalScroll.h"
#include "app/ProgressPicture.h"
#include "app/VerticalScrollRule.h"
#include "tasks/RouterNumber.h"

#include <QLocale>

namespace fv {
namespace {

struct PictureCase {
    const char* progress;
    int picture;
};

class ProgressPictureTest : public ::testing::TestWithParam<PictureCase> {};

TEST_P(ProgressPictureTest, PicksByTruncatedPercentage) {
    EXPECT_EQ(ProgressPicture::index(QString::fromUtf8(GetParam().progress)), GetParam().picture)
        << GetParam().progress;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProgressPictureTest,
    ::testing::Values(PictureCase{"100%", 5}, PictureCase{"99.9%", 4}, PictureCase{"0%", 0},
                      PictureCase{"", 0}, PictureCase{"%", 0}, PictureCase{"20%", 1},
                      PictureCase{"20.5%", 1}, PictureCase{"21%", 2}, PictureCase{"1%", 1},
                      PictureCase{"0.9%", 0}, PictureCase{"40%", 2}, PictureCase{"41%", 3},
                      PictureCase{"60.99%", 3}, PictureCase{"61%", 4}, PictureCase{"100.5%", 5},
                      PictureCase{"101%", 0}, PictureCase{"-5%", 0}, PictureCase{"abc%", 0},
                      PictureCase{"50", 1},  // last character dropped: "5"
                      PictureCase{"1e400%", 0}, PictureCase{"nan%", 0}));

// The list writes progress with the user's decimal separator; the picture must read it back.
TEST(ProgressPicture, ReadsWhatTheListWritesInACommaLocale) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString text = RouterNumber::progressText(0.455);
    const int picture = ProgressPicture::index(text);
    const int dotted = ProgressPicture::index(QStringLiteral("45.5%"));
    QLocale::setDefault(previous);
    EXPECT_EQ(text, QStringLiteral("45,5%"));
    EXPECT_EQ(picture, 3);
    EXPECT_EQ(dotted, 3);
}

TEST(ProgressPicture, NamesFollowTheSkin) {
    EXPECT_EQ(ProgressPicture::name(3), "img_Signal_3");
}

struct ThumbCase {
    int rows;
    int track;
    bool visible;
    int step;
    int height;
};

class VerticalThumbTest : public ::testing::TestWithParam<ThumbCase> {};

TEST_P(VerticalThumbTest, StepAndHeight) {
    const ThumbCase c = GetParam();
    const auto t = VerticalScrollRule::compute(c.rows, c.track);
    EXPECT_EQ(t.visible, c.visible);
    EXPECT_EQ(t.step, c.step);
    if (c.visible) {
        EXPECT_EQ(t.height, c.height);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, VerticalThumbTest,
    ::testing::Values(ThumbCase{0, 100, false, 0, 0}, ThumbCase{5, 100, false, 0, 0},
                      ThumbCase{6, 100, true, 5, 95}, ThumbCase{10, 100, true, 5, 75},
                      // 59 hidden rows: the largest step that leaves at least 5 pixels.
                      ThumbCase{64, 300, true, 5, 5}, ThumbCase{64, 299, true, 4, 63},
                      ThumbCase{64, 200, true, 3, 23}, ThumbCase{64, 123, true, 2, 5},
                      ThumbCase{64, 122, true, 1, 63}, ThumbCase{64, 64, true, 1, 5},
                      // No step leaves 5 pixels: step 1 and a thumb still one can grab.
                      ThumbCase{64, 40, true, 1, 5}));

TEST(VerticalThumb, OffsetFollowsTopRowWithinTrack) {
    const auto t = VerticalScrollRule::compute(10, 100);
    EXPECT_EQ(VerticalScrollRule::thumbOffset(t, 0, 100), 0);
    EXPECT_EQ(VerticalScrollRule::thumbOffset(t, 5, 100), 25);
    const auto tight = VerticalScrollRule::compute(64, 40);
    EXPECT_EQ(VerticalScrollRule::thumbOffset(tight, 59, 40), 35);
}

TEST(HorizontalScroll, AppearsWithOverflowAndStartsAtZero) {
    HorizontalScroll h;
    h.recompute(0, 200);
    EXPECT_FALSE(h.visible());
    EXPECT_FALSE(h.stepRight());
    h.recompute(23, 200);
    ASSERT_TRUE(h.visible());
    EXPECT_EQ(h.max(), 4);
    EXPECT_EQ(h.thumbWidth(), 177);
    EXPECT_EQ(h.pos(), 0);
}

TEST(HorizontalScroll, StepsAndPagesClamp) {
    HorizontalScroll h;
    h.recompute(50, 200);  // max 10
    struct Step {
        bool (HorizontalScroll::*op)();
        int pos;
        bool moved;
    };
    const Step steps[] = {
        {&HorizontalScroll::stepLeft, 0, false},  {&HorizontalScroll::stepRight, 1, true},
        {&HorizontalScroll::pageRight, 5, true},  {&HorizontalScroll::pageRight, 9, true},
        {&HorizontalScroll::pageRight, 10, true}, {&HorizontalScroll::stepRight, 10, false},
        {&HorizontalScroll::pageLeft, 6, true},   {&HorizontalScroll::pageLeft, 2, true},
        {&HorizontalScroll::pageLeft, 0, true},
    };
    for (const Step& s : steps) {
        EXPECT_EQ((h.*s.op)(), s.moved);
        EXPECT_EQ(h.pos(), s.pos);
        EXPECT_EQ(h.shiftPx(), s.pos * 5);
    }
}

TEST(HorizontalScroll, ShrinkingOverflowPullsThumbBack) {
    HorizontalScroll h;
    h.recompute(50, 200);
    h.moveTo(10);
    h.recompute(22, 200);  // the columns got narrower: max 4
    EXPECT_EQ(h.pos(), 4);
    EXPECT_LE(h.thumbOffset() + h.thumbWidth(), 200);
    h.recompute(0, 200);
    EXPECT_FALSE(h.visible());
    EXPECT_EQ(h.shiftPx(), 0);
}

TEST(HorizontalScroll, OverflowWiderThanTrackKeepsThumbInside) {
    HorizontalScroll h;
    h.recompute(300, 200);
    EXPECT_GT(h.thumbWidth(), 0);
    h.moveTo(h.max());
    EXPECT_LE(h.thumbOffset() + h.thumbWidth(), 200);
}

}  // namespace
}  // namespace fv
