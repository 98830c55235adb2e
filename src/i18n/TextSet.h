// One language's texts for every window, as computed from the language file: each window's
// control texts in the order they are written (a later text for the same receiver wins, as
// in the original), the 45 message texts, the texts the original left in English, and
// whether the Japanese font rule holds. A value: the windows apply it, nobody shares it.
#pragma once

#include <QString>
#include <map>
#include <optional>
#include <vector>

#include "i18n/ClientTexts.h"
#include "i18n/LanguageTable.h"
#include "i18n/MessageTexts.h"

namespace fv {

struct ControlText {
    TextReceiver receiver;
    QString text;
};

class TextSet {
  public:
    QString section = QStringLiteral("ENGLISH");
    MessageTexts messages;
    ClientTexts client;
    // Controls of the main window that take a font family carrying Japanese.
    std::vector<QString> japaneseFontControls;

    void add(LanguageWindow window, TextReceiver receiver, const QString& text);
    const std::vector<ControlText>& texts(LanguageWindow window) const&;
    // Not of a temporary set: the list would go with it (a range-for over it would dangle).
    const std::vector<ControlText>& texts(LanguageWindow window) const&& = delete;
    // The last text written to the receiver, if any.
    std::optional<QString> textOf(LanguageWindow window, const TextReceiver& receiver) const;
    // Shorthand for a control's caption.
    std::optional<QString> captionOf(LanguageWindow window, const QString& control) const;

  private:
    std::map<LanguageWindow, std::vector<ControlText>> windows_;
};

}  // namespace fv
