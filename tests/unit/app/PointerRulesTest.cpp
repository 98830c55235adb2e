#include <gtest/gtest.h>

#include "app/LineHint.h"
#include "app/ThumbDrag.h"
#include "app/TrackPager.h"
#include "i18n/MessageTexts.h"

namespace fv {
namespace {

TEST(ThumbDrag, StepsOnceThePointerIsFarEnough) {
    struct Case {
        bool vertical;
        int offset;
        int step;
    };
    const Case cases[] = {{true, 0, 0},    {true, 1, 0},  {true, -1, 0},  {true, 2, 1},
                          {true, -2, -1},  {false, 2, 0}, {false, -2, 0}, {false, 3, 1},
                          {false, -3, -1}, {false, 40, 1}};
    for (const Case& c : cases) {
        ThumbDrag d = c.vertical ? ThumbDrag::vertical() : ThumbDrag::horizontal();
        EXPECT_EQ(d.move(100 + c.offset), 0) << "not pressed";
        d.press(100);
        EXPECT_EQ(d.move(100 + c.offset), c.step) << c.vertical << " " << c.offset;
        d.release();
        EXPECT_EQ(d.move(100 + c.offset), 0);
    }
}

TEST(TrackPager, PagesAtPressThenRepeatsEvery100msWhileMoving) {
    ManualClock clock;
    TrackPager pager(clock);
    EXPECT_EQ(pager.press(50, 10, 30), 1);
    struct Step {
        int advanceMs;
        bool overTrack;
        int page;
    };
    const Step steps[] = {{50, true, 0}, {49, true, 0}, {1, true, 1}, {100, false, 0},
                          {0, true, 1},  {10, true, 0}, {90, true, 1}};
    for (const Step& s : steps) {
        clock.advance(s.advanceMs);
        EXPECT_EQ(pager.move(s.overTrack), s.page) << clock.nowMs();
    }
    pager.release();
    clock.advance(500);
    EXPECT_EQ(pager.move(true), 0);
}

TEST(TrackPager, DirectionFromThePressPoint) {
    ManualClock clock;
    TrackPager pager(clock);
    EXPECT_EQ(pager.press(5, 10, 30), -1);
    EXPECT_EQ(pager.press(10, 10, 30), 0);
    EXPECT_FALSE(pager.active());
    clock.advance(200);
    EXPECT_EQ(pager.move(true), 0);
    EXPECT_EQ(pager.press(30, 10, 30), 1);
}

TEST(LineHint, NameAndFormatWarning) {
    struct Case {
        int line;
        const char* name;
        const char* status;
        const char* hint;
    };
    const Case cases[] = {
        {1, "", "Format Error", ""},
        {3, "a.iso", "Downloading", "a.iso"},
        {2, "a.iso", "Format Error",
         "a.iso, \r\nThe disk format dose not support files more "
         "then 4G."},
        {5, "b", "Formatting", "b, \r\nThe disk format dose not support files more then 4G."},
        {4, "b", "format", "b"},  // the word is matched with its case
    };
    for (const Case& c : cases)
        EXPECT_EQ(LineHint::text(c.line, c.name, c.status), QString::fromUtf8(c.hint)) << c.line;
}

TEST(LineHint, TimeLeftOnALineOfItsOwn) {
    struct Case {
        const char* hint;
        const char* left;
        const char* shown;
    };
    const Case cases[] = {
        {"a.iso", "1:05:30", "a.iso\r\nTime left: 1:05:30"},
        {"a.iso", "\u221e", "a.iso\r\nTime left: \u221e"},
        {"a.iso", "", "a.iso"},  // finished, seeding, queued
        {"", "0:30", ""},        // an empty line has no hint at all
    };
    for (const Case& c : cases)
        EXPECT_EQ(LineHint::withTimeLeft(QString::fromUtf8(c.hint), QString::fromUtf8(c.left),
                                         QStringLiteral("Time left:")),
                  QString::fromUtf8(c.shown))
            << c.hint << " " << c.left;
}

TEST(LineHint, FirstLineFollowsTheLanguage) {
    MessageTexts german;
    german.set(Msg::FormMainMsg13, QStringLiteral("Das Format erlaubt keine Dateien über 4G."));
    EXPECT_EQ(LineHint::text(1, "x", "Format Error", german),
              "x, \r\n" + german[Msg::FormMainMsg13]);
    EXPECT_TRUE(LineHint::text(2, "x", "Format Error", german).endsWith("more then 4G."));
}

}  // namespace
}  // namespace fv
