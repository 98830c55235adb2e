#include <gtest/gtest.h>

#include <QLocale>
#include <optional>

#include "tasks/RouterNumber.h"

namespace fv {
namespace {

// Sets the user's locale for one test and puts the previous one back.
class LocaleScope {
  public:
    explicit LocaleScope(QLocale::Language language, QLocale::Territory territory)
        : saved_(QLocale()) {
        QLocale::setDefault(QLocale(language, territory));
    }
    ~LocaleScope() { QLocale::setDefault(saved_); }

  private:
    QLocale saved_;
};

TEST(RouterNumber, ParsesRouterTexts) {
    const struct {
        const char* text;
        std::optional<double> value;
    } cases[] = {
        {"0.5", 0.5},
        {"1", 1.0},
        {" 12.25\t", 12.25},
        {"+3", 3.0},
        {"-1.5", -1.5},
        {"1e3", 1000.0},
        {"", std::nullopt},
        {"abc", std::nullopt},
        {"1.2.3", std::nullopt},
        {"nan", std::nullopt},
        {"inf", std::nullopt},
        {"1e999", std::nullopt},
        {"0x10", std::nullopt},
        {"12 MBps", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RouterNumber::parse(std::string_view(c.text)), c.value) << c.text;
}

TEST(RouterNumber, ProgressTextIsShortestAndReadsBack) {
    const struct {
        double fraction;
        const char* dotText;
    } cases[] = {
        {0.5, "50%"},     {1.0, "100%"}, {0.0, "0%"},
        {0.123, "12.3%"}, {0.07, "7%"},  {0.3333, "33.33%"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RouterNumber::progressText(c.fraction), QString::fromLatin1(c.dotText));

    // With a comma locale the list writes "12,3%" and the ordering must still read 12.3.
    LocaleScope german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(RouterNumber::progressText(0.123), QStringLiteral("12,3%"));
    EXPECT_DOUBLE_EQ(RouterNumber::valueOrZero(QStringLiteral("12,3")), 12.3);
    // Router texts keep their "." under the same locale.
    EXPECT_DOUBLE_EQ(RouterNumber::valueOrZero(QStringLiteral("1.2")), 1.2);
    EXPECT_DOUBLE_EQ(RouterNumber::valueOrZero(QStringLiteral("x")), 0.0);
}

}  // namespace
}  // namespace fv
