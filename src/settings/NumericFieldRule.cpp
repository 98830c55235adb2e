#include "settings/NumericFieldRule.h"

#include <algorithm>
#include <limits>

namespace fv {

namespace {

bool isAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

}  // namespace

std::optional<qint64> NumericFieldRule::parse(const QString& text) {
    qsizetype i = 0;
    bool negative = false;
    if (!text.isEmpty() && (text[0] == QLatin1Char('+') || text[0] == QLatin1Char('-'))) {
        negative = text[0] == QLatin1Char('-');
        i = 1;
    }
    if (i >= text.size())
        return std::nullopt;
    constexpr qint64 kCap = std::numeric_limits<qint64>::max() / 10 - 10;
    qint64 value = 0;
    bool saturated = false;
    for (; i < text.size(); ++i) {
        if (!isAsciiDigit(text[i]))
            return std::nullopt;
        if (!saturated) {
            value = value * 10 + (text[i].unicode() - '0');
            saturated = value > kCap;
        }
    }
    if (saturated)
        return negative ? std::numeric_limits<qint64>::min() : std::numeric_limits<qint64>::max();
    return negative ? -value : value;
}

QString NumericFieldRule::settle(const QString& text, qint64 maximum) {
    // Digit prefixes only grow in value, so the longest valid prefix is found by one scan.
    // The cap keeps value * 10 from overflowing.
    maximum = std::min<qint64>(maximum, 1'000'000'000'000'000);
    qsizetype i = 0;
    bool negative = false;
    if (!text.isEmpty() && (text[0] == QLatin1Char('+') || text[0] == QLatin1Char('-'))) {
        negative = text[0] == QLatin1Char('-');
        i = 1;
    }
    qint64 value = 0;
    bool valid = false;
    qint64 validValue = 0;
    for (; i < text.size() && isAsciiDigit(text[i]); ++i) {
        value = value * 10 + (text[i].unicode() - '0');
        if (value > maximum || (negative && value != 0))
            break;
        valid = true;
        validValue = value;
    }
    return valid ? QString::number(validValue) : QString();
}

}  // namespace fv
