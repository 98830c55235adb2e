// The language name the original read from its registry value "Language". Here, in this
// order: the environment override FV_LANGUAGE, the per-user value "Language" in
// $XDG_CONFIG_HOME/ferrovane/ferrovane.conf, the session locale (LC_ALL, LC_MESSAGES, LANG).
// The result is one of the language table's names, or empty when nothing applies.
#pragma once

#include <QString>

namespace fv {

class LanguageName {
  public:
    // Reads the three sources of this process.
    static QString read();

    // Pure decision over given sources; an empty text means "not given".
    static QString resolve(const QString& override, const QString& configValue,
                           const QString& localeName);

    // "de_DE.UTF-8" -> "German", "zh_TW" -> "Chinese(Traditional)", "C" -> "".
    static QString fromLocale(const QString& localeName);

    // The per-user configuration file that may hold "Language".
    static QString configFilePath();

    // The first of LC_ALL, LC_MESSAGES, LANG that is set and not empty.
    static QString sessionLocale();
};

}  // namespace fv
