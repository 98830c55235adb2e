// The language file FV2Lang.ini beside the program (see AppPaths::resourceFolder): the
// language name (FV_LANGUAGE, the per-user value, the session locale) picks one of its
// sections, whose keys replace the English texts. The file is only read, anew each time a
// window applies the language; a missing file, section or key gives the English defaults.
#pragma once

#include <QByteArray>
#include <QString>
#include <map>

#include "i18n/IniReader.h"
#include "i18n/MessageTexts.h"
#include "i18n/TextSet.h"

namespace fv {

class LanguageFile {
  public:
    static constexpr int kMaxValueChars = ini::kMaxValueChars;
    static constexpr qint64 kMaxFileBytes = qint64(ini::kMaxFileBytes);
    static constexpr const char* kFileName = "FV2Lang.ini";

    // "german" -> "GERMAN", "Chinese(Traditional)" -> "CHINESE_T"; anything else "ENGLISH".
    static QString sectionFor(const QString& languageName);

    // The keys (as written) and values of one section of an INI text in UTF-8 or UTF-16 with
    // byte-order mark, by the rules of ini::readSection.
    static std::map<QString, QString> readSection(const QByteArray& bytes, const QString& section);

    // The program's language file; empty when it cannot be read.
    static QString path();
    static QByteArray readBytes();

    // Every window's texts for a language name, from the file's bytes.
    static TextSet textsFrom(const QByteArray& fileBytes, const QString& languageName);
    // ... from the program's language file (read anew on every call).
    static TextSet textsFor(const QString& languageName);

    // The message texts in this user's language from the program's language file; English
    // where the file, the section or a key is missing.
    static MessageTexts textsForThisUser();
};

}  // namespace fv
