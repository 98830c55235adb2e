#include "i18n/IniSection.h"

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

std::optional<QString> IniSection::value(std::string_view key) const {
    const auto it = entries_.find(lowered(key));
    if (it == entries_.end())
        return std::nullopt;
    const std::string& v = it->second.value;
    return QString::fromUtf8(v.data(), static_cast<qsizetype>(v.size()));
}

QString IniSection::text(std::string_view key, const char* fallback) const {
    if (std::optional<QString> v = value(key))
        return *v;
    return QString::fromUtf8(fallback);
}

}  // namespace fv
