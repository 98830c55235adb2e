#include "tasks/RouterNumber.h"

#include <QLocale>
#include <charconv>
#include <cmath>

namespace fv {
namespace {

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

std::optional<double> parseAscii(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    // Only plain decimal notation: no "inf", "nan" or hex forms.
    for (char c : text) {
        const bool ok = (c >= '0' && c <= '9') || c == '.' || c == '-' || c == 'e' || c == 'E';
        if (!ok)
            return std::nullopt;
    }
    double value = 0;
    const auto [end, ec] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

}  // namespace

std::optional<double> RouterNumber::parse(std::string_view text) {
    return parseAscii(text);
}

std::optional<double> RouterNumber::parse(const QString& text) {
    QString t = text;
    const QString point = QLocale().decimalPoint();
    if (point != QLatin1String(".") && !t.contains(QLatin1Char('.')))
        t.replace(point, QLatin1String("."));
    // Non-Latin-1 characters become '?' and so fail the digit check.
    const QByteArray bytes = t.toLatin1();
    return parseAscii(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

double RouterNumber::valueOrZero(const QString& text) {
    return parse(text).value_or(0.0);
}

QString RouterNumber::userDecimalPoint() {
    return QLocale().decimalPoint();
}

QString RouterNumber::progressText(double fraction) {
    return progressText(fraction, userDecimalPoint());
}

QString RouterNumber::progressText(double fraction, const QString& point) {
    QString text = QString::number(fraction * 100.0, 'g', 15);
    if (point != QLatin1String("."))
        text.replace(QLatin1Char('.'), point);
    return text + QLatin1Char('%');
}

}  // namespace fv
