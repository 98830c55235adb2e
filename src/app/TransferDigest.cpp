#include "app/TransferDigest.h"

#include <QRegularExpression>
#include <cmath>

namespace fv {

namespace {
bool isFinished(const QString& status) {
    return status == QLatin1String("Finished") || status == QLatin1String("Seeding");
}
const QString kUploadCaption = QStringLiteral("zzz999");
}  // namespace

double TransferDigest::speedKBps(const QString& text) {
    static const QRegularExpression re(
        QStringLiteral("^\\s*([0-9]+(?:\\.[0-9]+)?)\\s*([KMG]?)B(?:ps|/s)?\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(text);
    if (!m.hasMatch())
        return 0.0;
    const double value = m.captured(1).toDouble();
    if (!std::isfinite(value))
        return 0.0;
    const QString unit = m.captured(2).toUpper();
    if (unit == QLatin1String("G"))
        return value * 1000.0 * 1000.0;
    if (unit == QLatin1String("M"))
        return value * 1000.0;
    if (unit == QLatin1String("K"))
        return value;
    return value / 1000.0;
}

TransferDigest::Totals TransferDigest::totalsKBps(const TaskRowSource& rows) {
    Totals t;
    for (int r = 0; r < rows.rowCount(); ++r) {
        t.down += speedKBps(rows.text(r, kColDLSpeed));
        t.up += speedKBps(rows.text(r, kColUpSpeed));
    }
    return t;
}

QString TransferDigest::speedSummary(const TaskRowSource& rows) {
    const Totals t = totalsKBps(rows);
    return QStringLiteral("Down %1 KB/s, Up %2 KB/s").arg(t.down, 0, 'f', 1).arg(t.up, 0, 'f', 1);
}

QStringList TransferDigest::newlyFinished(const TaskRowSource& rows) {
    QStringList names;
    std::map<QString, QString> now;
    for (int r = 0; r < rows.rowCount(); ++r) {
        const QString id = rows.caption(r).toLower();
        if (id.isEmpty() || id == kUploadCaption)
            continue;
        const QString status = rows.text(r, kColStatus);
        now[id] = status;
        const auto before = lastStatus_.find(id);
        if (before != lastStatus_.end() && isFinished(status) && !isFinished(before->second))
            names << rows.text(r, kColName);
    }
    lastStatus_ = std::move(now);
    return names;
}

}  // namespace fv
