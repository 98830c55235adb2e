#include "tasks/TimeLeft.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace fv {
namespace {

// Longer than any download worth waiting for; beyond it the estimate says nothing.
constexpr double kLongestSeconds = 100.0 * 365 * 24 * 3600;

std::optional<double> readNumber(QString digits) {
    digits.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    // QString::toDouble reads the C locale whatever the user's locale is.
    const double value = digits.toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < 0)
        return std::nullopt;
    return value;
}

bool finishedStatus(const QString& status) {
    return status == QLatin1String("Finished") || status == QLatin1String("Seeding");
}

}  // namespace

std::optional<double> TimeLeft::bytes(const QString& text) {
    static const QRegularExpression re(
        QStringLiteral("^\\s*([0-9]+(?:[.,][0-9]+)?)\\s*([KMGT]?)B(?:ps|/s)?\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const auto value = readNumber(m.captured(1));
    if (!value)
        return std::nullopt;
    const QString unit = m.captured(2).toUpper();
    const int power = unit.isEmpty() ? 0 : int(QStringLiteral("KMGT").indexOf(unit)) + 1;
    return *value * std::pow(1024.0, power);
}

std::optional<double> TimeLeft::percent(const QString& text) {
    static const QRegularExpression re(QStringLiteral("^\\s*([0-9]+(?:[.,][0-9]+)?)\\s*%\\s*$"));
    const auto m = re.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    return readNumber(m.captured(1));
}

TimeLeft TimeLeft::of(const TaskListRow& row) {
    return of(row.texts[TaskListRow::Status], row.texts[TaskListRow::Progress],
              row.texts[TaskListRow::Size], row.texts[TaskListRow::DownloadSpeed],
              row.isUploadRow());
}

TimeLeft TimeLeft::of(const QString& status, const QString& progress, const QString& size,
                      const QString& downloadSpeed, bool uploadRow) {
    if (uploadRow || finishedStatus(status))
        return {};
    const auto done = percent(progress);
    const auto total = bytes(size);
    if (!done || !total || *total <= 0.0 || *done >= 100.0)
        return {};
    const double remaining = *total * (100.0 - *done) / 100.0;
    const auto speed = bytes(downloadSpeed);
    if (!speed || *speed <= 0.0)
        return stalled();
    const double seconds = std::ceil(remaining / *speed);
    if (seconds > kLongestSeconds)
        return stalled();
    return inSeconds(static_cast<int64_t>(seconds));
}

QString TimeLeft::text() const {
    switch (kind_) {
        case Kind::None:
            return {};
        case Kind::Stalled:
            return QStringLiteral("\u221e");
        case Kind::Estimate:
            break;
    }
    const int64_t h = seconds_ / 3600;
    const int64_t m = seconds_ / 60 % 60;
    const int64_t s = seconds_ % 60;
    if (h == 0)
        return QStringLiteral("%1:%2").arg(m).arg(s, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1:%2:%3")
        .arg(h)
        .arg(m, 2, 10, QLatin1Char('0'))
        .arg(s, 2, 10, QLatin1Char('0'));
}

int64_t TimeLeft::sortKey() const {
    switch (kind_) {
        case Kind::None:
            return -1;
        case Kind::Stalled:
            return std::numeric_limits<int64_t>::max();
        case Kind::Estimate:
            break;
    }
    return seconds_;
}

}  // namespace fv
