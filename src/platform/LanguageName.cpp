#include "platform/LanguageName.h"

#include <QDir>
#include <QSettings>
#include <array>

namespace fv {
namespace {

struct LocaleLanguage {
    const char* language;  // ISO 639 code as it starts a POSIX locale name
    const char* name;
};

// Languages whose name does not depend on the territory.
constexpr std::array<LocaleLanguage, 22> kByLanguage = {{
    {"en", "English"},   {"tr", "Turkish"},   {"cs", "Czech"},    {"pl", "Polish"},
    {"ja", "Japanese"},  {"ru", "Russian"},   {"ko", "Korean"},   {"fr", "French"},
    {"de", "German"},    {"it", "Italian"},   {"es", "Spanish"},  {"nl", "Dutch"},
    {"el", "Greek"},     {"hu", "Hungarian"}, {"ro", "Romanian"}, {"th", "Thai"},
    {"ms", "Malay"},     {"fi", "Finnish"},   {"da", "Danish"},   {"sv", "Swedish"},
    {"uk", "Ukrainian"}, {"no", "Norwegian"},
}};

QString chineseName(const QString& territory, const QString& script) {
    if (script.compare(QLatin1String("hant"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Chinese(Traditional)");
    if (script.compare(QLatin1String("hans"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Chinese(Simplified)");
    const QString t = territory.toUpper();
    if (t == QLatin1String("TW") || t == QLatin1String("HK") || t == QLatin1String("MO"))
        return QStringLiteral("Chinese(Traditional)");
    return QStringLiteral("Chinese(Simplified)");
}

QString envText(const char* name) {
    return qEnvironmentVariable(name);
}

}  // namespace

QString LanguageName::fromLocale(const QString& localeName) {
    // language[_territory][.codeset][@modifier]; the modifier may carry a script.
    QString rest = localeName.trimmed();
    QString modifier;
    if (const qsizetype at = rest.indexOf(QLatin1Char('@')); at >= 0) {
        modifier = rest.mid(at + 1);
        rest.truncate(at);
    }
    if (const qsizetype dot = rest.indexOf(QLatin1Char('.')); dot >= 0)
        rest.truncate(dot);
    rest.replace(QLatin1Char('-'), QLatin1Char('_'));
    const QStringList parts = rest.split(QLatin1Char('_'));
    const QString language = parts.value(0).toLower();
    QString territory;
    QString script = modifier;
    for (qsizetype i = 1; i < parts.size(); ++i) {
        if (parts[i].size() == 4)
            script = parts[i];  // "zh_Hant_TW" style
        else if (territory.isEmpty())
            territory = parts[i];
    }
    if (language == QLatin1String("zh"))
        return chineseName(territory, script);
    if (language == QLatin1String("pt"))
        return territory.compare(QLatin1String("BR"), Qt::CaseInsensitive) == 0
                   ? QStringLiteral("Brazilian")
                   : QStringLiteral("Portuguese");
    if (language == QLatin1String("nb") || language == QLatin1String("nn"))
        return QStringLiteral("Norwegian");
    for (const LocaleLanguage& entry : kByLanguage)
        if (language == QLatin1String(entry.language))
            return QString::fromLatin1(entry.name);
    return QString();
}

QString LanguageName::resolve(const QString& override, const QString& configValue,
                              const QString& localeName) {
    if (!override.trimmed().isEmpty())
        return override.trimmed();
    if (!configValue.trimmed().isEmpty())
        return configValue.trimmed();
    return fromLocale(localeName);
}

QString LanguageName::configFilePath() {
    QString base = envText("XDG_CONFIG_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/ferrovane/ferrovane.conf");
}

QString LanguageName::sessionLocale() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = envText(name);
        if (!value.isEmpty())
            return value;
    }
    return QString();
}

QString LanguageName::read() {
    // A missing or unreadable file reads as no value, as an absent registry value did.
    const QSettings config(configFilePath(), QSettings::IniFormat);
    const QString configValue = config.value(QStringLiteral("Language")).toString();
    return resolve(envText("FV_LANGUAGE"), configValue, sessionLocale());
}

}  // namespace fv
