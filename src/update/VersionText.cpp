#include "update/VersionText.h"

#include <QStringList>
#include <QSysInfo>
#include <string>

#include "router/CommaText.h"

namespace fv {

PublishedVersion parseVersionInfo(std::string_view text) {
    std::string spaced(text.substr(0, 4096));  // the file is one short line
    for (char& c : spaced)
        if (c == '#')
            c = ' ';
    const std::vector<std::string> tokens = splitCommaText(spaced, 8);
    if (tokens.size() < 2 || tokens[1].size() <= 2)
        return {};
    const QString compact = QString::fromLatin1(tokens[1].substr(2));
    const QString dotted = dottedVersion(compact);
    if (dotted.isEmpty())
        return {};
    return {compact, dotted};
}

QString dottedVersion(const QString& compact) {
    if (compact.size() < 4 || compact.size() > 12)
        return {};
    for (QChar c : compact)
        if (c < '0' || c > '9')
            return {};
    QString dotted = compact;
    for (int position : {2, 4, 6})
        dotted.insert(position - 1, QLatin1Char('.'));
    return dotted;
}

std::optional<std::array<std::uint16_t, 4>> versionParts(const QString& dotted) {
    const QStringList parts = dotted.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return std::nullopt;
    std::array<std::uint16_t, 4> out{};
    for (int i = 0; i < 4; ++i) {
        const QString& p = parts[i];
        if (p.isEmpty() || p.size() > 5)
            return std::nullopt;
        for (QChar c : p)
            if (c < '0' || c > '9')
                return std::nullopt;
        const uint value = p.toUInt();
        if (value > 65535)
            return std::nullopt;
        out[static_cast<size_t>(i)] = static_cast<std::uint16_t>(value);
    }
    return out;
}

bool isNewerVersion(const QString& candidate, const QString& current) {
    const auto a = versionParts(candidate);
    const auto b = versionParts(current);
    return a && b && *a > *b;
}

QString releaseNoteFileName(const QString& compact, bool simplifiedChinese) {
    return QStringLiteral("FV_") + compact +
           (simplifiedChinese ? QStringLiteral("_CHS_note.zip") : QStringLiteral("_CHT_note.zip"));
}

bool isSimplifiedChinese(const QLocale& locale) {
    return locale.language() == QLocale::Chinese &&
           locale.script() == QLocale::SimplifiedChineseScript;
}

QString packageFileName(const QString& dotted, const QString& architecture) {
    return QStringLiteral("ferrovane_%1_%2.deb").arg(dotted, architecture);
}

QString debianArchitecture() {
    const QString cpu = QSysInfo::buildCpuArchitecture();
    if (cpu == QLatin1String("x86_64"))
        return QStringLiteral("amd64");
    if (cpu == QLatin1String("i386"))
        return QStringLiteral("i386");
    if (cpu == QLatin1String("arm64"))
        return QStringLiteral("arm64");
    if (cpu == QLatin1String("arm"))
        return QStringLiteral("armhf");
    return cpu;
}

}  // namespace fv
