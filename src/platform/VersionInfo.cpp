#include "platform/VersionInfo.h"

#include <QStringList>

namespace fv {

QString VersionInfo::format(uint32_t versionMs, uint32_t versionLs) {
    return QStringLiteral("%1.%2.%3.%4")
        .arg(versionMs >> 16)
        .arg(versionMs & 0xFFFFu)
        .arg(versionLs >> 16)
        .arg(versionLs & 0xFFFFu);
}

std::optional<std::pair<uint32_t, uint32_t>> VersionInfo::parse(const QString& text) {
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return std::nullopt;
    uint32_t values[4] = {};
    for (int i = 0; i < 4; ++i) {
        const QString& part = parts[i];
        if (part.isEmpty() || part.size() > 5)
            return std::nullopt;
        for (QChar c : part)
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return std::nullopt;
        const uint32_t value = part.toUInt();
        if (value > 0xFFFFu)
            return std::nullopt;
        values[i] = value;
    }
    return std::make_pair((values[0] << 16) | values[1], (values[2] << 16) | values[3]);
}

QString VersionInfo::fromText(const QString& text) {
    const auto words = parse(text);
    return words ? format(words->first, words->second) : QString::fromLatin1(kFallback);
}

QString VersionInfo::programVersion() {
#ifdef FV_VERSION_TEXT
    return fromText(QStringLiteral(FV_VERSION_TEXT));
#else
    return QString::fromLatin1(kFallback);
#endif
}

}  // namespace fv
