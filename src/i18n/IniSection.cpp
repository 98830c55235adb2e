#include "i18n/IniSection.h"

#include <QStringDecoder>

namespace fv {
namespace {

std::string lowered(std::string_view key) {
    std::string out(key);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

}  // namespace

void IniSection::add(std::string_view key, std::string_view value) {
    entries_.emplace(lowered(key), Entry{std::string(key), std::string(value)});
}

QString IniSection::toText(std::string_view utf8) {
    QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decode(QByteArrayView(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

std::optional<QString> IniSection::value(std::string_view key) const {
    const auto it = entries_.find(lowered(key));
    if (it == entries_.end())
        return std::nullopt;
    return toText(it->second.value);
}

QString IniSection::text(std::string_view key, const char* fallback) const {
    if (std::optional<QString> v = value(key))
        return *v;
    return QString::fromUtf8(fallback);
}

}  // namespace fv
