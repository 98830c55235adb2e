// The original's ApplyLanguage without the widgets: it reads every key of every window from
// one section of the language file in the table's order, each with its English default
// (also when the file or the section is missing), follows the copy steps and the twin
// controls, fills the message texts and the texts the original left in English, and notes
// the Japanese font rule. The windows write the result into their controls (ui's
// WindowTextWriter) each time they are shown.
#pragma once

#include <QString>

#include "i18n/IniSection.h"
#include "i18n/TextSet.h"

namespace fv {

class WindowTexts {
  public:
    // section: the chosen section's name ("JAPANESE" turns the font rule on); values: its
    // entries (empty when the file or the section is missing).
    static TextSet compute(const QString& section, const IniSection& values);

  private:
    static void computeWindow(LanguageWindow window, const IniSection& values, TextSet& out);
};

}  // namespace fv
