#include "i18n/LanguageFile.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringList>

#include "platform/AppPaths.h"
#include "platform/LanguageName.h"

namespace fv {
namespace {

struct SectionName {
    const char* language;
    const char* section;
};

constexpr SectionName kSections[] = {
    {"English", "ENGLISH"},       {"Chinese(Traditional)", "CHINESE_T"},
    {"Turkish", "TURKISH"},       {"Czech", "CZECH"},
    {"Polish", "POLISH"},         {"Chinese(Simplified)", "CHINESE_S"},
    {"Japanese", "JAPANESE"},     {"Russian", "RUSSIAN"},
    {"Korean", "KOREAN"},         {"French", "FRENCH"},
    {"German", "GERMAN"},         {"Italian", "ITALIAN"},
    {"Spanish", "SPANISH"},       {"Dutch", "DUTCH"},
    {"Portuguese", "PORTUGUESE"}, {"Greek", "GREEK"},
    {"Hungarian", "HUNGARIAN"},   {"Romanian", "ROMANIAN"},
    {"Brazilian", "BRAZILIAN"},   {"Thai", "THAI"},
    {"Malay", "MALAY"},           {"Finnish", "FINNISH"},
    {"Danish", "DANISH"},         {"Norwegian", "NORWEGIAN"},
    {"Swedish", "SWEDISH"},       {"Ukrainian", "UKRAINIAN"},
};

QString decode(const QByteArray& bytes) {
    if (bytes.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringDecoder::Utf16LE).decode(bytes.mid(2));
    if (bytes.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringDecoder::Utf16BE).decode(bytes.mid(2));
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    return QString::fromUtf8(bytes);
}

// "[NAME]" -> "NAME"; empty for any other line.
QString sectionOf(const QString& line) {
    if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']')))
        return line.mid(1, line.size() - 2).trimmed();
    return QString();
}

}  // namespace

QString LanguageFile::sectionFor(const QString& languageName) {
    for (const auto& s : kSections)
        if (languageName.compare(QLatin1String(s.language), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(s.section);
    return QStringLiteral("ENGLISH");
}

std::map<QString, QString> LanguageFile::readSection(const QByteArray& bytes,
                                                     const QString& section) {
    std::map<QString, QString> values;
    bool inside = false;
    const QString text = decode(bytes.left(kMaxFileBytes));
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        const QString name = sectionOf(line);
        if (!name.isEmpty()) {
            inside = name.compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (!inside || eq <= 0 || line.startsWith(QLatin1Char(';')))
            continue;
        const QString key = line.left(eq).trimmed();
        // The first occurrence of a key wins, as the system's INI reader does.
        if (!values.count(key))
            values[key] = line.mid(eq + 1).trimmed().left(kMaxValueChars);
    }
    return values;
}

MessageTexts LanguageFile::textsForThisUser() {
    MessageTexts texts;
    QFile file(AppPaths::resourceFolder() + QStringLiteral("FV2Lang.ini"));
    if (!file.open(QIODevice::ReadOnly))
        return texts;  // without the file every text keeps its English default
    texts.apply(readSection(file.read(kMaxFileBytes), sectionFor(LanguageName::read())));
    return texts;
}

}  // namespace fv
