#include "i18n/LanguageSections.h"

namespace fv {
namespace {

struct SectionName {
    const char* language;
    const char* section;
};

constexpr SectionName kSections[LanguageSections::kCount] = {
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

}  // namespace

QString LanguageSections::sectionFor(const QString& languageName) {
    for (const auto& s : kSections)
        if (languageName.compare(QLatin1String(s.language), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(s.section);
    return QString::fromLatin1(kEnglish);
}

QStringList LanguageSections::all() {
    QStringList out;
    for (const auto& s : kSections)
        out << QString::fromLatin1(s.section);
    return out;
}

QStringList LanguageSections::languageNames() {
    QStringList out;
    for (const auto& s : kSections)
        out << QString::fromLatin1(s.language);
    return out;
}

}  // namespace fv
