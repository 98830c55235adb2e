// The language file FV2Lang.ini: the language name (FV_LANGUAGE, the per-user value, the
// session locale) picks one of its sections, whose message keys replace the English texts.
#pragma once

#include <QByteArray>
#include <QString>
#include <map>

#include "i18n/MessageTexts.h"

namespace fv {

class LanguageFile {
  public:
    static constexpr int kMaxValueChars = 2047;
    static constexpr qint64 kMaxFileBytes = 4 << 20;

    // "german" -> "GERMAN", "Chinese(Traditional)" -> "CHINESE_T"; anything else "ENGLISH".
    static QString sectionFor(const QString& languageName);

    // The keys and values of one section (case-insensitive name) of an INI text in UTF-8 or
    // UTF-16 with byte-order mark. Keys are kept as written; values are cut to the limit.
    static std::map<QString, QString> readSection(const QByteArray& bytes, const QString& section);

    // The message texts in this user's language from the program's language file; English
    // where the file, the section or a key is missing.
    static MessageTexts textsForThisUser();
};

}  // namespace fv
