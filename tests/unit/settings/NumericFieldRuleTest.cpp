#include "settings/NumericFieldRule.h"

#include <gtest/gtest.h>

namespace fv {
namespace {

struct SettleCase {
    const char* text;
    qint64 maximum;
    const char* expected;
};

TEST(NumericSettle, DropsTrailingCharactersUntilValid) {
    const SettleCase cases[] = {{"80a", 65535, "80"},
                                {"65530", 65535, "65530"},
                                {"65536", 65535, "6553"},
                                {"007", 999999, "7"},
                                {"000", 10, "0"},
                                {"", 65535, ""},
                                {"abc", 65535, ""},
                                {"8a0", 65535, "8"},
                                {"11", 10, "1"},
                                {"10", 10, "10"},
                                {"-5", 100, ""},
                                {"-0", 100, "0"},
                                {"+42", 100, "42"},
                                {" 5", 100, ""},
                                {"١٢", 100, ""},  // non-ASCII digits are no number here
                                {"99999999999999999999999", 999999, "999999"}};
    for (const SettleCase& c : cases) {
        EXPECT_EQ(NumericFieldRule::settle(QString::fromUtf8(c.text), c.maximum),
                  QString::fromUtf8(c.expected))
            << c.text << " max " << c.maximum;
    }
}

struct ParseCase {
    const char* text;
    bool valid;
    qint64 value;
};

TEST(NumericParse, AcceptsOnlySignAndDigits) {
    const ParseCase cases[] = {
        {"0", true, 0},     {"42", true, 42}, {"-3", true, -3},  {"+7", true, 7},
        {"", false, 0},     {"-", false, 0},  {"1.5", false, 0}, {"1e3", false, 0},
        {"0x10", false, 0}, {" 1", false, 0}, {"1 ", false, 0},
    };
    for (const ParseCase& c : cases) {
        const auto v = NumericFieldRule::parse(QString::fromUtf8(c.text));
        ASSERT_EQ(v.has_value(), c.valid) << c.text;
        if (c.valid) {
            EXPECT_EQ(*v, c.value) << c.text;
        }
    }
}

TEST(NumericParse, HugeNumbersSaturateAboveAnyMaximum) {
    const auto v = NumericFieldRule::parse(QString(200, QLatin1Char('9')));
    ASSERT_TRUE(v.has_value());
    EXPECT_GT(*v, 999999);
}

TEST(NumericSettle, HugePasteSettlesWithoutDeepRecursion) {
    QString text(1'000'000, QLatin1Char('7'));
    EXPECT_EQ(NumericFieldRule::settle(text, 65535), "7777");
    text = QString(1'000'000, QLatin1Char('x'));
    EXPECT_EQ(NumericFieldRule::settle(text, 65535), "");
}

}  // namespace
}  // namespace fv
