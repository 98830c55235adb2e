#include "i18n/TextSet.h"

namespace fv {

void TextSet::add(LanguageWindow window, TextReceiver receiver, const QString& text) {
    windows_[window].push_back({std::move(receiver), text});
}

const std::vector<ControlText>& TextSet::texts(LanguageWindow window) const& {
    static const std::vector<ControlText> none;
    const auto it = windows_.find(window);
    return it == windows_.end() ? none : it->second;
}

std::optional<QString> TextSet::textOf(LanguageWindow window, const TextReceiver& receiver) const {
    const std::vector<ControlText>& list = texts(window);
    for (auto it = list.rbegin(); it != list.rend(); ++it)
        if (it->receiver == receiver)
            return it->text;
    return std::nullopt;
}

std::optional<QString> TextSet::captionOf(LanguageWindow window, const QString& control) const {
    return textOf(window, TextReceiver{control});
}

}  // namespace fv
