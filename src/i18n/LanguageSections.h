// The language name (FV_LANGUAGE, the per-user value, the session locale) picks one of the 26
// sections of the language file.
#pragma once

#include <QString>
#include <QStringList>

namespace fv {

class LanguageSections {
  public:
    static constexpr int kCount = 26;
    static constexpr const char* kEnglish = "ENGLISH";

    // "german" -> "GERMAN", "Chinese(Traditional)" -> "CHINESE_T"; any other name, the empty
    // one too, "ENGLISH".
    static QString sectionFor(const QString& languageName);
    // Every section, "ENGLISH" first, in the order the names are tried.
    static QStringList all();
    // The language names, in the same order.
    static QStringList languageNames();
};

}  // namespace fv
