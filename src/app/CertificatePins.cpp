#include "app/CertificatePins.h"

#include <QFileInfo>

#include "platform/AtomicFile.h"
#include "platform/DebugLog.h"

namespace fv {

namespace {
constexpr qint64 kMaxFile = 1 << 20;
}

QString CertificatePins::besideSettings(const QString& setupFilePath) {
    return QFileInfo(setupFilePath).absolutePath() + QLatin1Char('/') + QLatin1String(kFileName);
}

QString CertificatePins::routerKey(const QString& address, const QString& port) {
    return address.trimmed().toLower() + QLatin1Char(':') + port.trimmed();
}

std::map<QString, std::string> CertificatePins::load() const {
    std::map<QString, std::string> pins;
    QByteArray bytes;
    if (!AtomicFile::read(path_, &bytes, kMaxFile))
        return pins;
    for (const QByteArray& line : bytes.split('\n')) {
        const qsizetype tab = line.indexOf('\t');
        if (tab <= 0)
            continue;
        const QByteArray pin = line.mid(tab + 1).trimmed();
        if (!pin.isEmpty())
            pins[QString::fromUtf8(line.left(tab))] = pin.toStdString();
    }
    return pins;
}

std::optional<std::string> CertificatePins::pinFor(const QString& router) const {
    const auto pins = load();
    const auto found = pins.find(router);
    if (found == pins.end())
        return std::nullopt;
    return found->second;
}

bool CertificatePins::remember(const QString& router, const std::string& pin) {
    auto pins = load();
    pins[router] = pin;
    QByteArray bytes;
    for (const auto& [key, value] : pins)
        bytes += key.toUtf8() + '\t' + QByteArray::fromStdString(value) + '\n';
    QString error;
    if (!AtomicFile::write(path_, bytes, &error)) {
        DebugLog::write(QStringLiteral("CertificatePins: ") + error);
        return false;
    }
    return true;
}

}  // namespace fv
