// The table of the windows' texts: for each window, the language keys in the order they are
// read, each with its English default and the control that receives it, the message keys at
// their places, and the copy steps between controls. The keys keep the product's spelling
// (they are the language file's keys); so do the control names (they are the widgets'
// objectNames).
#pragma once

#include <QString>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace fv {

enum class LanguageWindow { Main, Settings, FileSelection, BusyOverlay, Update };
inline constexpr LanguageWindow kLanguageWindows[] = {
    LanguageWindow::Main, LanguageWindow::Settings, LanguageWindow::FileSelection,
    LanguageWindow::BusyOverlay, LanguageWindow::Update};

// Which property of a control takes a text.
enum class TextTarget { Caption, Hint, Column, Item };

struct TextReceiver {
    QString control;
    TextTarget target = TextTarget::Caption;
    int index = -1;  // the column or the choice entry
    bool operator==(const TextReceiver&) const = default;
};

struct LanguageStep {
    enum class Kind {
        Text,         // key, English default, receiver (empty: the key's own control)
        Message,      // key of a message text
        CopyCaption,  // the caption of control `key` also becomes the caption of `receiver`
        MessageHint,  // the message text `key` becomes the hint of `receiver`
    };
    Kind kind;
    const char* key;
    const char* english = nullptr;
    const char* receiver = nullptr;
};

class LanguageTable {
  public:
    static std::span<const LanguageStep> steps(LanguageWindow window);

    // "BtnAdd_Main->Caption" -> BtnAdd_Main's caption; "X->Column[2]->Caption" -> column 2 of
    // X; "X->Items->Strings[1]" -> entry 1 of X; "X->Hint" -> X's hint. Null for a key of
    // another form.
    static std::optional<TextReceiver> receiverOf(std::string_view key);

    // Every control key of every window once, with the English default of its first reading,
    // in reading order (the language file holds these).
    struct Key {
        const char* key;
        const char* english;
    };
    static std::vector<Key> controlKeys();

    // The main-window controls that take a font carrying Japanese in the "JAPANESE" section.
    static std::span<const char* const> japaneseFontControls();
};

}  // namespace fv
