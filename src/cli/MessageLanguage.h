// The language of fvctl's messages, by the window's rules: the language name (FV_LANGUAGE,
// the per-user value, the session locale) picks a section of FV2Lang.ini, whose message keys
// replace the English defaults. fvctl has no controls, so only the 45 message texts apply.
#pragma once

#include <QByteArray>
#include <QString>
#include <map>

namespace fv::cli {

class MessageLanguage {
  public:
    static constexpr int kMaxValueChars = 2047;
    static constexpr qint64 kMaxFileBytes = 4 << 20;

    // "german" -> "GERMAN", "Chinese(Traditional)" -> "CHINESE_T"; anything else "ENGLISH".
    static QString sectionFor(const QString& languageName);

    // The keys and values of one section (case-insensitive name) of an INI text in UTF-8 or
    // UTF-16 with byte-order mark. Keys are kept as written; values are cut to the limit.
    static std::map<QString, QString> readSection(const QByteArray& bytes, const QString& section);

    // Sets every message text from the section, or back to its English default when the
    // section lacks its key. Returns how many keys the section held.
    static int apply(const std::map<QString, QString>& section);

    // The language name and language file of this user and program, applied.
    static void applyForThisUser();
};

}  // namespace fv::cli
