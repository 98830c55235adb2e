#include "i18n/WindowTexts.h"

#include <cstring>

namespace fv {
namespace {

const char* englishMessage(const char* key) {
    for (const MessageTexts::Entry& e : MessageTexts::table())
        if (std::strcmp(e.key, key) == 0)
            return e.englishDefault;
    return "";
}

std::optional<Msg> messageNamed(const char* key) {
    for (const MessageTexts::Entry& e : MessageTexts::table())
        if (std::strcmp(e.key, key) == 0)
            return e.msg;
    return std::nullopt;
}

}  // namespace

TextSet WindowTexts::compute(const QString& section, const IniSection& values) {
    TextSet out;
    out.section = section;
    for (LanguageWindow w : kLanguageWindows)
        computeWindow(w, values, out);
    out.client = ClientTexts(values);
    if (section == QLatin1String("JAPANESE"))
        for (const char* name : LanguageTable::japaneseFontControls())
            out.japaneseFontControls.push_back(QString::fromLatin1(name));
    return out;
}

void WindowTexts::computeWindow(LanguageWindow window, const IniSection& values, TextSet& out) {
    using Kind = LanguageStep::Kind;
    for (const LanguageStep& step : LanguageTable::steps(window)) {
        switch (step.kind) {
            case Kind::Text: {
                std::optional<TextReceiver> r = LanguageTable::receiverOf(step.key);
                if (!r)
                    break;
                if (step.receiver)
                    r = TextReceiver{QString::fromLatin1(step.receiver)};
                out.add(window, *r, values.text(step.key, step.english));
                break;
            }
            case Kind::Message:
                if (const std::optional<Msg> msg = messageNamed(step.key))
                    out.messages.set(*msg, values.text(step.key, englishMessage(step.key)));
                break;
            case Kind::CopyCaption:
                if (const auto text = out.captionOf(window, QString::fromLatin1(step.key)))
                    out.add(window, TextReceiver{QString::fromLatin1(step.receiver)}, *text);
                break;
            case Kind::MessageHint:
                if (const std::optional<Msg> msg = messageNamed(step.key))
                    out.add(window,
                            TextReceiver{QString::fromLatin1(step.receiver), TextTarget::Hint},
                            out.messages[*msg]);
                break;
        }
    }
}

}  // namespace fv
